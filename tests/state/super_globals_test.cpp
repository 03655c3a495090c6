// The shared block with real shared memory, files and a second process (the
// mapper stand-in) under Wine.
#include "state/super_globals_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "diag/trace/trace.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"

namespace {

void SetEntry(shared_block::CacheFolderEntry& entry, const char16_t* name, std::uint64_t size) {
    CopyQuiet(entry.name, std::size(entry.name), name);
    entry.size = size;
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

class SharedBlock : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(installation_.InstallConsistent());
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::u16string(AsU16(temp)) + u"camfolio-block-test";
        RemoveTree(root_);
        ASSERT_TRUE(CreateDirectoryW(AsWide(root_.c_str()), nullptr));
        ASSERT_TRUE(Registry_Set_CacheRoot(root_.c_str()));
    }
    void TearDown() override { RemoveTree(root_); }

    // Starts the mapper stand-in attached to the block until Release.
    bool StartMapper(const std::u16string& arguments) {
        const std::u16string ready = u"CamfolioTestReady";
        const std::u16string until = u"CamfolioTestUntil";
        readyEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, AsWide(ready.c_str())));
        untilEvent_.Reset(CreateEventW(nullptr, TRUE, FALSE, AsWide(until.c_str())));
        std::u16string commandLine = u"\"" + BuildTreeFolder(u"standins\\mapper\\Camfolio.exe") +
                                     u"\" " + arguments + u" --ready " + ready + u" --until " +
                                     until;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, AsWide(commandLine.data()), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &process)) {
            return false;
        }
        mapper_.Reset(process.hProcess);
        CloseHandle(process.hThread);
        const HANDLE waits[] = {readyEvent_.Get(), mapper_.Get()};
        return WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    }

    DWORD ReleaseMapper() {
        SetEvent(untilEvent_.Get());
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(mapper_.Get(), 20000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(mapper_.Get(), &code);
        }
        return code;
    }

    RegistrySandbox registry_;
    TestInstallation installation_{registry_};
    std::u16string root_;
    UniqueHandle readyEvent_;
    UniqueHandle untilEvent_;
    UniqueHandle mapper_;
};

TEST_F(SharedBlock, FirstInitCreatesTheBlockAndTheLog) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    CSuperGlobals globals;
    globals.Init();
    ASSERT_EQ(globals.IsInitialized(false), 1);
    const shared_block::Block* block = globals.Block();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->magic, shared_block::kBlockMagic);
    EXPECT_EQ(block->attachCount, 1);
    for (const shared_block::CacheFolderEntry& entry : block->cacheFolders) {
        EXPECT_EQ(entry.magic, shared_block::kCacheFolderMagic);
        EXPECT_EQ(entry.driveIndex, -1);
    }
    EXPECT_EQ(block->devices[25].magic, shared_block::kDeviceMagic);
    EXPECT_EQ(globals.GetConnectedDevices(), 0);
    EXPECT_TRUE(Exists(root_ + u"\\Camfolio\\CAMFOLIO.log"));
    globals.DeInit();
    EXPECT_EQ(globals.Block(), nullptr);
    const std::string log = ReadFileBytes(root_ + u"\\Camfolio\\CAMFOLIO.log");
    EXPECT_NE(log.find("G10@CSuperGlobals::Init: LEAVE[3] \r\n"), std::string::npos) << log;
}

