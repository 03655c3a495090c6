#include "tests/support/screen_dpi_win32.h"

#include <array>
#include <cwchar>
#include <string>

#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "tests/support/current_test_run_win32.h"

namespace {

constexpr wchar_t kDpiVariable[] = L"CAMFOLIO_TEST_SCREEN_DPI";
constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";
constexpr char16_t kLogPixels[] = u"LogPixels";

// The awareness contexts as Windows 10 numbers them; the headers of our
// target version do not declare them.
const auto kUnawareContext = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));
const auto kSystemAwareContext = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2));

using SetThreadContextFunction = HANDLE(WINAPI*)(HANDLE);

SetThreadContextFunction SetThreadContext() {
    return reinterpret_cast<SetThreadContextFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
}

// LogPixels set until the end of the scope, then as it was (or absent).
class LogPixelsValue {
  public:
    explicit LogPixelsValue(UINT dpi)
        : key_(RegKey::CreateForWrite(HKEY_CURRENT_USER, kDesktopKey)),
          saved_(key_.ReadDword(kLogPixels)) {
        set_ = key_.WriteDword(kLogPixels, dpi);
    }
    ~LogPixelsValue() {
        if (saved_) {
            key_.WriteDword(kLogPixels, *saved_);
        } else {
            key_.RemoveValue(kLogPixels);
        }
    }
    LogPixelsValue(const LogPixelsValue&) = delete;
    LogPixelsValue& operator=(const LogPixelsValue&) = delete;
    bool Set() const { return set_; }

  private:
    RegKey key_;
    std::optional<std::uint32_t> saved_;
    bool set_ = false;
};

}  // namespace

std::optional<UINT> TestScreenDpi() {
    std::array<wchar_t, 16> text{};
    if (GetEnvironmentVariableW(kDpiVariable, text.data(), static_cast<DWORD>(text.size())) == 0) {
        return std::nullopt;
    }
    return static_cast<UINT>(std::wcstoul(text.data(), nullptr, 10));
}

std::optional<DWORD> RunCurrentTestAtDpi(UINT dpi) {
    const LogPixelsValue logPixels(dpi);
    if (!logPixels.Set()) {
        return std::nullopt;
    }
    const std::wstring text = std::to_wstring(dpi);
    return RunCurrentTestIn(CurrentProgramPath(), kDpiVariable, AsU16(text.c_str()));
}

ThreadDpiAwareness::ThreadDpiAwareness(Kind kind) {
    if (const SetThreadContextFunction set = SetThreadContext(); set != nullptr) {
        previous_ = set(kind == kUnaware ? kUnawareContext : kSystemAwareContext);
    }
}

ThreadDpiAwareness::~ThreadDpiAwareness() {
    if (previous_ != nullptr) {
        SetThreadContext()(previous_);
    }
}
