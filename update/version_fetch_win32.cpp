#include "update/version_fetch_win32.h"

#include <windows.h>

#include <wininet.h>

#include "common/system/vendor_site.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "update/version_text.h"

namespace {

constexpr char kVersionFilePath[] = "/download/Camfolio.latest";

// Host names are ASCII; anything else cannot be asked for.
std::string Ascii(std::u16string_view text) {
    std::string ascii;
    for (const char16_t unit : text.substr(0, kHttpTextBytes - 1)) {
        if (unit > 0x7F) {
            return {};
        }
        ascii.push_back(static_cast<char>(unit));
    }
    return ascii;
}

}  // namespace

HttpTarget VersionFileTarget() {
    HttpTarget target{Ascii(kVendorHost), kVersionFilePath, kHttpDefaultPort};
    const RegKey machine = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, contract::kSettingsKey);
    if (const auto server = machine.ReadString(kUpdateServerValue, kHttpTextBytes)) {
        const std::string named = Ascii(*server);
        if (!named.empty()) {
            const HttpTarget mirror = TargetOf(named);
            target.host = mirror.host;
            target.port = mirror.port;
        }
    }
    return target;
}

std::optional<std::string> FetchLatestVersionText(const HttpTarget& versionFile,
                                                  const HttpTimeouts& timeouts,
                                                  const std::atomic<bool>* cancelled) {
    if (InternetAttemptConnect(0) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    HttpConnection connection(versionFile, UserAgent(), timeouts, cancelled);
    if (!connection.Open()) {
        return std::nullopt;
    }
    std::optional<std::string> body = connection.Get(std::nullopt);
    while (body) {
        const auto refresh = ParseMetaRefresh(*body);
        if (!refresh) {
            break;
        }
        body = connection.Get(*refresh);
    }
    return body;
}
