#pragma once
// Where the version check's next request goes, as redirects and meta
// refreshes move it, and whether that needs a new connection.
#include <optional>
#include <string>
#include <string_view>

#include "update/http_limits.h"

struct HttpTarget {
    std::string host;  // at most 199 bytes
    std::string path;  // at most 199 bytes
    int port = kHttpDefaultPort;
};

enum class TargetMove {
    kNone,        // no Location header: the response is the answer
    kSameServer,  // the next request goes over the same connection
    kNewServer,   // another host or port: connect again
};

// "host[:port][/path]": no port means 80, no path "/".
HttpTarget TargetOf(std::string_view hostPortPath);

// Follows the "location: " header (any case) of a 301 or 302 response:
// absolute ("http://host[:port]/path"; no port means 80), rooted ("/path")
// or relative to the current path's folder.
TargetMove FollowLocation(HttpTarget& target, std::string_view response);

// The page a body's meta refresh (http-equiv="refresh" ... url="...") leads
// to, "http://" and a ":port" after the host allowed; nullopt when the body
// holds none.
std::optional<HttpTarget> ParseMetaRefresh(std::string_view body);

// The target a refresh leads to, as a move of the current one.
TargetMove MoveTo(HttpTarget& target, const HttpTarget& next);
