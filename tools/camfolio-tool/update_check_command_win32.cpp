#include "tools/camfolio-tool/update_check_command_win32.h"

#include "diag/text/utf8.h"
#include "update/version_fetch_win32.h"
#include "update/version_text.h"

namespace {

constexpr char kUsage[] =
    "Usage: camfolio-tool update-check [--server HOST[:PORT]]\n"
    "Asks the version server as the applet's \"Check for a new version\" does (or the\n"
    "given server) and prints the server, the latest version and the verdict.\n";

std::string VersionText(const ProductVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.release) + "." + std::to_string(version.build);
}

}  // namespace

int RunUpdateCheckCommand(std::span<const std::u16string> args, std::ostream& out,
                          std::ostream& err) {
    HttpTarget target = VersionFileTarget();
    if (args.size() == 1 && args[0] == u"--help") {
        out << kUsage;
        return 0;
    }
    if (args.size() == 2 && args[0] == u"--server") {
        const HttpTarget server = TargetOf(Utf8FromUtf16(args[1]));
        target.host = server.host;
        target.port = server.port;
    } else if (!args.empty()) {
        err << kUsage;
        return 2;
    }
    out << "server: " << target.host << ":" << target.port << target.path << "\n";
    const auto text = FetchLatestVersionText(target, HttpTimeouts{}, nullptr);
    if (!text) {
        err << "error: the version file could not be fetched\n";
        return 1;
    }
    const auto latest = ParseVersionText(*text);
    if (!latest) {
        err << "error: the answer holds no version: " << text->substr(0, 80) << "\n";
        return 1;
    }
    out << "latest: " << VersionText(*latest) << "\n"
        << "own: " << VersionText(OwnVersion()) << "\n"
        << "verdict: " << (IsNewerThanOwn(*latest) ? "newer version available" : "up to date")
        << "\n";
    return 0;
}
