#pragma once
// GUIDs between WIA and the library: as plain data for the trace names, as
// braced upper-case text (the form the format table and item records keep)
// and back.
#include <objbase.h>

#include <algorithm>
#include <string>

#include "common/win32/wide_win32.h"
#include "wialib/names/guid.h"

inline Guid ToGuid(const GUID& guid) {
    Guid plain{guid.Data1, guid.Data2, guid.Data3, {}};
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), plain.data4.begin());
    return plain;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as StringFromGUID2 writes it.
inline std::u16string GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    const int units = StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return units > 0 ? std::u16string(AsU16(text)) : std::u16string();
}

// False when the text is not a braced GUID.
inline bool ParseGuidText(const char16_t* text, GUID* guid) {
    if (text == nullptr || text[0] != u'{') {
        return false;
    }
    std::wstring copy(AsWide(text));
    return SUCCEEDED(CLSIDFromString(copy.data(), guid));
}
