#include "update/http_target.h"

#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"

namespace {

constexpr std::size_t kTextLimit = kHttpTextBytes - 1;

std::string Cut(std::string_view text) {
    return std::string(text.substr(0, kTextLimit));
}

}  // namespace

HttpTarget TargetOf(std::string_view rest) {
    HttpTarget target;
    const std::size_t slash = std::min(rest.find('/'), rest.size());
    std::string_view authority = rest.substr(0, slash);
    const std::size_t colon = authority.find(':');
    if (colon != std::string_view::npos) {
        int port = 0;
        for (const char c : authority.substr(colon + 1)) {
            if (!IsAsciiDigit(c) || port > 65535) {
                break;
            }
            port = port * 10 + (c - '0');
        }
        target.port = port;
        authority = authority.substr(0, colon);
    }
    target.host = Cut(authority);
    target.path = slash < rest.size() ? Cut(rest.substr(slash)) : std::string("/");
    return target;
}

TargetMove MoveTo(HttpTarget& target, const HttpTarget& next) {
    const bool newServer = !EqualsNoCase(target.host, next.host) || target.port != next.port;
    target = next;
    return newServer ? TargetMove::kNewServer : TargetMove::kSameServer;
}

TargetMove FollowLocation(HttpTarget& target, std::string_view response) {
    const std::size_t header = response.find("\r\n\r\n");
    const std::string_view headers = response.substr(0, header);
    constexpr std::string_view kLocation = "location: ";
    const std::size_t at = FindNoCase(headers, kLocation, 0);
    if (at == std::string_view::npos) {
        return TargetMove::kNone;
    }
    std::string_view value = headers.substr(at + kLocation.size());
    value = value.substr(0, std::min(value.find("\r\n"), value.size()));
    const std::size_t scheme = value.find("//");
    if (scheme != std::string_view::npos) {
        return MoveTo(target, TargetOf(value.substr(scheme + 2)));
    }
    if (value.starts_with('/')) {
        target.path = Cut(value);
        return TargetMove::kSameServer;
    }
    const std::size_t folder = target.path.find_last_of("/\\");
    if (folder != std::string::npos) {
        target.path = Cut(target.path.substr(0, folder + 1) + std::string(value));
    }
    return TargetMove::kSameServer;
}

std::optional<HttpTarget> ParseMetaRefresh(std::string_view body) {
    const std::size_t refresh = FindNoCase(body, "http-equiv=\"refresh\"", 0);
    if (refresh == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t url = FindNoCase(body, "url=", refresh + 20);
    if (url == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = body.substr(url + 4);
    if (rest.starts_with("http://")) {
        rest.remove_prefix(7);
    }
    const std::size_t quote = rest.find('"');
    if (quote == std::string_view::npos) {
        return std::nullopt;
    }
    return TargetOf(rest.substr(0, quote));
}
