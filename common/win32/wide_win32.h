#pragma once
// The one crossing between portable UTF-16 (char16_t) and the Win32 API's
// wchar_t, which is the same 16-bit unit on Windows.
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline const wchar_t* AsWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* AsWide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}
inline const char16_t* AsU16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* AsU16(wchar_t* text) {
    return reinterpret_cast<char16_t*>(text);
}
inline std::u16string_view AsU16(std::wstring_view text) {
    return {AsU16(text.data()), text.size()};
}
