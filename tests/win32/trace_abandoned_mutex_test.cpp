// The trace writer over a real log file and mutex: a mutex whose owner died
// counts as obtained, lines are written and the mutex is left free for
// others; without a mutex nothing reaches the shared file.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "diag/trace/trace.h"
#include "diag/trace/trace_output_win32.h"
#include "diag/trace/trace_ring.h"
#include "tests/support/temp_dir.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
        }
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::wstring SiblingPath(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result(path, n);
    return result.substr(0, result.find_last_of(L'\\') + 1) + fileName;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream log(std::filesystem::path(path), std::ios::binary);
    std::stringstream content;
    content << log.rdbuf();
    return content.str();
}

std::wstring TempFilePath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// Leaves the mutex abandoned by a child process that took it and died.
bool AbandonInChild(const std::wstring& mutexName) {
    std::wstring commandLine = L"\"" + SiblingPath(L"hold_mutex_and_die.exe") + L"\" " + mutexName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    DWORD exitCode = 1;
    return WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0;
}

TEST(TraceWin32, AbandonedLogMutexIsTakenOverAndReleased) {
    const std::wstring mutexName =
        L"Local\\CamfolioTraceTest-" + std::to_wstring(GetCurrentProcessId());
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, mutexName.c_str()));
    ASSERT_NE(mutex.get(), nullptr);
    const std::wstring logPath = TempFilePath(L"camfolio-abandoned-mutex-test.log");
    UniqueHandle file(CreateFileW(logPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    ASSERT_TRUE(AbandonInChild(mutexName)) << "the helper could not take the mutex and die";

    const auto start = std::chrono::steady_clock::now();
    TraceRingPtr ring = TraceInit(std::make_unique<Win32TraceOutput>(file.get(), mutex.get()));
    ASSERT_NE(ring, nullptr);
    for (int i = 0; i < 50; ++i) {
        TracePrint(u"X1@Abandoned: ", u"line=%d", i);
    }
    TraceDeInit(std::move(ring));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
        << "ending the trace waited on the abandoned mutex";

    // Another thread can take the mutex: the writer did not keep it.
    DWORD waitResult = WAIT_FAILED;
    std::thread other([&] {
        waitResult = WaitForSingleObject(mutex.get(), 2000);
        if (waitResult == WAIT_OBJECT_0) {
            ReleaseMutex(mutex.get());
        }
    });
    other.join();
    EXPECT_EQ(waitResult, static_cast<DWORD>(WAIT_OBJECT_0));

    file.reset();
    const std::string text = ReadAll(logPath);
    EXPECT_NE(text.find("X1@Abandoned: line=0\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("X1@Abandoned: line=49\r\n"), std::string::npos) << text;
    DeleteFileW(logPath.c_str());
}

// Other processes append to the same file: a writer without the mutex would
// interleave with them, so it writes nothing at all.
TEST(TraceWin32, LinesReachTheFileOnlyUnderTheLogMutex) {
    struct Case {
        const char* name;
        bool withMutex;
        bool written;
    };
    const Case cases[] = {
        {"with the log mutex", true, true},
        {"file but no mutex", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir folder;
        const std::wstring logPath =
            (std::filesystem::path(folder.Path()) / "CAMFOLIO.log").wstring();
        UniqueHandle file(CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
        UniqueHandle mutex(c.withMutex ? CreateMutexW(nullptr, FALSE, nullptr) : nullptr);
        TraceRingPtr ring = TraceInit(std::make_unique<Win32TraceOutput>(file.get(), mutex.get()));
        ASSERT_NE(ring, nullptr);
        for (int i = 0; i < 20; ++i) {
            TracePrint(u"X1@Locking: ", u"line=%d", i);
        }
        TraceDeInit(std::move(ring));
        file.reset();
        const std::string text = ReadAll(logPath);
        if (c.written) {
            EXPECT_NE(text.find("X1@Locking: line=19\r\n"), std::string::npos) << text;
        } else {
            EXPECT_EQ(text, "");
        }
    }
}

}  // namespace
