#include "tools/camfolio-tool/tool_command.h"

std::span<const ToolCommand> PlatformCommands() {
    return {};
}
