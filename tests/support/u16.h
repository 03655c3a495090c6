#pragma once
// Test conveniences for UTF-16 text.
#include <string>

inline std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return out;
}

inline std::u16string Widen(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}
