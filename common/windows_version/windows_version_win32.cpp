#include <windows.h>

#include <mutex>

#include "common/windows_version/windows_version.h"
#include "diag/strings/bounded_string.h"

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

// The run-time library's answer, which compatibility shims do not lower.
bool AskRealVersion(WindowsVersionAnswers& answers) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion =
        ntdll != nullptr ? reinterpret_cast<RtlGetVersionFn>(
                               reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                         : nullptr;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion == nullptr || rtlGetVersion(&info) != 0) {
        return false;
    }
    answers.realMajor = info.dwMajorVersion;
    answers.realMinor = info.dwMinorVersion;
    answers.realServicePackMajor = info.wServicePackMajor;
    return true;
}

bool VerifyWorkstation() {
    OSVERSIONINFOEXW wanted{};
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.wProductType = VER_NT_WORKSTATION;
    const DWORDLONG condition = VerSetConditionMask(0, VER_PRODUCT_TYPE, VER_EQUAL);
    return VerifyVersionInfoW(&wanted, VER_PRODUCT_TYPE, condition) != FALSE;
}

WindowsVersionAnswers Gather() {
    WindowsVersionAnswers answers;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    // The ordinary query is what a program without a compatibility manifest
    // sees; the real version is asked for separately.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    answers.extendedQuery = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)) != FALSE;
    if (!answers.extendedQuery) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
            return answers;
        }
    }
#pragma GCC diagnostic pop
    answers.platformId = info.dwPlatformId;
    answers.major = info.dwMajorVersion;
    answers.minor = info.dwMinorVersion;
    answers.productType = answers.extendedQuery ? info.wProductType : 0;
    answers.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    if (answers.major == 6 && answers.minor == 2) {
        answers.verifiedWorkstation = VerifyWorkstation();
    }
    answers.haveRealVersion = AskRealVersion(answers);
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    answers.haveNativeArchitecture = true;
    answers.nativeArchitecture = system.wProcessorArchitecture;
    return answers;
}

const WindowsVersionAnswers& Answers() {
    static const WindowsVersionAnswers answers = Gather();
    return answers;
}

}  // namespace

std::uint32_t GetWindowsVersionFlags(char16_t* name, std::size_t capacity) {
    static const std::uint32_t flags = WindowsVersionFlagsFrom(Answers());
    if (name != nullptr && capacity > 0) {
        WcsCpy(name, capacity, WindowsVersionName(flags));
    }
    return flags;
}

bool IsRealVersionAtLeast(std::uint32_t major, std::uint32_t minor,
                          std::uint32_t servicePackMajor) {
    return RealVersionAtLeast(Answers(), major, minor, servicePackMajor);
}
