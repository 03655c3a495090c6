#include "tests/applet/page_fixture_win32.h"

#include <cpl.h>

#include <array>
#include <string_view>
#include <thread>

#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "config/settings_registry.h"

std::u16string WindowText(HWND window) {
    std::array<wchar_t, 1024> text{};
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return AsU16(text.data());
}

std::u16string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void ClickItem(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

struct ClassSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    if (std::wstring_view(name.data()) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* className) {
    ClassSearch search{className, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AppletPageTest::SetUp() {
    ASSERT_TRUE(installation_.InstallConsistent());
    ASSERT_TRUE(Registry_Set_CacheRoot(root_.Path().c_str()));
    ASSERT_TRUE(applet_.IsLoaded());
    ASSERT_EQ(applet_.Send(CPL_INIT), 1);
}

void AppletPageTest::TearDown() {
    applet_.Send(CPL_EXIT);
}

void AppletPageTest::OpenDialog(const wchar_t* startPage,
                                const std::function<void(HWND dialog)>& drive) {
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitUntil([&] { return (dialog = FindMainDialog()) != nullptr; })) {
            ADD_FAILURE() << "the dialog was not shown";
            return;
        }
        drive(dialog);
        if (IsWindow(dialog)) {
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    applet_.Send(CPL_STARTWPARMSW, 0, reinterpret_cast<LPARAM>(startPage));
    driver.join();
}

MachineValue::MachineValue(const char16_t* key, const char16_t* name) : key_(key), name_(name) {
    const RegKey opened = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, key_);
    if (opened.IsOpen()) {
        saved_ = opened.ReadString(name_, 1024);
    }
}

MachineValue::~MachineValue() {
    const RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, key_);
    if (saved_) {
        key.WriteString(name_, saved_->c_str());
    } else {
        key.DeleteValue(name_);
    }
}

bool MachineValue::Set(const char16_t* value) const {
    const RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, key_);
    return value != nullptr ? key.WriteString(name_, value) : key.DeleteValue(name_);
}
