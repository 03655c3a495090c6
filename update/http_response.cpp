#include "update/http_response.h"

#include <cstring>
#include <optional>

#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"
#include "update/http_limits.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlankLine = "\r\n\r\n";
constexpr std::size_t kMaxSizeLine = 19;

bool IsHexDigit(char c) {
    return IsAsciiDigit(c) || (FoldAscii(c) >= 'a' && FoldAscii(c) <= 'f');
}

int HexValue(char c) {
    return IsAsciiDigit(c) ? c - '0' : FoldAscii(c) - 'a' + 10;
}

// The status of a response whose first line has arrived: "" when the line
// names none.
std::string StatusOf(std::string_view response) {
    const std::size_t http = response.find("HTTP/");
    if (http == std::string_view::npos) {
        return {};
    }
    const std::size_t blank = response.find(' ', http);
    if (blank == std::string_view::npos) {
        return {};
    }
    return std::string(response.substr(blank + 1, 3));
}

bool IsFollowedStatus(std::string_view status) {
    return status == "200" || status == "100" || status == "301" || status == "302";
}

std::optional<std::size_t> ContentLength(std::string_view response) {
    const std::size_t at = response.find("Content-Length: ");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (std::size_t i = at + 16; i < response.size() && IsAsciiDigit(response[i]); ++i) {
        if (value > kHttpResponseBytes) {
            break;  // more than the buffer holds: it ends full
        }
        value = value * 10 + static_cast<std::size_t>(response[i] - '0');
    }
    return value;
}

// The pair "name=value" that starts the jar or follows "; ", if any.
std::size_t FindPair(std::string_view jar, std::string_view name) {
    for (std::size_t at = 0; at < jar.size();) {
        if (jar.substr(at).starts_with(name) && jar.substr(at + name.size()).starts_with('=')) {
            return at;
        }
        const std::size_t next = jar.find("; ", at);
        if (next == std::string_view::npos) {
            break;
        }
        at = next + 2;
    }
    return std::string_view::npos;
}

}  // namespace

std::size_t HeaderBlockLength(std::string_view response) {
    const std::size_t at = response.find(kBlankLine);
    return at == std::string_view::npos ? 0 : at + kBlankLine.size();
}

std::string_view ResponseBody(std::string_view response) {
    const std::size_t header = HeaderBlockLength(response);
    return header == 0 ? response : response.substr(header);
}

bool DecodeChunkedInPlace(char* buffer, std::size_t& decoded, std::size_t& received) {
    const std::size_t header = HeaderBlockLength(std::string_view(buffer, received));
    if (header == 0) {
        return false;
    }
    for (;;) {
        const std::size_t line = header + decoded;  // where the next size line starts
        const std::string_view rest(buffer + line, received - line);
        const std::size_t lineEnd = rest.find(kLineEnd);
        if (lineEnd == std::string_view::npos || lineEnd > kMaxSizeLine) {
            return false;
        }
        // The hexadecimal size; a chunk extension after ";" is not ours to read.
        std::size_t size = 0;
        std::size_t digits = 0;
        while (digits < lineEnd && IsHexDigit(rest[digits])) {
            size = size * 16 + static_cast<std::size_t>(HexValue(rest[digits]));
            ++digits;
        }
        if (digits == 0 || (digits < lineEnd && rest[digits] != ';')) {
            return false;
        }
        const std::size_t data = lineEnd + kLineEnd.size();
        if (size == 0) {
            // The last chunk, then optional trailers and the blank line.
            if (rest.find(kBlankLine, lineEnd) == std::string_view::npos) {
                return false;
            }
            std::memset(buffer + line, 0, received - line);
            received = line;
            return true;
        }
        if (rest.size() < data + size + kLineEnd.size()) {
            return false;
        }
        // The chunk's data over its size line, then what follows its closing line end.
        std::memmove(buffer + line, buffer + line + data, size);
        const std::size_t after = line + data + size + kLineEnd.size();
        std::memmove(buffer + line + size, buffer + after, received - after);
        const std::size_t removed = data + kLineEnd.size();
        std::memset(buffer + received - removed, 0, removed);
        received -= removed;
        decoded += size;
        if (received == header + decoded) {
            return false;
        }
    }
}

ResponseProgress EvaluateResponse(char* buffer, std::size_t& received, ResponseReading& reading) {
    std::string_view response(buffer, received);
    if (reading.statusPending) {
        reading.statusPending = false;
        // A first receive without a whole line is taken unchecked.
        if (received >= 2 && response.find(kLineEnd) != std::string_view::npos) {
            reading.status = StatusOf(response);
            if (!IsFollowedStatus(reading.status)) {
                return ResponseProgress::kRefused;
            }
        }
    }
    const std::size_t header = HeaderBlockLength(response);
    if (const auto length = ContentLength(response)) {
        if (header != 0) {
            reading.expectedTotal = *length + header;
            if (std::strlen(buffer) == reading.expectedTotal) {
                return ResponseProgress::kComplete;
            }
        }
    } else if (header != 0 &&
               response.find("Transfer-Encoding: chunked") != std::string_view::npos) {
        if (DecodeChunkedInPlace(buffer, reading.decoded, received)) {
            return ResponseProgress::kComplete;
        }
    }
    return received == reading.expectedTotal ? ResponseProgress::kComplete
                                             : ResponseProgress::kMore;
}

void UpdateCookieJar(std::string& jar, std::string_view response) {
    const std::size_t header = HeaderBlockLength(response);
    const std::string_view headers = header == 0 ? response : response.substr(0, header);
    constexpr std::string_view kSetCookie = "Set-Cookie: ";
    for (std::size_t at = headers.find(kSetCookie); at != std::string_view::npos;
         at = headers.find(kSetCookie, at + kSetCookie.size())) {
        const std::size_t lineEnd = std::min(headers.find(kLineEnd, at), headers.size());
        const std::string_view line = headers.substr(at, lineEnd - at);
        if (FindNoCase(line, "Max-Age=0", 0) != std::string_view::npos) {
            continue;
        }
        std::string_view pair = line.substr(kSetCookie.size());
        pair = pair.substr(0, std::min(pair.find(';'), pair.size()));
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            continue;
        }
        const std::size_t old = FindPair(jar, pair.substr(0, equals));
        if (old != std::string_view::npos) {
            const std::size_t end = std::min(jar.find("; ", old), jar.size());
            jar.replace(old, end - old, pair);
        } else {
            if (!jar.empty()) {
                jar.append("; ");
            }
            jar.append(pair);
        }
        if (jar.size() > kHttpTextBytes - 1) {
            jar.resize(kHttpTextBytes - 1);
        }
    }
}
