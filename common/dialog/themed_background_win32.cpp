#include "common/dialog/themed_background_win32.h"

#include "common/dialog/theme_library_win32.h"

namespace {
constexpr int kTabPane = 9;  // TABP_PANE
constexpr int kNormal = 1;
}  // namespace

void ThemedBackground::Prepare(HWND window, SIZE size) {
    Release();
    const ThemeLibrary* library = ThemeLibrary::Current();
    if (library == nullptr || !library->IsThemeActive()) {
        return;
    }
    HTHEME theme = library->OpenThemeData(window, L"TAB");
    if (theme == nullptr) {
        return;
    }
    HDC windowContext = GetDC(window);
    context_ = CreateCompatibleDC(windowContext);
    bitmap_.Reset(CreateCompatibleBitmap(windowContext, size.cx, size.cy));
    ReleaseDC(window, windowContext);
    if (context_ != nullptr && bitmap_.Get() != nullptr) {
        previousBitmap_ = SelectObject(context_, bitmap_.Get());
        const RECT rect{0, 0, size.cx, size.cy};
        library->DrawThemeBackground(theme, context_, kTabPane, kNormal, &rect, nullptr);
    } else {
        Release();
    }
    library->CloseThemeData(theme);
}

bool ThemedBackground::Erase(HWND window, HDC context) const {
    if (context_ == nullptr || !ThemeIsActive()) {
        return false;
    }
    RECT rect;
    GetWindowRect(window, &rect);
    // The pane's border is one pixel wide: start inside it.
    BitBlt(context, 0, 0, rect.right - rect.left, rect.bottom - rect.top, context_, 1, 1, SRCCOPY);
    return true;
}

HBRUSH ThemedBackground::ControlColour(HWND window, HDC controlContext, HWND control) {
    if (context_ == nullptr || !ThemeIsActive()) {
        return nullptr;
    }
    if (controlBrush_.Get() == nullptr) {
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        HDC pieceContext = CreateCompatibleDC(context_);
        UniqueGdiObject piece(CreateCompatibleBitmap(context_, width, height));
        if (pieceContext != nullptr && piece.Get() != nullptr) {
            HGDIOBJ previous = SelectObject(pieceContext, piece.Get());
            BitBlt(pieceContext, 0, 0, width, height, context_, rect.left + 1, rect.top + 1,
                   SRCCOPY);
            SelectObject(pieceContext, previous);
            controlBrush_.Reset(CreatePatternBrush(piece.Bitmap()));
        }
        if (pieceContext != nullptr) {
            DeleteDC(pieceContext);
        }
    }
    SetBkMode(controlContext, TRANSPARENT);
    return controlBrush_.Brush();
}

void ThemedBackground::Release() {
    controlBrush_.Reset(nullptr);
    if (context_ != nullptr) {
        if (previousBitmap_ != nullptr) {
            SelectObject(context_, previousBitmap_);
            previousBitmap_ = nullptr;
        }
        DeleteDC(context_);
        context_ = nullptr;
    }
    bitmap_.Reset(nullptr);
}
