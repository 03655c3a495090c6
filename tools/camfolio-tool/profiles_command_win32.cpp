#include "tools/camfolio-tool/profiles_command_win32.h"

#include "config/profiles_registry.h"
#include "diag/text/utf8.h"

namespace {

std::string Letter(char16_t letter) {
    return letter != 0 ? Utf8FromUtf16(std::u16string(1, letter)) : std::string();
}

const char* WhenUnavailable(int policy) {
    switch (policy) {
        case 1:
            return "first";
        case 2:
            return "last";
        default:
            return "ask";
    }
}

void PrintProfile(std::ostream& out, const ProfileRecord& profile) {
    out << "name=" << (profile.isDefault ? "(default)" : Utf8FromUtf16(profile.name))
        << "\talias=" << Utf8FromUtf16(profile.alias.value_or(u""))
        << "\tserial=" << Utf8FromUtf16(profile.subName)
        << "\tletter=" << Letter(profile.driveLetter)
        << "\tletter2=" << Letter(profile.driveLetter2) << "\tautomap=" << (profile.autoMap ? 1 : 0)
        << "\tmulticard=" << (profile.multiCard ? 1 : 0)
        << "\tunavailable=" << WhenUnavailable(profile.ifLetterUnavailable)
        << "\tformat=" << Utf8FromUtf16(profile.format.value_or(u"")) << "\n";
}

}  // namespace

int RunProfilesCommand(std::span<const std::u16string> args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        const bool help = args.size() == 1 && args[0] == u"--help";
        (help ? out : err) << "Usage: camfolio-tool profiles\n"
                              "Lists the camera profiles as the applet loads them, the default "
                              "profile first; fields are separated by tabs.\n";
        return help ? 0 : 2;
    }
    ProfileList profiles;
    LoadProfiles(profiles);
    for (const auto& profile : profiles) {
        PrintProfile(out, *profile);
    }
    return 0;
}
