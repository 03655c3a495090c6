#include "update/http_request.h"

#include "update/http_limits.h"

std::optional<std::string> BuildGetRequest(std::string_view path, std::string_view host,
                                           std::string_view userAgent, std::string_view cookieJar) {
    std::string request;
    request.append("GET ").append(path).append(" HTTP/1.1\r\n");
    request.append("Host: ").append(host).append("\r\n");
    request.append("User-Agent: ").append(userAgent).append("\r\n");
    request.append("Keep-Alive: 300\r\n");
    request.append("Connection: Keep-Alive\r\n");
    if (!cookieJar.empty()) {
        request.append("Cookie: ").append(cookieJar).append("\r\n");
    }
    request.append("\r\n");
    // A cut request would ask for another file or none.
    if (request.size() >= kHttpRequestBytes) {
        return std::nullopt;
    }
    return request;
}