// Lines "<prefix><n>" of one writer, n counting up from 0.
void ExpectWholeLinesInOrder(const std::string& log, const std::vector<std::string>& prefixes,
                             int expectedEach) {
    const std::size_t headerEnd = log.rfind("=====\r\n");
    ASSERT_NE(headerEnd, std::string::npos) << "no log header: " << log;
    const std::regex whole(
        R"(0x[0-9A-F]{16}, \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{6} \[PID=0x[0-9A-F]{8};TID=0x[0-9A-F]{8}\]: (##\d+## )?[^\r\n]*)");
    std::vector<int> next(prefixes.size(), 0);
    std::istringstream lines(log.substr(headerEnd + 7));
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty() || line.back() != '\r') << "line without its end: " << line;
        line.pop_back();
        ASSERT_TRUE(std::regex_match(line, whole)) << line;
        for (std::size_t p = 0; p < prefixes.size(); ++p) {
            const std::size_t at = line.find(prefixes[p]);
            if (at != std::string::npos) {
                EXPECT_EQ(std::stoi(line.substr(at + prefixes[p].size())), next[p]) << line;
                ++next[p];
            }
        }
    }
    for (std::size_t p = 0; p < prefixes.size(); ++p) {
        EXPECT_EQ(next[p], expectedEach) << prefixes[p];
    }
}

// The second applet process of the shared-log test: a copy of this program
// started with CAMFOLIO_TEST_CHILD set.
TEST(SharedBlockChild, WritesItsLinesIntoTheSharedLog) {
    if (GetEnvironmentVariableW(L"CAMFOLIO_TEST_CHILD", nullptr, 0) == 0) {
        GTEST_SKIP() << "runs only as the child of the shared-log test";
    }
    CSuperGlobals globals;
    globals.Init();
    ASSERT_NE(globals.Block(), nullptr);
    for (int i = 0; i < 1000; ++i) {
        TracePrint(u"X2@SecondApplet: ", u"child-line-%d", i);
    }
    globals.DeInit();
}

TEST_F(SharedBlock, ProcessesJoinWithoutResetAndShareOneLog) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    CSuperGlobals globals;
    globals.Init();
    shared_block::Block* block = globals.Block();
    ASSERT_NE(block, nullptr);
    SetEntry(block->cacheFolders[0], u"0001A", 5);

    ASSERT_TRUE(StartMapper(u"--device C --cache 0002B:1:100 --trace-lines 1000"));
    EXPECT_EQ(block->attachCount, 2);
    EXPECT_EQ(Narrow(block->cacheFolders[0].name), "0001A") << "the second process reset it";
    EXPECT_EQ(block->cacheFolders[0].size, 5u);
    EXPECT_TRUE(globals.GetCacheSize(u"0002B"));
    ASSERT_NE(globals.GetCacheSizePtr(u'B'), nullptr);
    EXPECT_EQ(*globals.GetCacheSizePtr(u'b'), 100u);
    EXPECT_EQ(globals.GetConnectedDevices(), 1);

    // A second applet process writes at the same time as this one.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + self +
                               L"\" --gtest_filter=SharedBlockChild.WritesItsLinesIntoTheSharedLog";
    SetEnvironmentVariableW(L"CAMFOLIO_TEST_CHILD", L"1");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(L"CAMFOLIO_TEST_CHILD", nullptr);
    ASSERT_TRUE(started);
    for (int i = 0; i < 1000; ++i) {
        TracePrint(u"X1@AppletSide: ", u"applet-line-%d", i);
    }
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD childExit = 1;
    GetExitCodeProcess(child.hProcess, &childExit);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(childExit, 0u);
    EXPECT_EQ(ReleaseMapper(), 0u);
    EXPECT_EQ(block->attachCount, 1);
    globals.DeInit();

    ExpectWholeLinesInOrder(ReadFileBytes(root_ + u"\\Camfolio\\CAMFOLIO.log"),
                            {"M1@MapperStandIn: mapper-line-", "X1@AppletSide: applet-line-",
                             "X2@SecondApplet: child-line-"},
                            1000);
}

