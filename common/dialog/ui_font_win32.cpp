#include "common/dialog/ui_font_win32.h"

#include <cwchar>

#include "common/dialog/dpi_win32.h"
#include "common/windows_version/windows_version.h"

HFONT CreateUiFont(const UiFontStyle& style) {
    // The 500-byte form of the record: without the padded width that only
    // Vista and later know, so that older systems accept it too.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        return nullptr;
    }
    LOGFONTW font = style.menuFont ? metrics.lfMenuFont : metrics.lfMessageFont;
    // The metrics come at the system's resolution; a window on a screen of
    // another one (a per-monitor aware host) needs its own size.
    if (const UINT systemDpi = SystemDpi(); style.dpi != 0 && style.dpi != systemDpi) {
        font.lfHeight =
            MulDiv(font.lfHeight, static_cast<int>(style.dpi), static_cast<int>(systemDpi));
    }
    if (style.underline) {
        font.lfUnderline = TRUE;
    }
    if (style.bold) {
        font.lfWeight = FW_BOLD;
    }
    if (style.enlarge) {
        font.lfHeight = static_cast<LONG>(font.lfHeight * (IsMultiCardSystem() ? 1.1 : 1.2));
    }
    if (style.shrink) {
        font.lfHeight = static_cast<LONG>(font.lfHeight / 1.2);
    }
    if (style.faceName != nullptr) {
        wcsncpy_s(font.lfFaceName, LF_FACESIZE, style.faceName, _TRUNCATE);
    }
    return CreateFontIndirectW(&font);
}
