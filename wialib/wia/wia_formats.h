#pragma once
// The WIA image formats the library knows: the name the listing prints and
// the file name extension items of the format get.
#include <optional>
#include <string_view>

struct WiaFormat {
    std::u16string_view guidText;  // braced, upper case
    std::u16string_view name;
    std::u16string_view extension;
};

// By the GUID's braced text, compared in upper case; nullopt for an unknown format.
std::optional<WiaFormat> FindWiaFormat(std::u16string_view guidText);
