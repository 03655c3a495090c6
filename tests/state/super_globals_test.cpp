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

#include "common/unique_handle_win32.h"
#include "common/wide_win32.h"
#include "config/settings_registry.h"
#include "diag/bounded_string.h"
#include "diag/trace.h"
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

TEST_F(SharedBlock, SecondProcessJoinsWithoutResetAndWritesTheSameLog) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    CSuperGlobals globals;
    globals.Init();
    shared_block::Block* block = globals.Block();
    ASSERT_NE(block, nullptr);
    SetEntry(block->cacheFolders[0], u"0001A", 5);

    std::u16string arguments = u"--device C --cache 0002B:1:100";
    for (int i = 0; i < 200; ++i) {
        arguments += u" --trace mapper-line-" + Widen(std::to_string(i));
    }
    ASSERT_TRUE(StartMapper(arguments));
    EXPECT_EQ(block->attachCount, 2);
    EXPECT_EQ(Narrow(block->cacheFolders[0].name), "0001A") << "the second process reset it";
    EXPECT_EQ(block->cacheFolders[0].size, 5u);
    EXPECT_TRUE(globals.GetCacheSize(u"0002B"));
    ASSERT_NE(globals.GetCacheSizePtr(u'B'), nullptr);
    EXPECT_EQ(*globals.GetCacheSizePtr(u'b'), 100u);
    EXPECT_EQ(globals.GetConnectedDevices(), 1);
    for (int i = 0; i < 200; ++i) {
        TracePrint(u"X1@AppletSide: ", u"applet-line-%d", i);
    }
    EXPECT_EQ(ReleaseMapper(), 0u);
    EXPECT_EQ(block->attachCount, 1);
    globals.DeInit();

    const std::string log = ReadFileBytes(root_ + u"\\Camfolio\\CAMFOLIO.log");
    const std::size_t headerEnd = log.rfind("=====\r\n");
    ASSERT_NE(headerEnd, std::string::npos) << "no log header: " << log;
    const std::regex whole(
        R"(0x[0-9A-F]{16}, \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{6} \[PID=0x[0-9A-F]{8};TID=0x[0-9A-F]{8}\]: (##\d+## )?[^\r\n]*)");
    int mapperLines = 0;
    int appletLines = 0;
    std::istringstream lines(log.substr(headerEnd + 7));
    for (std::string line; std::getline(lines, line);) {
        ASSERT_FALSE(line.empty() || line.back() != '\r') << "line without its end: " << line;
        line.pop_back();
        ASSERT_TRUE(std::regex_match(line, whole)) << line;
        mapperLines += line.find("M1@MapperStandIn: mapper-line-") != std::string::npos;
        appletLines += line.find("X1@AppletSide: applet-line-") != std::string::npos;
    }
    EXPECT_EQ(mapperLines, 200);
    EXPECT_EQ(appletLines, 200);
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

}  // namespace
