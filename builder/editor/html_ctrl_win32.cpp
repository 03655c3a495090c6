#include "builder/editor/html_ctrl_win32.h"

#include <algorithm>
#include <vector>

// The module's own instance, where its window class is registered.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr wchar_t kClassName[] = L"CamfolioTokenEditor";
constexpr int kWheelLines = 3;

HINSTANCE ModuleInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool IsKeyDown(int key) {
    return GetKeyState(key) < 0;
}

// Enter, Escape, F5, F11 and the clipboard's keys do nothing in the editor.
bool IsSwallowedKey(WPARAM key) {
    switch (key) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_F5:
        case VK_F11:
            return true;
        case VK_INSERT:
            return IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL);
        case 'C':
        case 'V':
        case 'X':
            return IsKeyDown(VK_CONTROL);
        default:
            return false;
    }
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Paints into a bitmap first, so that the editor does not flicker.
class OffscreenCanvas {
  public:
    OffscreenCanvas(HDC target, const RECT& area)
        : context_(CreateCompatibleDC(target)),
          bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
          selected_(bitmap_.IsValid() ? context_.Get() : nullptr, bitmap_.Get()) {
        SetViewportOrgEx(context_.Get(), -area.left, -area.top, nullptr);
    }

    bool IsReady() const { return context_.IsValid() && bitmap_.IsValid(); }
    HDC Get() const { return context_.Get(); }

  private:
    // In this order: the bitmap is selected out before either is deleted.
    UniqueMemoryDc context_;
    UniqueGdiObject bitmap_;
    SelectedObject selected_;
};

void RegisterEditorClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    windowClass.lpszClassName = kClassName;
    // A second registration fails harmlessly: the class is the same.
    RegisterClassExW(&windowClass);
}

}  // namespace

CHtmlCtrl::CHtmlCtrl(std::u16string_view blockedCharacters) : blocked_(blockedCharacters) {}

CHtmlCtrl::~CHtmlCtrl() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool CHtmlCtrl::CreateInPlaceOf(HWND dialog, int controlId) {
    HWND placeholder = GetDlgItem(dialog, controlId);
    if (window_ != nullptr || placeholder == nullptr) {
        return false;
    }
    RECT rect{};
    GetWindowRect(placeholder, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    RegisterEditorClass(&CHtmlCtrl::WindowProc);
    if (CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), ModuleInstance(),
                        this) == nullptr) {
        return false;
    }
    SetWindowPos(window_, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(placeholder);
    look_.Open(window_);
    Refresh();
    return true;
}

bool CHtmlCtrl::WriteDocument(std::u16string_view document) {
    if (!document_.LoadDocument(document)) {
        return false;
    }
    scrollY_ = 0;
    Refresh();
    return true;
}

void CHtmlCtrl::InsertTokenAtCaret(std::u16string_view buttonHtml, bool atStart) {
    document_.InsertHtml(buttonHtml, atStart);
    Refresh();
    Focus();
}

void CHtmlCtrl::Focus() {
    if (window_ != nullptr) {
        SetFocus(window_);
    }
}

void CHtmlCtrl::MoveCaretToEnd() {
    document_.MoveEnd(false);
    Refresh();
}

LRESULT CALLBACK CHtmlCtrl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creator =
            static_cast<CHtmlCtrl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        creator->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
    }
    auto* self = reinterpret_cast<CHtmlCtrl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->look_.CloseTheme();
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CHtmlCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnFilteredInput(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_GETDLGCODE: {
            // Every key is the editor's, Enter and Escape included, so that the
            // dialog does not close; Tab still moves the focus.
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
                return DLGC_WANTARROWS | DLGC_WANTCHARS;
            }
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        }
        case WM_SETFOCUS:
            CreateCaret(window_, nullptr, GetSystemMetrics(SM_CXBORDER) * 2, look_.TextHeight());
            PlaceCaret();
            ShowCaret(window_);
            return 0;
        case WM_KILLFOCUS:
            DestroyCaret();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            OnMouse(message, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            selecting_ = false;
            return 0;
        case WM_VSCROLL:
            OnScroll(wParam);
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(scrollY_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines * look_.LineHeight() /
                                    WHEEL_DELTA);
            return 0;
        case WM_SIZE:
            Refresh();
            return 0;
        case WM_THEMECHANGED:
            look_.ReopenTheme(window_);
            Refresh();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window_, &client);
            look_.Paint(reinterpret_cast<HDC>(wParam), client, Origin(), document_.Items(), layout_,
                        {document_.SelectionStart(), document_.SelectionEnd()});
            return 0;
        }
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

