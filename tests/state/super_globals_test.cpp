// The shared block with real shared memory, files and a second process (the
// mapper stand-in) under Wine.
#include "state/super_globals_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
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

void WriteText(const std::u16string& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out << bytes;
}

// This test program running only the given test, with variable set in its
// environment; null when it cannot be started.
UniqueHandle StartSelf(const wchar_t* test, const wchar_t* variable, DWORD* processId = nullptr) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = std::wstring(L"\"") + self + L"\" --gtest_filter=" + test;
    SetEnvironmentVariableW(variable, L"1");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(variable, nullptr);
    if (!started) {
        return UniqueHandle();
    }
    CloseHandle(child.hThread);
    if (processId != nullptr) {
        *processId = child.dwProcessId;
    }
    return UniqueHandle(child.hProcess);
}

// The exit code, or STILL_ACTIVE when the process does not end in time.
DWORD ExitCodeOf(const UniqueHandle& process) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.Get(), &code);
    }
    return code;
}

// The second applet process of the shared-log tests: it attaches, writes
// "child-line-0" ... "child-line-999" and detaches.
DWORD RunSecondApplet() {
    return ExitCodeOf(
        StartSelf(L"SharedBlockChild.WritesItsLinesIntoTheSharedLog", L"CAMFOLIO_TEST_CHILD"));
}

constexpr char kLastChildLine[] = "X2@SecondApplet: child-line-999\r\n";

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

// A process that has nothing to do with the product but holds handles: it
// waits until the test lets it go.
TEST(SharedBlockChild, IdlesUntilReleased) {
    if (GetEnvironmentVariableW(L"CAMFOLIO_TEST_IDLE", nullptr, 0) == 0) {
        GTEST_SKIP() << "runs only as the unrelated process of the log handle test";
    }
    const UniqueHandle until(OpenEventW(SYNCHRONIZE, FALSE, L"CamfolioTestIdleUntil"));
    ASSERT_TRUE(until.IsValid());
    EXPECT_EQ(WaitForSingleObject(until.Get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
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
    const UniqueHandle child =
        StartSelf(L"SharedBlockChild.WritesItsLinesIntoTheSharedLog", L"CAMFOLIO_TEST_CHILD");
    ASSERT_TRUE(child.IsValid());
    for (int i = 0; i < 1000; ++i) {
        TracePrint(u"X1@AppletSide: ", u"applet-line-%d", i);
    }
    EXPECT_EQ(ExitCodeOf(child), 0u);
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

// The log slot left by a process that died without detaching, or a slot whose
// process id now belongs to another process, where that handle value is some
// other file: a joining process takes its log from the next slot.
TEST_F(SharedBlock, JoiningProcessTakesTheLogPastStaleSlots) {
    enum class Stale { DeadProcess, OtherFileInLiveProcess };
    const struct {
        const char* name;
        Stale stale;
    } cases[] = {
        {"dead first slot", Stale::DeadProcess},
        {"first slot names another file of a live process", Stale::OtherFileInLiveProcess},
    };
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string otherPath = root_ + u"\\other.txt";
        CSuperGlobals globals;
        globals.Init();
        ASSERT_NE(globals.Block(), nullptr);
        shared_block::HandleTable& table = globals.Block()->logFile;
        ASSERT_NE(table.handles[0], 0u);

        std::uint64_t staleHandle = table.handles[0];
        DWORD staleProcess = 0;
        const UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, L"CamfolioTestIdleUntil"));
        UniqueHandle unrelated;
        if (c.stale == Stale::DeadProcess) {
            const UniqueHandle ended =
                StartSelf(L"SharedBlockChild.None", L"CAMFOLIO_TEST_NONE", &staleProcess);
            ASSERT_EQ(ExitCodeOf(ended), 0u);
        } else {
            unrelated = StartSelf(L"SharedBlockChild.IdlesUntilReleased", L"CAMFOLIO_TEST_IDLE",
                                  &staleProcess);
            ASSERT_TRUE(unrelated.IsValid());
            const UniqueHandle other(CreateFileW(AsWide(otherPath.c_str()), GENERIC_WRITE,
                                                 FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(other.IsValid());
            HANDLE there = nullptr;
            ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), other.Get(), unrelated.Get(), &there,
                                        0, FALSE, DUPLICATE_SAME_ACCESS));
            staleHandle = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(there));
        }
        table.handles[1] = table.handles[0];
        table.processIds[1] = table.processIds[0];
        table.handles[0] = staleHandle;
        table.processIds[0] = staleProcess;

        EXPECT_EQ(RunSecondApplet(), 0u);
        SetEvent(release.Get());
        if (unrelated.IsValid()) {
            EXPECT_EQ(ExitCodeOf(unrelated), 0u);
        }
        globals.DeInit();
        const std::string log = ReadFileBytes(root_ + u"\\Camfolio\\CAMFOLIO.log");
        EXPECT_NE(log.find(kLastChildLine), std::string::npos) << "the second applet had no log";
        EXPECT_TRUE(ReadFileBytes(otherPath).empty()) << "lines went into another file";
    }
}

