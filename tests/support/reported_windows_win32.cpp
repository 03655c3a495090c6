#include "tests/support/reported_windows_win32.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "tests/support/current_test_run_win32.h"

namespace {

constexpr wchar_t kVersionVariable[] = L"CAMFOLIO_TEST_REPORTED_WINDOWS";

std::u16string AppDefaults(const std::u16string& program) {
    return u"Software\\Wine\\AppDefaults\\" + program;
}

// The version Wine reports to program, set until the end of the scope.
class ReportedVersion {
  public:
    ReportedVersion(const std::u16string& program, const char16_t* version)
        : key_(AppDefaults(program)) {
        set_ = RegKey::CreateForWrite(HKEY_CURRENT_USER, key_.c_str())
                   .WriteString(u"Version", version);
    }
    ~ReportedVersion() { RegKey::DeleteKey(HKEY_CURRENT_USER, key_.c_str()); }
    ReportedVersion(const ReportedVersion&) = delete;
    ReportedVersion& operator=(const ReportedVersion&) = delete;
    bool Set() const { return set_; }

  private:
    std::u16string key_;
    bool set_ = false;
};

}  // namespace

std::optional<std::u16string> ReportedWindowsVersion() {
    std::array<wchar_t, 32> version{};
    if (GetEnvironmentVariableW(kVersionVariable, version.data(),
                                static_cast<DWORD>(version.size())) == 0) {
        return std::nullopt;
    }
    return std::u16string(AsU16(version.data()));
}

std::optional<DWORD> RunCurrentTestAs(const char16_t* version,
                                      std::initializer_list<const char16_t*> alsoFor) {
    const std::u16string self = CurrentProgramPath();
    const std::u16string copy = self.substr(0, self.size() - 4) + u"_as_" + version + u".exe";
    if (!CopyFileW(AsWide(self.c_str()), AsWide(copy.c_str()), FALSE)) {
        return std::nullopt;
    }
    std::vector<std::unique_ptr<ReportedVersion>> reported;
    reported.push_back(
        std::make_unique<ReportedVersion>(copy.substr(copy.rfind(u'\\') + 1), version));
    for (const char16_t* program : alsoFor) {
        reported.push_back(std::make_unique<ReportedVersion>(program, version));
    }
    const std::optional<DWORD> code = RunCurrentTestIn(copy, kVersionVariable, version);
    reported.clear();
    DeleteFileW(AsWide(copy.c_str()));
    return code;
}
