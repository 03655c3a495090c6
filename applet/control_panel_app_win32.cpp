#include "applet/control_panel_app_win32.h"

#include <commctrl.h>

#include <climits>
#include <cstdlib>

#include "common/system/product_icon_ids.h"
#include "common/system/product_icon_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/strings/bounded_string.h"

namespace {

static_assert(sizeof(NEWCPLINFOW) == 476, "the Control Panel reads the record byte-packed");

std::u16string LoadResourceString(HINSTANCE instance, int id) {
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(instance, static_cast<UINT>(id), reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::u16string(AsU16(text), static_cast<std::size_t>(length))
                      : std::u16string();
}

}  // namespace

std::u16string ResourceStringPart(std::u16string_view text, int index) {
    std::size_t start = 0;
    for (int part = 0; part < index; ++part) {
        const std::size_t separator = text.find(u'\n', start);
        if (separator == std::u16string_view::npos) {
            return {};
        }
        start = separator + 1;
    }
    const std::size_t end = text.find(u'\n', start);
    return std::u16string(text.substr(start, end == std::u16string_view::npos ? end : end - start));
}

CControlPanelApplet::CControlPanelApplet(HINSTANCE instance, int resourceId,
                                         DialogFactory dialogClass)
    : instance_(instance),
      dialogClass_(dialogClass),
      resourceId_(resourceId),
      name_(ResourceStringPart(LoadResourceString(instance, resourceId), 0)) {}

int CControlPanelApplet::OnDblclk(HWND parent) {
    std::unique_ptr<AppletDialog> dialog = dialogClass_();
    if (!dialog) {
        return 1;
    }
    dialog->Run(parent, startPage_);
    return 0;
}

int StartPageFromText(const wchar_t* text) {
    static_assert(sizeof(long) == sizeof(int), "wcstol saturates at the int range");
    const auto page = static_cast<int>(std::wcstol(text, nullptr, 10));
    return page == 0 || page == INT_MIN ? page : page - 1;
}

int CControlPanelApplet::OnStartWParms(HWND parent, const wchar_t* extra) {
    if (extra != nullptr) {
        startPage_ = StartPageFromText(extra);
    }
    const int result = OnDblclk(parent);
    startPage_ = 0;  // a later double click opens the first page
    return result == 0 ? 1 : 0;
}

int CControlPanelApplet::OnInquire(CPLINFO* info) {
    if (dynamic_ != 0) {
        info->idIcon = CPL_DYNAMIC_RES;
        info->idName = CPL_DYNAMIC_RES;
        info->idInfo = CPL_DYNAMIC_RES;
    } else {
        info->idIcon = resourceId_;
        info->idName = resourceId_;
        info->idInfo = infoStringId_;
    }
    info->lData = reinterpret_cast<LONG_PTR>(this);
    return 0;
}

int CControlPanelApplet::OnNewInquire(NEWCPLINFOW* info) {
    if (dynamic_ == 0) {
        return 1;
    }
    const std::u16string resource = LoadResourceString(instance_, resourceId_);
    info->dwSize = sizeof(NEWCPLINFOW);
    info->dwFlags = 0;
    info->dwHelpContext = 0;
    info->lData = reinterpret_cast<LONG_PTR>(this);
    info->hIcon = LoadTheIcon(false, false, IDI_BUILDER_ENTRY);
    _TcsCpy(AsU16(info->szName), std::size(info->szName), name_.c_str());
    _TcsCpy(AsU16(info->szInfo), std::size(info->szInfo), ResourceStringPart(resource, 1).c_str());
    _TcsCpy(AsU16(info->szHelpFile), std::size(info->szHelpFile),
            ResourceStringPart(resource, 2).c_str());
    return 0;
}

LONG CControlPanelApp::OnInit() {
    InitCommonControls();
    return static_cast<LONG>(applets_.size());
}

void CControlPanelApp::AddApplet(std::unique_ptr<CControlPanelApplet> applet) {
    applets_.push_back(std::move(applet));
}

CControlPanelApplet* CControlPanelApp::Applet(LPARAM index) const {
    return index >= 0 && static_cast<std::size_t>(index) < applets_.size()
               ? applets_[static_cast<std::size_t>(index)].get()
               : nullptr;
}

LONG CControlPanelApp::OnCplMessage(HWND window, UINT message, LPARAM first, LPARAM second) {
    CControlPanelApplet* applet = Applet(first);
    switch (message) {
        case CPL_INIT:
            return OnInit();
        case CPL_GETCOUNT:
            return static_cast<LONG>(applets_.size());
        case CPL_INQUIRE:
            return applet != nullptr ? applet->OnInquire(reinterpret_cast<CPLINFO*>(second)) : 1;
        case CPL_SELECT:
            if (applet != nullptr) {
                applet->OnSelect();
            }
            return 0;
        case CPL_DBLCLK:
            return applet != nullptr ? applet->OnDblclk(window) : 1;
        case CPL_STOP:
            if (applet != nullptr) {
                applet->OnStop();
            }
            return 0;
        case CPL_EXIT:
            return OnExit();
        case CPL_NEWINQUIRE:
            return applet != nullptr ? applet->OnNewInquire(reinterpret_cast<NEWCPLINFOW*>(second))
                                     : 1;
        case CPL_STARTWPARMSA:
            return 0;
        case CPL_STARTWPARMSW:
            return applet != nullptr
                       ? applet->OnStartWParms(window, reinterpret_cast<const wchar_t*>(second))
                       : 0;
        default:
            return 1;
    }
}