// With logging on the old "Camfolio" folder holds the logs, and maybe files of
// the user: only the cache beside them goes, and the session logs under the
// new root, where a second process finds it.
TEST_F(SharedBlock, MovingTheCacheRootDeletesOnlyTheOldCache) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    char16_t cache[260];
    ASSERT_NE(Registry_Get_CacheRoot(cache, 260, false), nullptr);
    const std::u16string oldCache = cache;
    const std::u16string oldProduct = root_ + u"\\Camfolio";
    ASSERT_TRUE(CreateDirectoryW(AsWide((oldCache + u"\\0001A").c_str()), nullptr));
    WriteText(oldCache + u"\\0001A\\DSC_0001.JPG", "picture");
    const std::vector<std::u16string> kept = {
        oldProduct + u"\\CAMFOLIO.log",
        oldProduct + u"\\CAMFOLIO.2021-03-04-05-06-07.log",
        oldProduct + u"\\notes.txt",
    };
    for (const std::u16string& path : kept) {
        WriteText(path, "kept");
    }
    const std::u16string newRoot = root_ + u"\\moved";
    ASSERT_TRUE(Registry_Set_CacheRootPending(newRoot.c_str()));

    CSuperGlobals globals;
    globals.Init();
    EXPECT_FALSE(Exists(oldCache)) << "the old cache was left behind";
    for (const std::u16string& path : kept) {
        EXPECT_EQ(ReadFileBytes(path), "kept") << Narrow(path);
    }
    char16_t root[260];
    EXPECT_EQ(std::u16string(Registry_Get_CacheRoot(root, 260, true)), newRoot);
    EXPECT_EQ(RunSecondApplet(), 0u);
    globals.DeInit();
    const std::string log = ReadFileBytes(newRoot + u"\\Camfolio\\CAMFOLIO.log");
    EXPECT_NE(log.find("G10@CSuperGlobals::Init: LEAVE[3] \r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(kLastChildLine), std::string::npos) << "the second applet had no log";
}

// A block its creator has only just made is all zeros until the creator has
// set it up; a process attaching meanwhile waits for it rather than judging it
// another program's.
TEST_F(SharedBlock, BlockBeingSetUpIsWaitedFor) {
    const struct {
        const char* name;
        bool published;
        bool joins;
    } cases[] = {
        {"magic written a moment later", true, true},
        {"magic never written", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                                      0, sizeof(shared_block::Block),
                                                      L"CamfolioG"));
        ASSERT_TRUE(mapping.IsValid());
        auto* creator = static_cast<shared_block::Block*>(
            MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(shared_block::Block)));
        ASSERT_NE(creator, nullptr);
        std::thread setUp([&] {
            if (c.published) {
                Sleep(300);
                std::atomic_ref<std::uint32_t>(creator->magic)
                    .store(shared_block::kBlockMagic, std::memory_order_release);
            }
        });
        CSuperGlobals globals;
        globals.Init();
        setUp.join();
        EXPECT_EQ(globals.Block() != nullptr, c.joins);
        EXPECT_EQ(creator->attachCount, c.joins ? 1 : 0);
        globals.DeInit();
        UnmapViewOfFile(creator);
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
