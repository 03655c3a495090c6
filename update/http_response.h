#pragma once
// Reading one HTTP response as it arrives in the fixed response buffer: the
// status check, the end by Content-Length or by the final chunk (chunks are
// joined in place), the cookies it sets and its body. Plain functions over
// bytes, so that every step is tested and fuzzed without a socket.
#include <cstddef>
#include <string>
#include <string_view>

enum class ResponseProgress {
    kMore,      // wait for more bytes
    kComplete,  // the whole response is in the buffer
    kRefused,   // a status other than 200, 100, 301 or 302, or none
};

struct ResponseReading {
    bool statusPending = true;
    std::string status;  // the three characters after "HTTP/x.x ", empty when unchecked
    std::size_t expectedTotal = 0;
    std::size_t decoded = 0;  // body bytes made contiguous by the chunk decoding
};

// Judges the buffer after each receive. buffer holds received bytes and a
// zero byte after them; the chunk decoding may shorten them and so changes
// received.
ResponseProgress EvaluateResponse(char* buffer, std::size_t& received, ResponseReading& reading);

// Joins the chunks that have arrived behind the header block into one body,
// in place. True once the final chunk (size 0 and the blank line after it)
// is there; received then ends with the body.
bool DecodeChunkedInPlace(char* buffer, std::size_t& decoded, std::size_t& received);

// Takes the cookies the header block sets into jar ("a=1; b=2", at most
// 199 bytes): a cookie already there is replaced, one with Max-Age=0 is
// ignored, attributes are dropped.
void UpdateCookieJar(std::string& jar, std::string_view response);

// The length of the header block with its blank line; 0 while incomplete.
std::size_t HeaderBlockLength(std::string_view response);

// The body: what follows the header block (everything when there is none).
std::string_view ResponseBody(std::string_view response);
