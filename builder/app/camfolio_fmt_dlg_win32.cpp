#include "builder/app/camfolio_fmt_dlg_win32.h"

#include <iterator>

#include "builder/app/builder_resources.h"
#include "builder/app/camfolio_fmt_dlg_ids.h"
#include "builder/app/digits_dlg_win32.h"
#include "builder/app/range_dlg_win32.h"
#include "builder/app/selector_results.h"
#include "builder/app/sizing_clamp.h"
#include "builder/convert/catalogue_caption.h"
#include "builder/convert/format_html.h"
#include "builder/convert/token_button_html.h"
#include "builder/editor/editor_html.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/text_ids.h"
#include "common/dialog/controls_win32.h"
#include "common/dialog/dpi_win32.h"
#include "common/format/format_file_name.h"
#include "common/format/local_time.h"
#include "common/format/source_file_info.h"
#include "common/system/product_icon_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/text/text_units.h"

namespace {

constexpr wchar_t kTitle[] = L"Filename Format Builder";
constexpr UINT_PTR kExampleTimer = 1;
constexpr UINT_PTR kFocusTimer = 2;
constexpr UINT kTimerPeriodMs = 100;
constexpr std::size_t kExampleCapacity = kPathUnits;
constexpr char16_t kOriginalDirectoryToken[] = u"<P>";

// The case list's entries, in the order of their case tokens (<Fo> <Fl> <Fu>).
constexpr std::int32_t kCaseEntries[] = {text_id::kCaseUnchanged, text_id::kCaseLower,
                                         text_id::kCaseUpper};

struct Caption {
    int controlId;
    std::int32_t textId;
};

// Every caption of the dialog that the catalogue gives.
constexpr Caption kCaptions[] = {
    {IDC_FMT_ORIGINAL_GROUP, text_id::kOriginalNameGroup},
    {IDC_FMT_ORIGINAL_NAME, text_id::kOriginalName},
    {IDC_FMT_ORIGINAL_RANGE, text_id::kOriginalNameRange},
    {IDC_FMT_METADATA_GROUP, text_id::kMetadata},
    {IDC_FMT_CAMERA_NAME, text_id::kCameraName},
    {IDC_FMT_IMAGE_WIDTH, text_id::kImageWidth},
    {IDC_FMT_IMAGE_HEIGHT, text_id::kImageHeight},
    {IDC_FMT_DATE_GROUP, text_id::kDate},
    {IDC_FMT_DATE_LONG_LABEL, text_id::kLongLabel},
    {IDC_FMT_DATE_SHORT_LABEL, text_id::kShortLabel},
    {IDC_FMT_YEAR_LONG, text_id::kYear},
    {IDC_FMT_MONTH_LONG, text_id::kMonth},
    {IDC_FMT_DAY_LONG, text_id::kDay},
    {IDC_FMT_YEAR_SHORT, text_id::kYear},
    {IDC_FMT_MONTH_SHORT, text_id::kMonth},
    {IDC_FMT_DAY_SHORT, text_id::kDay},
    {IDC_FMT_TIME_GROUP, text_id::kTime},
    {IDC_FMT_TIME_LONG_LABEL, text_id::kLongLabel},
    {IDC_FMT_TIME_SHORT_LABEL, text_id::kShortLabel},
    {IDC_FMT_HOUR_LONG, text_id::kHour},
    {IDC_FMT_MINUTE_LONG, text_id::kMinute},
    {IDC_FMT_SECOND_LONG, text_id::kSecond},
    {IDC_FMT_HOUR_SHORT, text_id::kHour},
    {IDC_FMT_MINUTE_SHORT, text_id::kMinute},
    {IDC_FMT_SECOND_SHORT, text_id::kSecond},
    {IDC_FMT_OTHER_GROUP, text_id::kOther},
    {IDC_FMT_COUNTER, text_id::kCounterEllipsis},
    {IDC_FMT_AM_PM, text_id::kAmPmTime},
    {IDC_FMT_DIRECTORY_SEPARATOR, text_id::kDirectorySeparator},
    {IDC_FMT_CASE_LABEL, text_id::kTextFormatLabel},
    {IDC_FMT_SOURCE_EXAMPLE_LABEL, text_id::kOriginalExampleLabel},
    {IDC_FMT_NEW_EXAMPLE_LABEL, text_id::kNewExampleLabel},
    {IDOK, text_id::kOk},
    {IDCANCEL, text_id::kCancel},
    {IDC_FMT_CLEAR, text_id::kClear},
};

// The buttons that insert their token at the caret as they are.
struct TokenButton {
    int controlId;
    std::u16string (*html)();
};

constexpr TokenButton kTokenButtons[] = {
    {IDC_FMT_YEAR_LONG, YearLongButtonHtml},
    {IDC_FMT_MONTH_LONG, MonthLongButtonHtml},
    {IDC_FMT_DAY_LONG, DayLongButtonHtml},
    {IDC_FMT_YEAR_SHORT, YearShortButtonHtml},
    {IDC_FMT_MONTH_SHORT, MonthShortButtonHtml},
    {IDC_FMT_DAY_SHORT, DayShortButtonHtml},
    {IDC_FMT_HOUR_LONG, HourLongButtonHtml},
    {IDC_FMT_MINUTE_LONG, MinuteLongButtonHtml},
    {IDC_FMT_SECOND_LONG, SecondLongButtonHtml},
    {IDC_FMT_HOUR_SHORT, HourShortButtonHtml},
    {IDC_FMT_MINUTE_SHORT, MinuteShortButtonHtml},
    {IDC_FMT_SECOND_SHORT, SecondShortButtonHtml},
    {IDC_FMT_AM_PM, AmPmButtonHtml},
    {IDC_FMT_DIRECTORY_SEPARATOR, DirectorySeparatorButtonHtml},
    {IDC_FMT_CAMERA_NAME, CameraNameButtonHtml},
    {IDC_FMT_IMAGE_WIDTH, ImageWidthButtonHtml},
    {IDC_FMT_IMAGE_HEIGHT, ImageHeightButtonHtml},
    {IDC_FMT_ORIGINAL_NAME, OriginalNameButtonHtml},
};

// The controls that follow the dialog's right and bottom edges.
constexpr struct {
    int controlId;
    unsigned edges;
} kAnchors[] = {
    {IDOK, kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom},
    {IDCANCEL, kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom},
    {IDC_FMT_CLEAR, kAnchorLeft | kAnchorRight | kAnchorTop | kAnchorBottom},
    {IDC_FMT_SOURCE_EXAMPLE_LABEL, kAnchorTop | kAnchorBottom},
    {IDC_FMT_NEW_EXAMPLE_LABEL, kAnchorTop | kAnchorBottom},
    {IDC_FMT_SOURCE_EXAMPLE, kAnchorRight | kAnchorTop | kAnchorBottom},
    {IDC_FMT_NEW_EXAMPLE, kAnchorRight | kAnchorTop | kAnchorBottom},
    {IDC_FMT_EDITOR, kAnchorRight | kAnchorBottom},
};

// The mapper's icon 100, else the builder's own.
HICON WindowIcon(HINSTANCE instance, bool small) {
    if (HICON icon = LoadTheIcon(true, small, IDI_PRODUCT)) {
        return icon;
    }
    const int size = small ? GetSystemMetrics(SM_CXSMICON) : GetSystemMetrics(SM_CXICON);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PRODUCT), IMAGE_ICON, size, size, 0));
}

