#include "tests/support/reported_windows_win32.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr wchar_t kVersionVariable[] = L"CAMFOLIO_TEST_REPORTED_WINDOWS";
constexpr std::chrono::seconds kChildWait{180};

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

std::u16string OwnPath() {
    std::array<wchar_t, MAX_PATH> path{};
    GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return AsU16(path.data());
}

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
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::u16string self = OwnPath();
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
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::u16string line = u"\"" + copy + u"\" " + std::u16string(filter.begin(), filter.end());
    SetEnvironmentVariableW(kVersionVariable, AsWide(version));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const bool ran = CreateProcessW(nullptr, const_cast<wchar_t*>(AsWide(line.c_str())), nullptr,
                                    nullptr, FALSE, 0, nullptr, nullptr, &startup, &started) != 0;
    SetEnvironmentVariableW(kVersionVariable, nullptr);
    std::optional<DWORD> code;
    if (ran) {
        const UniqueHandle process(started.hProcess);
        const UniqueHandle thread(started.hThread);
        DWORD exitCode = 0;
        if (WaitUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; },
                      kChildWait) &&
            GetExitCodeProcess(process.Get(), &exitCode)) {
            code = exitCode;
        }
    }
    reported.clear();
    DeleteFileW(AsWide(copy.c_str()));
    return code;
}
