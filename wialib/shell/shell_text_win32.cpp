#include "wialib/shell/shell_text_win32.h"

#include <string_view>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "wialib/shell/shell_names.h"

namespace {

std::u16string Cut(std::u16string_view text) {
    return std::u16string(text.substr(0, kShellNameUnits - 1));
}

}  // namespace

std::u16string StrRetText(STRRET& value) {
    switch (value.uType) {
        case STRRET_WSTR: {
            const UniqueTaskMemory<wchar_t> owned(value.pOleStr);
            value.pOleStr = nullptr;
            return owned.IsValid() ? Cut(AsU16(owned.Get())) : std::u16string();
        }
        case STRRET_CSTR: {
            // The shell's buffer need not hold a terminator.
            const int length = static_cast<int>(BoundedLength(value.cStr, std::size(value.cStr)));
            // An ANSI byte never gives more than one UTF-16 unit.
            wchar_t wide[std::size(STRRET{}.cStr)] = {};
            const int units = MultiByteToWideChar(CP_ACP, 0, value.cStr, length, wide,
                                                  static_cast<int>(std::size(wide)));
            return Cut(std::u16string_view(AsU16(wide), units > 0 ? units : 0));
        }
        default:
            break;
    }
    char16_t text[32] = {};
    WsPrintf(text, static_cast<int>(std::size(text)), u"<Type: %d>", static_cast<int>(value.uType));
    return text;
}

std::optional<std::u16string> ChildName(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags) {
    STRRET value{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &value))) {
        return std::nullopt;
    }
    return StrRetText(value);
}

std::optional<std::u16string> ChildDetail(IShellFolder2* folder, PCUITEMID_CHILD child,
                                          UINT column) {
    if (folder == nullptr) {
        return std::nullopt;
    }
    SHELLDETAILS details{};
    if (FAILED(folder->GetDetailsOf(child, column, &details))) {
        return std::nullopt;
    }
    return StrRetText(details.str);
}
