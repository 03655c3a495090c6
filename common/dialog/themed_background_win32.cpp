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
    {
        const WindowDc windowContext(window);
        context_.Reset(CreateCompatibleDC(windowContext.Get()));
        bitmap_.Reset(CreateCompatibleBitmap(windowContext.Get(), size.cx, size.cy));
    }
    if (context_.IsValid() && bitmap_.IsValid()) {
        selectedBitmap_.emplace(context_.Get(), bitmap_.Get());
        const RECT rect{0, 0, size.cx, size.cy};
        library->DrawThemeBackground(theme, context_.Get(), kTabPane, kNormal, &rect, nullptr);
    } else {
        Release();
    }
    library->CloseThemeData(theme);
}

bool ThemedBackground::Erase(HWND window, HDC context) const {
    if (!context_.IsValid() || !ThemeIsActive()) {
        return false;
    }
    RECT rect;
    GetWindowRect(window, &rect);
    // The pane's border is one pixel wide: start inside it.
    BitBlt(context, 0, 0, rect.right - rect.left, rect.bottom - rect.top, context_.Get(), 1, 1,
           SRCCOPY);
    return true;
}

HBRUSH ThemedBackground::ControlColour(HWND window, HDC controlContext, HWND control) {
    if (!context_.IsValid() || !ThemeIsActive()) {
        return nullptr;
    }
    if (!controlBrush_.IsValid()) {
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const UniqueMemoryDc pieceContext(CreateCompatibleDC(context_.Get()));
        const UniqueGdiObject piece(CreateCompatibleBitmap(context_.Get(), width, height));
        if (pieceContext.IsValid() && piece.IsValid()) {
            {
                const SelectedObject selected(pieceContext.Get(), piece.Get());
                BitBlt(pieceContext.Get(), 0, 0, width, height, context_.Get(), rect.left + 1,
                       rect.top + 1, SRCCOPY);
            }
            controlBrush_.Reset(CreatePatternBrush(piece.Bitmap()));
        }
    }
    SetBkMode(controlContext, TRANSPARENT);
    return controlBrush_.Brush();
}

void ThemedBackground::Release() {
    controlBrush_.Reset(nullptr);
    selectedBitmap_.reset();
    bitmap_.Reset(nullptr);
    context_.Reset(nullptr);
}