// The input filter: true when the message was swallowed or is handled here
// completely, keyboard messages that pass being forwarded to the dialog.
bool CHtmlCtrl::OnFilteredInput(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (IsSwallowedKey(wParam)) {
                return true;
            }
            if (message == WM_KEYDOWN) {
                OnKeyDown(wParam);
            }
            break;
        case WM_CHAR: {
            const auto unit = static_cast<char16_t>(wParam);
            if (blocked_.find(unit) != std::u16string::npos) {
                return true;
            }
            document_.TypeCharacter(unit);
            Refresh();
            break;
        }
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return inputFilter_;
        case WM_RBUTTONUP:
            if (inputFilter_) {
                SendMessageW(GetParent(window_), WM_CONTEXTMENU, wParam, lParam);
            }
            return inputFilter_;
        default:
            return false;
    }
    if (forwardInput_) {
        SendMessageW(GetParent(window_), message, wParam, lParam);
    }
    return true;
}

void CHtmlCtrl::OnKeyDown(WPARAM key) {
    const bool shift = IsKeyDown(VK_SHIFT);
    switch (key) {
        case VK_LEFT:
            document_.MoveLeft(shift);
            break;
        case VK_RIGHT:
            document_.MoveRight(shift);
            break;
        case VK_HOME:
            document_.MoveHome(shift);
            break;
        case VK_END:
            document_.MoveEnd(shift);
            break;
        case VK_UP:
            MoveVertically(-1, shift);
            break;
        case VK_DOWN:
            MoveVertically(1, shift);
            break;
        case VK_BACK:
            document_.Backspace();
            break;
        case VK_DELETE:
            document_.Delete();
            break;
        case 'A':
            if (!IsKeyDown(VK_CONTROL)) {
                return;
            }
            document_.SelectAll();
            break;
        default:
            return;
    }
    Refresh();
}

void CHtmlCtrl::MoveVertically(int lines, bool extend) {
    const CaretPlace place = CaretPlaceOf(layout_, document_.Caret());
    const int line = place.line + lines;
    if (line < 0) {
        document_.MoveHome(extend);
    } else if (line >= layout_.lineCount) {
        document_.MoveEnd(extend);
    } else {
        document_.SetCaret(CaretIndexAt(layout_, place.x, line), extend);
    }
}

void CHtmlCtrl::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            Focus();
            document_.SetCaret(IndexAt(lParam), (wParam & MK_SHIFT) != 0);
            SetCapture(window_);
            selecting_ = true;
            break;
        case WM_MOUSEMOVE:
            if (!selecting_) {
                return;
            }
            document_.SetCaret(IndexAt(lParam), true);
            break;
        default:
            if (selecting_) {
                ReleaseCapture();
            }
            return;
    }
    Refresh();
}

std::size_t CHtmlCtrl::IndexAt(LPARAM point) const {
    const POINT at = PointOf(point);
    const POINT origin = Origin();
    const int y = at.y - origin.y;
    const int line = y < 0 ? -1 : y / look_.LineHeight();
    return CaretIndexAt(layout_, at.x - origin.x, line);
}