// A control's window rectangle in its dialog's client coordinates.
LayoutRect ControlRect(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

LayoutRect ClientRect(HWND dialog) {
    RECT rect{};
    GetClientRect(dialog, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The engine works on a writable copy of the format with room for its end.
std::vector<char16_t> FormatBuffer(const std::u16string& format) {
    std::vector<char16_t> buffer(format.begin(), format.end());
    buffer.push_back(u'\0');
    return buffer;
}

}  // namespace

CCamfolioFmtDlg::CCamfolioFmtDlg(HINSTANCE instance, std::u16string initialFormat)
    : instance_(instance),
      initialFormat_(std::move(initialFormat)),
      bigIcon_(WindowIcon(instance, false)),
      smallIcon_(WindowIcon(instance, true)),
      sampleCaptureTime_(LocalNowFileTime()) {
    editor_.SetForwardInput(true);
}

INT_PTR CCamfolioFmtDlg::Run(HWND owner) {
    return RunModal(instance_, IDD_CAMFOLIO_FMT, owner);
}

bool CCamfolioFmtDlg::OnInitDialog() {
    HWND dialog = Hwnd();
    RECT window{};
    GetWindowRect(dialog, &window);
    minWidth_ = window.right - window.left;
    minHeight_ = window.bottom - window.top;
    SetWindowTextW(dialog, kTitle);
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    for (const std::int32_t entry : kCaseEntries) {
        ComboAdd(dialog, IDC_FMT_CASE, CatalogueCaption(entry).c_str());
    }
    ComboSelect(dialog, IDC_FMT_CASE, 0);

    editor_.CreateInPlaceOf(dialog, IDC_FMT_EDITOR);
    editor_.SetInputFilter(true);
    LoadEditor(false);
    grippie_.Create(dialog);
    RegisterAnchors();
    UpdateTexts();

    UiFontStyle bold;
    bold.bold = true;
    bold.dpi = DpiOfWindow(dialog);
    exampleFont_.Reset(CreateUiFont(bold));
    for (const int id : {IDC_FMT_SOURCE_EXAMPLE, IDC_FMT_NEW_EXAMPLE}) {
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(exampleFont_.Get()),
                            FALSE);
    }
    ShowItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY, true);
    EnableItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY, true);

    // Painted like a tab page over any size the dialog can take.
    PrepareBackground(SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    UpdateExample(true);
    SetTimer(dialog, kExampleTimer, kTimerPeriodMs, nullptr);
    SetTimer(dialog, kFocusTimer, kTimerPeriodMs, nullptr);
    return true;
}

