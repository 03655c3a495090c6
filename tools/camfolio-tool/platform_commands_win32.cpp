#include "tools/camfolio-tool/profiles_command_win32.h"
#include "tools/camfolio-tool/settings_command_win32.h"
#include "tools/camfolio-tool/tool_command.h"
#include "tools/camfolio-tool/update_check_command_win32.h"

std::span<const ToolCommand> PlatformCommands() {
    static const ToolCommand kCommands[] = {
        {u"settings", "print or change the settings as the applet reads them", RunSettingsCommand},
        {u"profiles", "list the camera profiles as the applet loads them", RunProfilesCommand},
        {u"update-check", "ask the version server as the applet does", RunUpdateCheckCommand},
    };
    return kCommands;
}