TEST_F(SharedBlock, PendingCacheRootReplacesTheOldOne) {
    const std::u16string oldProduct = root_ + u"\\Camfolio";
    const std::u16string newRoot = root_ + u"\\moved";
    {
        // The same root in other letter case: nothing happens.
        std::u16string sameButCase = root_;
        for (char16_t& c : sameButCase) {
            c = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        }
        ASSERT_TRUE(Registry_Set_CacheRootPending(sameButCase.c_str()));
        CSuperGlobals globals;
        globals.Init();
        globals.DeInit();
        EXPECT_TRUE(Exists(oldProduct + u"\\CAMFOLIO_CACHE"));
        char16_t root[260];
        EXPECT_EQ(std::u16string(Registry_Get_CacheRoot(root, 260, true)), root_);
    }
    {
        ASSERT_TRUE(Registry_Set_CacheRootPending(newRoot.c_str()));
        CSuperGlobals globals;
        globals.Init();
        globals.DeInit();
        EXPECT_FALSE(Exists(oldProduct)) << "the old cache was left behind";
        char16_t root[260];
        EXPECT_EQ(std::u16string(Registry_Get_CacheRoot(root, 260, true)), newRoot);
    }
}

TEST_F(SharedBlock, CacheEntriesAndIntegrity) {
    CSuperGlobals globals;
    globals.Init();
    shared_block::Block* block = globals.Block();
    ASSERT_NE(block, nullptr);
    SetEntry(block->cacheFolders[3], u"0001A", 1000);
    block->cacheFolders[3].driveIndex = 4;

    globals.UpdateCacheSizeByFileName(u"0001A", -100);
    EXPECT_EQ(block->cacheFolders[3].size, 1000u) << "a path without a folder changes nothing";
    globals.UpdateCacheSizeByFileName(u"0001A\\DCIM\\x.jpg", -100);
    EXPECT_EQ(block->cacheFolders[3].size, 900u);
    bool active = false;
    EXPECT_EQ(globals.GetCacheFolderSize(3, &active), 900u);
    EXPECT_TRUE(active);
    EXPECT_EQ(globals.GetCacheFolderSize(50, &active), 0u);
    EXPECT_EQ(globals.GetCacheSizePtr(u'e'), &block->cacheFolders[3].size);

    const shared_block::CacheFolderEntry before = block->cacheFolders[0];
    globals.InitCacheFolder(nullptr, shared_block::kCacheFolders, 50);
    EXPECT_EQ(std::memcmp(&before, &block->cacheFolders[0], sizeof before), 0);
    globals.InitCacheFolder(nullptr, shared_block::kCacheFolders, 3);
    EXPECT_EQ(block->cacheFolders[3].name[0], u'\0');
    EXPECT_EQ(block->cacheFolders[3].driveIndex, -1);

    TraceCapture trace;
    EXPECT_EQ(globals.GetCacheSizePtr(u'1'), nullptr);
    bool integrityLine = false;
    for (const std::string& text : trace.Texts()) {
        integrityLine |= text == "G23@CSuperGlobals::IntegrityCheck: 0";
    }
    EXPECT_TRUE(integrityLine);
    globals.DeInit();
}

TEST_F(SharedBlock, BlockOfAnotherLayoutIsNotTrusted) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    // Another program holds a block of that name with a layout of its own.
    UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            sizeof(shared_block::Block), L"CamfolioG"));
    ASSERT_TRUE(mapping.IsValid());
    auto* foreign = static_cast<shared_block::Block*>(
        MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(shared_block::Block)));
    ASSERT_NE(foreign, nullptr);
    std::memset(foreign, 0x5A, sizeof(shared_block::Block));

    CSuperGlobals globals;
    globals.Init();
    EXPECT_EQ(globals.IsInitialized(false), 1) << "the rest of the start succeeds";
    EXPECT_EQ(globals.Block(), nullptr);
    EXPECT_EQ(globals.GetCacheFolderPtr(), nullptr);
    EXPECT_FALSE(globals.GetCacheSize(u"ZZZZZ"));
    EXPECT_EQ(globals.GetCacheSizePtr(u'a'), nullptr);
    TracePrint(u"X1@Foreign: ", u"goes nowhere");
    globals.DeInit();
    EXPECT_EQ(foreign->attachCount, 0x5A5A5A5A) << "the foreign block was changed";
    UnmapViewOfFile(foreign);
}

}  // namespace
