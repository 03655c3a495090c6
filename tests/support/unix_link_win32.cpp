#include "tests/support/unix_link_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "tests/support/u16.h"

namespace {

using UnixFileName = char*(CDECL*)(const wchar_t*);

// Wine starts Unix programs as it starts Windows ones, but their handles
// cannot be waited for: callers poll for the outcome.
void StartUnix(const wchar_t* program, const std::string& arguments) {
    std::wstring commandLine(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << std::string(arguments);
        return;
    }
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
}

bool IsLink(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

template <typename Done>
bool PollUntil(Done done) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (done()) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

}  // namespace

std::string WineUnixPath(const std::u16string& path) {
    const auto convert = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return {};
    }
    char* unixPath = convert(AsWide(path.c_str()));
    if (unixPath == nullptr) {
        return {};
    }
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

UnixLink::UnixLink(const std::u16string& target, const std::u16string& link) {
    const std::string unixTarget = WineUnixPath(target);
    const std::size_t separator = link.rfind(u'\\');
    const std::string unixFolder = WineUnixPath(link.substr(0, separator));
    if (unixTarget.empty() || unixFolder.empty()) {
        return;
    }
    unixLink_ = unixFolder + "/" + Narrow(std::u16string_view(link).substr(separator + 1));
    link_ = link;
    StartUnix(L"Z:\\bin\\ln", "ln -s \"" + unixTarget + "\" \"" + unixLink_ + "\"");
    made_ = PollUntil([&] { return IsLink(link); });
}

UnixLink::~UnixLink() {
    if (made_) {
        StartUnix(L"Z:\\bin\\rm", "rm -f \"" + unixLink_ + "\"");
        EXPECT_TRUE(PollUntil([&] { return !IsLink(link_); })) << "link left behind";
    }
}
