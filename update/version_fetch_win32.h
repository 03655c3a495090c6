#pragma once
// Fetching the version file: where it is, and its text.
#include <atomic>
#include <optional>
#include <string>

#include "update/http_connection_win32.h"

// The value of HKEY_LOCAL_MACHINE\SOFTWARE\Camfolio that names another server
// ("host[:port]") for networks that mirror the version file.
inline constexpr char16_t kUpdateServerValue[] = u"UpdateServer";

// "/download/Camfolio.latest" at the vendor's host, port 80, or at the server
// the machine names instead.
HttpTarget VersionFileTarget();

// The version file's text (at most 10239 bytes), following redirects and meta
// refreshes; nullopt when there is no network, the server cannot be reached
// or answers with nothing, or the check is cancelled.
std::optional<std::string> FetchLatestVersionText(const HttpTarget& versionFile,
                                                  const HttpTimeouts& timeouts,
                                                  const std::atomic<bool>* cancelled);