void CCamfolioFmtDlg::UpdateTexts() {
    HWND dialog = Hwnd();
    for (const Caption& caption : kCaptions) {
        SetItemText(dialog, caption.controlId, CatalogueCaption(caption.textId).c_str());
    }
}

void CCamfolioFmtDlg::RegisterAnchors() {
    HWND dialog = Hwnd();
    const LayoutRect client = ClientRect(dialog);
    anchors_.clear();
    for (const auto& anchor : kAnchors) {
        if (HWND control = Item(anchor.controlId)) {
            anchors_.push_back(RegisterAnchor(anchor.controlId, anchor.edges,
                                              ControlRect(dialog, control), client));
        }
    }
}

void CCamfolioFmtDlg::ApplyAnchors() {
    HWND dialog = Hwnd();
    const LayoutRect client = ClientRect(dialog);
    for (const LayoutAnchor& anchor : anchors_) {
        HWND control = Item(anchor.controlId);
        if (control == nullptr) {
            continue;
        }
        const AnchorPlacement placement = ApplyAnchor(anchor, ControlRect(dialog, control), client);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        switch (placement.move) {
            case AnchorMove::kNone:
                continue;
            case AnchorMove::kMove:
                flags |= SWP_NOSIZE;
                break;
            case AnchorMove::kResize:
                flags |= SWP_NOMOVE;
                break;
            case AnchorMove::kMoveAndResize:
                break;
        }
        const LayoutRect& rect = placement.rect;
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
        InvalidateRect(control, nullptr, TRUE);
    }
}

void CCamfolioFmtDlg::LoadEditor(bool clear) {
    std::u16string body;
    if (!clear && !initialFormat_.empty()) {
        const FormatHtml html = FormatToHtml(initialFormat_);
        if (html.ok) {
            body = html.bodyHtml;
            ComboSelect(Hwnd(), IDC_FMT_CASE, html.caseIndex);
        }
    }
    editor_.WriteDocument(ComposeEditorDocument(body));
    editor_.Focus();
    editor_.MoveCaretToEnd();
}

std::u16string CCamfolioFmtDlg::EditorFormat() const {
    return HtmlToFormat(editor_.BodyHtml(), ComboSelection(Hwnd(), IDC_FMT_CASE));
}

void CCamfolioFmtDlg::UpdateExample(bool force) {
    // Setting the controls' texts sends messages that could lead back here.
    if (updatingExample_) {
        return;
    }
    if (!force && !editor_.HasChanged()) {
        return;
    }
    updatingExample_ = true;
    HWND dialog = Hwnd();
    const std::u16string format = EditorFormat();
    std::vector<char16_t> buffer = FormatBuffer(format);
    char16_t example[kExampleCapacity] = {};
    const SourceFileInfo source = SampleSourceFile(sampleCaptureTime_);
    const bool ok =
        FormatFileName(false, nullptr, example, std::size(example), buffer.data(), -1, &source);
    SetItemText(dialog, IDC_FMT_SOURCE_EXAMPLE, source.sourceName);
    EnableItem(dialog, IDC_FMT_ORIGINAL_DIRECTORY,
               format.find(kOriginalDirectoryToken) == std::u16string::npos);
    if (ok) {
        SetItemText(dialog, IDC_FMT_NEW_EXAMPLE, example[0] == u'\\' ? example + 1 : example);
    } else {
        SetItemText(dialog, IDC_FMT_NEW_EXAMPLE, I18N_ErrorStringFormat(0));
    }
    updatingExample_ = false;
}

void CCamfolioFmtDlg::InsertToken(std::u16string_view buttonHtml) {
    editor_.InsertTokenAtCaret(buttonHtml, false);
    UpdateExample(false);
}

