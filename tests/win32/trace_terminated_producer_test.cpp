// A producer thread ended by TerminateThread between claiming its ring slot
// and filling it: the lines after it still reach the log file, and ending the
// trace returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "common/win32/ownership_win32.h"
#include "diag/trace/trace.h"
#include "diag/trace/trace_output_win32.h"
#include "diag/trace/trace_ring.h"
#include "tests/support/temp_dir.h"

namespace {

HANDLE g_claimed = nullptr;

// Signals the claim, then waits to be terminated.
void HoldAfterClaim() {
    SetEvent(g_claimed);
    Sleep(INFINITE);
}

DWORD WINAPI ProduceOneLine(void*) {
    TracePrint(u"X1@Terminated: ", u"never written");
    return 0;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream log(path, std::ios::binary);
    std::stringstream content;
    content << log.rdbuf();
    return content.str();
}

bool WaitForText(const std::filesystem::path& path, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ReadAll(path).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

TEST(TraceWin32, ProducerTerminatedBetweenClaimAndFillHoldsUpNothing) {
    const TempDir folder;
    const std::filesystem::path logPath = std::filesystem::path(folder.Path()) / "CAMFOLIO.log";
    UniqueHandle file(CreateFileW(logPath.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid());
    UniqueHandle mutex(CreateMutexW(nullptr, FALSE, nullptr));
    UniqueHandle claimed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    g_claimed = claimed.Get();
    TraceRingPtr ring = TraceInit(std::make_unique<Win32TraceOutput>(file.Get(), mutex.Get()));
    ASSERT_NE(ring, nullptr);

    TraceSetClaimedHook(&HoldAfterClaim);
    UniqueHandle producer(CreateThread(nullptr, 0, &ProduceOneLine, nullptr, 0, nullptr));
    ASSERT_TRUE(producer.IsValid());
    const DWORD claimWait = WaitForSingleObject(claimed.Get(), 10000);
    TraceSetClaimedHook(nullptr);
    ASSERT_EQ(claimWait, static_cast<DWORD>(WAIT_OBJECT_0));
    ASSERT_TRUE(TerminateThread(producer.Get(), 1));
    ASSERT_EQ(WaitForSingleObject(producer.Get(), 10000), static_cast<DWORD>(WAIT_OBJECT_0));

    for (int i = 0; i < 20; ++i) {
        TracePrint(u"X2@After: ", u"line=%d", i);
    }
    EXPECT_TRUE(WaitForText(logPath, "X2@After: line=19\r\n")) << ReadAll(logPath);
    TracePrint(u"X2@After: ", u"line=%d", 20);

    const auto stopStart = std::chrono::steady_clock::now();
    TraceDeInit(std::move(ring));
    EXPECT_LT(std::chrono::steady_clock::now() - stopStart, std::chrono::seconds(4));
    file.Reset(nullptr);
    const std::string text = ReadAll(logPath);
    EXPECT_NE(text.find("X2@After: line=20\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("never written"), std::string::npos) << text;
}

}  // namespace
