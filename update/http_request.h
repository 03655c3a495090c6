#pragma once
// The GET request the version check sends.
#include <optional>
#include <string>
#include <string_view>

// The request lines in their fixed order, the cookie line only with a jar;
// nullopt when they do not fit the 8192-byte request buffer.
std::optional<std::string> BuildGetRequest(std::string_view path, std::string_view host,
                                           std::string_view userAgent, std::string_view cookieJar);
