// A server's answer as the version check reads it: received in pieces into
// the fixed response buffer, chunks joined in place, then its cookies,
// redirect, meta refresh and version text read.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "update/http_limits.h"
#include "update/http_response.h"
#include "update/http_target.h"
#include "update/version_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte sets how the answer is cut into receives.
    const std::size_t piece = 1 + data[0] % 64;
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::array<char, kHttpResponseBytes> buffer{};
    std::size_t received = 0;
    ResponseReading reading;
    while (!input.empty() && received < buffer.size() - 1) {
        const std::size_t take = std::min({piece, input.size(), buffer.size() - 1 - received});
        std::copy_n(input.data(), take, buffer.data() + received);
        input.remove_prefix(take);
        received += take;
        if (EvaluateResponse(buffer.data(), received, reading) != ResponseProgress::kMore) {
            break;
        }
    }
    const std::string_view response(buffer.data(), received);
    std::string jar(kHttpTextBytes - 1, 'j');
    UpdateCookieJar(jar, response);
    HttpTarget target{"www.camfolio.example", "/download/Camfolio.latest", kHttpDefaultPort};
    FollowLocation(target, response);
    const std::string_view body = ResponseBody(response);
    ParseMetaRefresh(body);
    ParseVersionText(body);
    return 0;
}
