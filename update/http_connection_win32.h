#pragma once
// One HTTP/1.1 connection of the version check, on WinSock: resolving,
// connecting (with one retry), sending a GET and reading its response into
// the fixed response buffer, following redirects. Every wait is bounded and
// ends early once the check is cancelled from another thread.
#include <winsock2.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "update/http_target.h"

struct HttpTimeouts {
    DWORD sendMs = 250;
    DWORD receiveMs = 60000;  // for each wait for incoming data
    DWORD retryMs = 1000;     // between the two connection attempts
};

class HttpConnection {
  public:
    HttpConnection(HttpTarget target, std::string userAgent, const HttpTimeouts& timeouts,
                   const std::atomic<bool>* cancelled);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    // Starts the socket library, resolves the host and connects.
    bool Open();
    // Requests the current target, or next when given (connecting again for
    // another server), following redirects; the body (at most 10239 bytes),
    // nullopt on failure or when it is empty.
    std::optional<std::string> Get(const std::optional<HttpTarget>& next);

    const HttpTarget& Target() const { return target_; }
    const std::string& CookieJar() const { return cookieJar_; }
    int LastError() const { return lastError_; }

  private:
    bool Resolve();
    bool Connect(bool closeFirst, bool resolveFirst);
    void Close();
    bool WaitSocket(bool forReading, DWORD timeoutMs) const;
    bool Pause(DWORD ms) const;
    bool SendGet();
    // The bytes received; status and refused say how the response began.
    std::size_t ReadResponse(std::string& status, bool& refused);

    HttpTarget target_;
    std::string userAgent_;
    HttpTimeouts timeouts_;
    const std::atomic<bool>* cancelled_;
    SOCKET socket_ = INVALID_SOCKET;
    int lastError_ = 0;
    int startResult_ = -1;
    IN_ADDR address_{};
    bool hostChanged_ = false;
    int hops_ = 0;
    std::vector<char> response_;
    std::string cookieJar_;
};
