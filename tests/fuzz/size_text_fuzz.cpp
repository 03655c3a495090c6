// Feeds the size reader the texts a shell column could hold, with a decimal
// separator of any length, so that the sanitizers see any read beyond the
// text and any conversion outside the 64-bit range.
//
// Input: one byte giving the separator's length (in units), then UTF-16LE
// units: the separator, then the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "state/directory/size_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::u16string units;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::size_t separatorLength = std::min<std::size_t>(data[0] % 8, units.size());
    const std::u16string separator = units.substr(0, separatorLength);
    const std::u16string text = units.substr(separatorLength);
    ParseSizeTextWith(text, separator);
    return 0;
}
