#pragma once
// Language files as bytes: UTF-16LE, as the applet reads them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::byte> Utf16LeBytes(std::u16string_view text) {
    std::vector<std::byte> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    return bytes;
}

// A byte-order mark, then each line ended by CR LF.
inline std::vector<std::byte> LanguageFileBytes(const std::vector<std::u16string>& lines) {
    std::u16string text = u"\xFEFF";
    for (const std::u16string& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return Utf16LeBytes(text);
}

// The four header lines every accepted file has, then body.
inline std::vector<std::u16string> WithHeader(const std::vector<std::u16string>& body) {
    std::vector<std::u16string> lines = {u"LangID=0x0407", u"LangNative=Deutsch",
                                         u"LangEnglish=German", u"LangVer=1"};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}
