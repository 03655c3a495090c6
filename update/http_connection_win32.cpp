#include "update/http_connection_win32.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

#include "diag/text/text_units.h"
#include "update/http_limits.h"
#include "update/http_request.h"
#include "update/http_response.h"

namespace {

// Waits are cut into slices so that a cancelled check ends quickly.
constexpr DWORD kSliceMs = 100;

// Up to four groups of at most three digits, each below 256.
bool IsDottedDecimal(const std::string& host) {
    int groups = 0;
    std::size_t at = 0;
    while (at < host.size()) {
        std::size_t digits = 0;
        int value = 0;
        while (at < host.size() && IsAsciiDigit(host[at]) && digits < 4) {
            value = value * 10 + (host[at] - '0');
            ++digits;
            ++at;
        }
        if (digits == 0 || digits > 3 || value > 255 || ++groups > 4) {
            return false;
        }
        if (at < host.size()) {
            if (host[at] != '.') {
                return false;
            }
            ++at;
        }
    }
    return groups > 0;
}

}  // namespace

HttpConnection::HttpConnection(HttpTarget target, std::string userAgent,
                               const HttpTimeouts& timeouts, const std::atomic<bool>* cancelled)
    : target_(std::move(target)),
      userAgent_(std::move(userAgent)),
      timeouts_(timeouts),
      cancelled_(cancelled),
      response_(kHttpResponseBytes) {}

HttpConnection::~HttpConnection() {
    Close();
}

void HttpConnection::Close() {
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

bool HttpConnection::Pause(DWORD ms) const {
    for (DWORD waited = 0; waited < ms; waited += kSliceMs) {
        if (cancelled_ != nullptr && *cancelled_) {
            return false;
        }
        Sleep(std::min(kSliceMs, ms - waited));
    }
    return cancelled_ == nullptr || !*cancelled_;
}

bool HttpConnection::Open() {
    WSADATA data;
    startResult_ = WSAStartup(MAKEWORD(1, 1), &data);
    if (startResult_ != 0) {
        return false;
    }
    return Resolve() && Connect(false, false);
}

bool HttpConnection::Resolve() {
    lastError_ = 0;
    if (IsDottedDecimal(target_.host)) {
        address_.s_addr = inet_addr(target_.host.c_str());
        return true;
    }
    const hostent* host = gethostbyname(target_.host.c_str());
    if (host == nullptr || host->h_addr_list == nullptr || host->h_addr_list[0] == nullptr) {
        lastError_ = WSAGetLastError();
        return false;
    }
    std::memcpy(&address_, host->h_addr_list[0], sizeof address_);
    return true;
}

bool HttpConnection::Connect(bool closeFirst, bool resolveFirst) {
    if (closeFirst) {
        Close();
    }
    if (resolveFirst && !Resolve()) {
        return false;
    }
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) {
        lastError_ = WSAGetLastError();
        return false;
    }
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<u_short>(target_.port));
    remote.sin_addr = address_;
    const auto* name = reinterpret_cast<const sockaddr*>(&remote);
    if (connect(socket_, name, sizeof remote) == 0) {
        return true;
    }
    // A socket whose connection failed is not reused: the retry gets a new one.
    Close();
    if (Pause(timeouts_.retryMs)) {
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (socket_ != INVALID_SOCKET && connect(socket_, name, sizeof remote) == 0) {
            return true;
        }
    }
    lastError_ = WSAGetLastError();
    Close();
    return false;
}

bool HttpConnection::WaitSocket(bool forReading, DWORD timeoutMs) const {
    if (socket_ == INVALID_SOCKET) {
        return false;
    }
    for (DWORD waited = 0; waited < timeoutMs; waited += kSliceMs) {
        if (cancelled_ != nullptr && *cancelled_) {
            return false;
        }
        const DWORD slice = std::min(kSliceMs, timeoutMs - waited);
        fd_set set;
        FD_ZERO(&set);
        FD_SET(socket_, &set);
        timeval wait{static_cast<long>(slice / 1000), static_cast<long>(slice % 1000 * 1000)};
        const int ready =
            select(0, forReading ? &set : nullptr, forReading ? nullptr : &set, nullptr, &wait);
        if (ready != 0) {
            return ready == 1;
        }
    }
    return false;
}

bool HttpConnection::SendGet() {
    const auto request = BuildGetRequest(target_.path, target_.host, userAgent_, cookieJar_);
    if (!request || !WaitSocket(false, timeouts_.sendMs)) {
        return false;
    }
    const int sent = send(socket_, request->data(), static_cast<int>(request->size()), 0);
    return sent > 0;
}

std::size_t HttpConnection::ReadResponse(std::string& status, bool& refused) {
    std::fill(response_.begin(), response_.end(), '\0');
    refused = false;
    std::size_t received = 0;
    ResponseReading reading;
    const std::size_t capacity = response_.size() - 1;  // one byte stays the terminator
    while (WaitSocket(true, timeouts_.receiveMs)) {
        u_long waiting = 0;
        if (ioctlsocket(socket_, FIONREAD, &waiting) != 0 || waiting == 0) {
            break;
        }
        const std::size_t want = std::min<std::size_t>(waiting, capacity - received);
        const int got = recv(socket_, response_.data() + received, static_cast<int>(want), 0);
        if (got == 0) {
            status = reading.status;
            return received;  // closed by the server
        }
        if (got < 0) {
            break;
        }
        received += static_cast<std::size_t>(got);
        if (received == capacity) {
            status = reading.status;
            return received;
        }
        const ResponseProgress progress = EvaluateResponse(response_.data(), received, reading);
        if (progress == ResponseProgress::kRefused) {
            refused = true;
            break;
        }
        if (progress == ResponseProgress::kComplete) {
            break;
        }
    }
    status = reading.status;
    if (received != 0 && !refused) {
        UpdateCookieJar(cookieJar_, std::string_view(response_.data(), received));
    }
    return received;
}

std::optional<std::string> HttpConnection::Get(const std::optional<HttpTarget>& next) {
    if (next) {
        if (++hops_ > kHttpMaxHops) {
            return std::nullopt;  // a loop of refreshes
        }
        if (MoveTo(target_, *next) == TargetMove::kNewServer) {
            hostChanged_ = true;
            Connect(true, true);  // a failure shows when sending
        }
    }
    if (!SendGet()) {
        return std::nullopt;
    }
    for (;;) {
        std::string status;
        bool refused = false;
        const std::size_t received = ReadResponse(status, refused);
        const std::string_view response(response_.data(), received);
        const bool redirect = !refused && (status == "301" || status == "302");
        const TargetMove move = redirect ? FollowLocation(target_, response) : TargetMove::kNone;
        if (move == TargetMove::kNone) {
            const std::string_view body = ResponseBody(response);
            if (body.empty()) {
                return std::nullopt;
            }
            return std::string(body.substr(0, kHttpResponseBytes - 1));
        }
        if (++hops_ > kHttpMaxHops) {
            return std::nullopt;  // a loop of redirects
        }
        hostChanged_ = hostChanged_ || move == TargetMove::kNewServer;
        if ((hostChanged_ && !Connect(true, true)) || !SendGet()) {
            return std::nullopt;
        }
    }
}
