// Feeds the formatter arbitrary templates, as a translated language file
// could, against a fixed set of arguments of every kind, into buffers of
// exact size so that the sanitizers see any access beyond them.
//
// Input: one byte choosing the text kind and the capacity, then the template.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "diag/text/bounded_format.h"

namespace {

const FormatArg kArgs[] = {
    FormatArg(42),
    FormatArg(u"wide text"),
    FormatArg("narrow text"),
    FormatArg(-7LL),
    FormatArg(3.25),
    FormatArg(u'W'),
    FormatArg(static_cast<const char16_t*>(nullptr)),
    FormatArg(0xFFFFFFFFu),
};

template <typename CharT>
void Run(const std::uint8_t* data, std::size_t size, std::size_t capacity) {
    std::vector<CharT> format(data, data + size);
    format.push_back(CharT{});
    std::vector<CharT> out(capacity);
    // The argument list is cut short at random too: missing arguments must
    // only ever print a marker.
    const std::size_t argCount = size % (std::size(kArgs) + 1);
    const FormatResult result = FormatBounded(out.data(), out.size(), format.data(),
                                              std::span<const FormatArg>(kArgs, argCount));
    if (capacity > 0 && (result.length >= capacity || out[result.length] != CharT{})) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool wide = (data[0] & 0x80) != 0;
    const std::size_t capacity = data[0] & 0x7F;
    if (wide) {
        Run<char16_t>(data + 1, size - 1, capacity);
    } else {
        Run<char>(data + 1, size - 1, capacity);
    }
    return 0;
}
