#include "tests/support/current_test_run_win32.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr std::chrono::seconds kChildWait{180};

}  // namespace

std::u16string CurrentProgramPath() {
    std::array<wchar_t, MAX_PATH> path{};
    GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return AsU16(path.data());
}

std::optional<DWORD> RunCurrentTestIn(const std::u16string& program, const wchar_t* variable,
                                      const char16_t* value) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::u16string line = u"\"" + program + u"\" " + std::u16string(filter.begin(), filter.end());
    SetEnvironmentVariableW(variable, AsWide(value));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const bool ran = CreateProcessW(nullptr, const_cast<wchar_t*>(AsWide(line.c_str())), nullptr,
                                    nullptr, FALSE, 0, nullptr, nullptr, &startup, &started) != 0;
    SetEnvironmentVariableW(variable, nullptr);
    if (!ran) {
        return std::nullopt;
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    DWORD exitCode = 0;
    if (WaitUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; },
                  kChildWait) &&
        GetExitCodeProcess(process.Get(), &exitCode)) {
        return exitCode;
    }
    return std::nullopt;
}