void CHtmlCtrl::OnScroll(WPARAM request) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, SB_VERT, &info);
    const int page = static_cast<int>(info.nPage);
    switch (LOWORD(request)) {
        case SB_LINEUP:
            ScrollTo(scrollY_ - look_.LineHeight());
            break;
        case SB_LINEDOWN:
            ScrollTo(scrollY_ + look_.LineHeight());
            break;
        case SB_PAGEUP:
            ScrollTo(scrollY_ - page);
            break;
        case SB_PAGEDOWN:
            ScrollTo(scrollY_ + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            ScrollTo(info.nTrackPos);
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(contentHeight_);
            break;
        default:
            break;
    }
}

void CHtmlCtrl::OnPaint() {
    PAINTSTRUCT paint{};
    HDC target = BeginPaint(window_, &paint);
    const EditorSelection selection{document_.SelectionStart(), document_.SelectionEnd()};
    const OffscreenCanvas canvas(target, paint.rcPaint);
    if (canvas.IsReady()) {
        look_.Paint(canvas.Get(), paint.rcPaint, Origin(), document_.Items(), layout_, selection);
        BitBlt(target, paint.rcPaint.left, paint.rcPaint.top,
               paint.rcPaint.right - paint.rcPaint.left, paint.rcPaint.bottom - paint.rcPaint.top,
               canvas.Get(), paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    } else {
        look_.Paint(target, paint.rcPaint, Origin(), document_.Items(), layout_, selection);
    }
    EndPaint(window_, &paint);
}

void CHtmlCtrl::Refresh() {
    if (window_ == nullptr) {
        return;
    }
    LayOut();
    RECT client{};
    GetClientRect(window_, &client);
    const CaretPlace caret = CaretPlaceOf(layout_, document_.Caret());
    const int margin = look_.BodyMargin();
    const int top = margin + caret.line * look_.LineHeight();
    int y = std::min(scrollY_, top - margin);
    y = std::max(y, top + look_.LineHeight() + margin - static_cast<int>(client.bottom));
    ScrollTo(y);
    InvalidateRect(window_, nullptr, FALSE);
}

// Wraps to the client's width, narrowed by the scroll bar only when the
// content does not fit without it.
void CHtmlCtrl::LayOut() {
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    RECT client{};
    GetClientRect(window_, &client);
    const bool hasScrollBar = (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VSCROLL) != 0;
    const int scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int fullWidth = client.right + (hasScrollBar ? scrollBarWidth : 0);
    const std::vector<int> widths = [&] {
        const WindowDc context(window_);
        return look_.MeasureItems(context.Get(), document_.Items());
    }();
    const int margin = look_.BodyMargin();
    layout_ = LayOutItems(document_.Items(), widths, fullWidth - 2 * margin);
    contentHeight_ = layout_.lineCount * look_.LineHeight() + 2 * margin;
    if (contentHeight_ > client.bottom) {
        layout_ = LayOutItems(document_.Items(), widths, fullWidth - scrollBarWidth - 2 * margin);
        contentHeight_ = layout_.lineCount * look_.LineHeight() + 2 * margin;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMax = contentHeight_ - 1;
    info.nPage = static_cast<UINT>(std::max(0L, client.bottom));
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
    layingOut_ = false;
}

void CHtmlCtrl::ScrollTo(int y) {
    RECT client{};
    GetClientRect(window_, &client);
    const int y2 = std::clamp(y, 0, std::max(0, contentHeight_ - static_cast<int>(client.bottom)));
    if (y2 != scrollY_) {
        scrollY_ = y2;
        InvalidateRect(window_, nullptr, FALSE);
    }
    SetScrollPos(window_, SB_VERT, scrollY_, TRUE);
    PlaceCaret();
}

void CHtmlCtrl::PlaceCaret() {
    if (GetFocus() != window_) {
        return;
    }
    const CaretPlace caret = CaretPlaceOf(layout_, document_.Caret());
    const POINT origin = Origin();
    SetCaretPos(origin.x + caret.x, origin.y + caret.line * look_.LineHeight() +
                                        (look_.LineHeight() - look_.TextHeight()) / 2);
}

POINT CHtmlCtrl::Origin() const {
    return {look_.BodyMargin(), look_.BodyMargin() - scrollY_};
}
