#include "state/directory/size_text_win32.h"

#include <windows.h>

#include "common/win32/wide_win32.h"
#include "state/directory/size_text.h"

std::uint64_t ParseSizeText(std::u16string_view text) {
    // The locale answers with at most 4 units and its terminator.
    wchar_t separator[5] = {};
    const int units = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                     static_cast<int>(std::size(separator)));
    const std::u16string_view decimal =
        units > 1 ? std::u16string_view(AsU16(separator), static_cast<std::size_t>(units - 1))
                  : std::u16string_view(u".");
    return ParseSizeTextWith(text, decimal);
}
