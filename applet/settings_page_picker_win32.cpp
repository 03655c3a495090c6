#include "applet/settings_page_picker_win32.h"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <array>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/text/text_units.h"

namespace {

struct FreeItemIdList : ownership::NotNull<LPITEMIDLIST> {
    static void Free(LPITEMIDLIST list) { CoTaskMemFree(list); }
};
// A shell item id list the shell allocated for the caller.
using UniqueItemIdList = UniqueOwner<LPITEMIDLIST, FreeItemIdList>;

// The picker's new dialog style needs OLE on the calling thread.
class OleScope {
  public:
    OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) {
            OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool initialised_;
};

int CALLBACK PickerCallback(HWND picker, UINT message, LPARAM param, LPARAM data) {
    switch (message) {
        case BFFM_INITIALIZED:
            SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, data);
            break;
        case BFFM_SELCHANGED: {
            std::array<wchar_t, kPathUnits> path{};
            if (SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(param), path.data())) {
                SendMessageW(picker, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path.data()));
            }
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace

std::optional<std::u16string> PickFolder(HWND owner, const char16_t* title, const char16_t* start) {
    const OleScope ole;
    LPITEMIDLIST computer = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &computer))) {
        return std::nullopt;
    }
    const UniqueItemIdList root(computer);

    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.Get();
    info.lpszTitle = AsWide(title);
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = PickerCallback;
    info.lParam = reinterpret_cast<LPARAM>(AsWide(start));
    const UniqueItemIdList picked(SHBrowseForFolderW(&info));
    if (!picked.IsValid()) {
        return std::nullopt;
    }
    std::array<wchar_t, kPathUnits> path{};
    if (!SHGetPathFromIDListW(picked.Get(), path.data())) {
        return std::nullopt;
    }
    return std::u16string(AsU16(path.data()));
}