bool CCamfolioFmtDlg::OnCommand(int id, int code, HWND /*control*/) {
    if (code == BN_CLICKED) {
        for (const TokenButton& button : kTokenButtons) {
            if (button.controlId == id) {
                InsertToken(button.html());
                return true;
            }
        }
    }
    switch (MAKEWPARAM(id, code)) {
        case MAKEWPARAM(IDC_FMT_CASE, CBN_SELCHANGE):
            OnCaseChange();
            return true;
        case MAKEWPARAM(IDOK, BN_CLICKED):
            OnOK();
            return true;
        case MAKEWPARAM(IDCANCEL, BN_CLICKED):
            OnCancel();
            return true;
        case MAKEWPARAM(IDC_FMT_CLEAR, BN_CLICKED):
            LoadEditor(true);
            return true;
        case MAKEWPARAM(IDC_FMT_ORIGINAL_DIRECTORY, BN_CLICKED):
            OnOriginalDirectory();
            return true;
        case MAKEWPARAM(IDC_FMT_ORIGINAL_RANGE, BN_CLICKED):
            OnRange();
            return true;
        case MAKEWPARAM(IDC_FMT_COUNTER, BN_CLICKED):
            OnCounter();
            return true;
        default:
            return false;
    }
}

void CCamfolioFmtDlg::OnCaseChange() {
    // The case token is not part of the editor's HTML.
    UpdateExample(true);
}

void CCamfolioFmtDlg::OnOK() {
    UpdateExample(false);
    resultFormat_ = EditorFormat();
    std::vector<char16_t> buffer = FormatBuffer(resultFormat_);
    char16_t result[kExampleCapacity] = {};
    const SourceFileInfo source = SampleSourceFile(sampleCaptureTime_);
    const bool ok = FormatFileName(true, nullptr, result, std::size(result), buffer.data(),
                                   static_cast<int>(buffer.size()), &source);
    // Trimmed and normalised in place.
    resultFormat_ = buffer.data();
    if (IsUsableFileName(ok, result)) {
        anchors_.clear();
        EndDialog(IDOK);
        return;
    }
    MessageBoxW(Hwnd(), AsWide(I18N_ErrorStringFormat(0)), AsWide(I18N_TitleError(0)),
                MB_OK | MB_ICONEXCLAMATION);
}

void CCamfolioFmtDlg::OnCancel() {
    UpdateExample(false);
    anchors_.clear();
    EndDialog(IDCANCEL);
}

void CCamfolioFmtDlg::OnOriginalDirectory() {
    if (editor_.BodyHtml() == kEmptyEditorBody) {
        LoadEditor(true);
    }
    editor_.InsertTokenAtCaret(OriginalDirectoryButtonHtml(), true);
    UpdateExample(false);
}

void CCamfolioFmtDlg::OnRange() {
    const SourceFileInfo source = SampleSourceFile(sampleCaptureTime_);
    const std::optional<std::u16string> text = RangeSelectorText(source.sourceName);
    if (!text) {
        return;
    }
    CRangeDlg range(instance_, *text);
    if (range.Run(Hwnd()) != IDOK) {
        return;
    }
    if (const std::optional<std::u16string> html = RangeTokenButtonHtml(range.Selection())) {
        InsertToken(*html);
    }
}

void CCamfolioFmtDlg::OnCounter() {
    CDigitsDlg digits(instance_);
    if (digits.Run(Hwnd()) != IDOK) {
        return;
    }
    if (const std::optional<std::u16string> html = CounterTokenButtonHtml(digits.Digits())) {
        InsertToken(*html);
    }
}

void CCamfolioFmtDlg::OnTimer(UINT_PTR timerId) {
    if (timerId == kExampleTimer) {
        UpdateExample(false);
    } else if (timerId == kFocusTimer) {
        KillTimer(Hwnd(), kFocusTimer);
        editor_.Focus();
    }
}

void CCamfolioFmtDlg::OnSize(WPARAM kind) {
    // A minimised dialog has no client area to follow.
    if (kind == SIZE_MINIMIZED) {
        return;
    }
    grippie_.Place(kind == SIZE_MAXIMIZED);
    ApplyAnchors();
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CCamfolioFmtDlg::OnSizing(int edge, RECT& rect) const {
    LayoutRect proposed{rect.left, rect.top, rect.right, rect.bottom};
    ClampSizing(edge, proposed, minWidth_, minHeight_);
    rect = RECT{proposed.left, proposed.top, proposed.right, proposed.bottom};
}

void CCamfolioFmtDlg::OnGetMinMaxInfo(MINMAXINFO& info) const {
    // Also for sizes set without a drag (SetWindowPos, the system menu).
    if (minWidth_ > 0) {
        info.ptMinTrackSize = POINT{minWidth_, minHeight_};
    }
}

bool CCamfolioFmtDlg::OnSetCursor(HWND window) const {
    if (window == nullptr || window != grippie_.Hwnd()) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
    return true;
}

std::optional<INT_PTR> CCamfolioFmtDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            // Forwarded by the editor for every key that passed its filter.
            UpdateExample(false);
            return 0;
        case WM_SIZING:
            OnSizing(static_cast<int>(wParam), *reinterpret_cast<RECT*>(lParam));
            return TRUE;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_SIZE:
            OnSize(wParam);
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) {
                return TRUE;
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}
