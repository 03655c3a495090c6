// Measuring and purging a cache folder on Wine's real file system, with the
// per-device sizes in the real shared block.
#include "state/cache_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/quiet_string.h"
#include "state/cache_adjustment.h"
#include "state/super_globals_win32.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/trace_capture.h"
#include "tests/support/u16.h"
#include "tests/support/unix_link_win32.h"

namespace {

constexpr std::uint64_t kMiB = 1048576;

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

// The lines of one tag, without it (nor the "##n## " of a line the writer
// had to wait for).
std::vector<std::string> Messages(const std::vector<std::string>& lines, const std::string& tag) {
    std::vector<std::string> messages;
    for (const std::string& line : lines) {
        if (const std::size_t at = line.find(tag); at != std::string::npos) {
            messages.push_back(line.substr(at + tag.size()));
        }
    }
    return messages;
}

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

class Cache : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(installation_.InstallConsistent());
        ASSERT_TRUE(Registry_Set_CacheSize(100));
        globals_.Init();
        ASSERT_NE(globals_.Block(), nullptr);
        globals_.InitCacheFolder(nullptr, shared_block::kCacheFolders, -1);
        folder_ = temp_.MakeFolder("CAMFOLIO_CACHE");
    }

    std::u16string PathOf(const std::string& relative) const {
        std::u16string path = folder_ + u"\\" + Widen(relative);
        std::replace(path.begin(), path.end(), u'/', u'\\');
        return path;
    }

    // A file of the given size (its end set, nothing written) last written
    // the given number of minutes into the test's day.
    std::u16string MakeFile(const std::string& relative, std::uint64_t size, int minute) const {
        std::u16string path = PathOf(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        const UniqueHandle file(CreateFileW(AsWide(path.c_str()), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file.IsValid()) << relative;
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        EXPECT_TRUE(SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
        EXPECT_TRUE(SetEndOfFile(file.Get()));
        const std::uint64_t time = 132223104000000000ull + 600000000ull * minute;
        const FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
        EXPECT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &written));
        return path;
    }

    // Publishes a device folder as the mapper does; drive -1: not connected.
    void Publish(const char16_t* name, int drive, std::uint64_t size) {
        for (shared_block::CacheFolderEntry& entry : globals_.Block()->cacheFolders) {
            if (entry.name[0] == u'\0') {
                CopyQuiet(entry.name, std::size(entry.name), name);
                entry.driveIndex = drive;
                entry.size = size;
                return;
            }
        }
        ADD_FAILURE() << "shared table full";
    }

    const shared_block::CacheFolderEntry* Shared(const char16_t* name) const {
        for (const shared_block::CacheFolderEntry& entry : globals_.Block()->cacheFolders) {
            if (std::u16string_view(entry.name) == name) {
                return &entry;
            }
        }
        return nullptr;
    }

    // Runs one adjustment and returns its message lines.
    std::vector<std::string> Adjust(std::uint32_t delta, bool empty) {
        TraceCapture trace;
        CCache(folder_.c_str(), globals_).Global_AdjustCacheContentToFit(delta, empty);
        return Messages(trace.Texts(), "C10@CCache::Global_AdjustCacheContentToFit: ");
    }

    RegistrySandbox registry_;
    // Complete, so that attaching to the block reports nothing.
    TestInstallation installation_{registry_};
    TempDir temp_;
    CSuperGlobals globals_;
    std::u16string folder_;
};

TEST_F(Cache, NothingIsDeletedWhileTheCacheFitsItsLimit) {
    const std::u16string a = MakeFile("0001A/DCIM/a.jpg", 80 * kMiB, 1);
    const std::u16string b = MakeFile("0002B/b.jpg", 10 * kMiB, 2);
    Publish(u"0001A", 0, 80 * kMiB);
    Publish(u"0002B", -1, 10 * kMiB);

    std::uint64_t used = 0;
    std::uint64_t active = 0;
    EXPECT_TRUE(CCache(folder_.c_str(), globals_).Global_GetCacheSize(&used, &active));
    EXPECT_EQ(used, 90 * kMiB);
    EXPECT_EQ(active, 80 * kMiB);

    EXPECT_EQ(Adjust(10 * kMiB, false),
              (std::vector<std::string>{"ENTER ", "No need to purge cache", "LEAVE "}));
    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));
}

TEST_F(Cache, InactiveDeviceFolderGoesFirstAndAloneWhenThatIsEnough) {
    const std::vector<std::u16string> kept = {MakeFile("0001A/a1.jpg", 30 * kMiB, 1),
                                              MakeFile("0001A/a2.jpg", 30 * kMiB, 2),
                                              MakeFile("0001A/a3.jpg", 30 * kMiB, 3)};
    MakeFile("0002B/DCIM/b1.jpg", 20 * kMiB, 0);
    MakeFile("0002B/DCIM/b2.jpg", 10 * kMiB, 0);
    Publish(u"0001A", 0, 90 * kMiB);
    Publish(u"0002B", -1, 30 * kMiB);

    EXPECT_EQ(Adjust(0, false),
              (std::vector<std::string>{
                  "ENTER ", "ullCacheUsedAll=125829120, ullTargetCacheSize=104857600, delta=0",
                  "Deleting non-Camfolio data plus data from inactive device(s)",
                  "Released 31457280 bytes from the cache", "LEAVE "}));
    EXPECT_FALSE(Exists(PathOf("0002B")));
    EXPECT_EQ(Shared(u"0002B"), nullptr);
    for (const std::u16string& file : kept) {
        EXPECT_TRUE(Exists(file));
    }
    ASSERT_NE(Shared(u"0001A"), nullptr);
    EXPECT_EQ(Shared(u"0001A")->size, 90 * kMiB);
}

TEST_F(Cache, OldestFilesGoUntilTheCacheIsAtNinetyPercentKeepingEachDevicesNewest) {
    // 0002B's only file is the oldest of all, and stays.
    const std::u16string single = MakeFile("0002B/b.jpg", 30 * kMiB, 1);
    // Oldest first; the names are not in that order.
    std::vector<std::u16string> files;
    files.reserve(8);
    for (int k = 0; k < 8; ++k) {
        files.push_back(
            MakeFile("0001A/DCIM/a" + std::to_string(k * 5 % 8) + ".jpg", 15 * kMiB, 2 + k));
    }
    Publish(u"0001A", 0, 120 * kMiB);
    Publish(u"0002B", 1, 30 * kMiB);

    const std::vector<std::string> messages = Adjust(0, false);
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "ENTER ", "ullCacheUsedAll=157286400, ullTargetCacheSize=104857600, delta=0",
                  "Deleting non-Camfolio data plus data from inactive device(s)",
                  "Released 0 bytes from the cache",
                  "ullCacheUsedAll=157286400, ullTargetCacheSize=104857600, delta=0",
                  "Deleting old files from active device(s)",
                  // 60 MiB asked: the file that brings the rest to
                  // exactly zero is followed by one more.
                  "Released 78643200 bytes from the cache", "LEAVE "}));
    EXPECT_TRUE(Exists(single));
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(Exists(files[i]), i >= 5) << Narrow(files[i]);
    }
    EXPECT_EQ(Shared(u"0001A")->size, 45 * kMiB);
    EXPECT_EQ(Shared(u"0002B")->size, 30 * kMiB);
}

TEST_F(Cache, NewestFilesStayEvenWhenTheCacheStaysOverItsLimit) {
    const std::u16string only = MakeFile("0001A/a.jpg", 120 * kMiB, 1);
    Publish(u"0001A", 0, 120 * kMiB);

    const std::vector<std::string> messages = Adjust(0, false);
    EXPECT_TRUE(Contains(messages, "Released 0 bytes from the cache"));
    EXPECT_EQ(messages.end()[-2], "Still need 20971520 bytes, but the cache cannot be purged more");
    EXPECT_TRUE(Exists(only));
}

TEST_F(Cache, EmptyingKeepsOtherFoldersAndEveryGroupsNewestFile) {
    const std::u16string deviceOld = MakeFile("0001A/old.jpg", 1000, 1);
    const std::u16string deviceNew = MakeFile("0001A/new.jpg", 2000, 9);
    const std::u16string dcimOld = MakeFile("DCIM/old.jpg", 100, 2);
    const std::u16string dcimNew = MakeFile("DCIM/new.jpg", 100, 3);
    const std::u16string lookalike = MakeFile("123AB/x.jpg", 100, 1);
    const std::u16string stray = MakeFile("stray.tmp", 100, 8);
    MakeFile("0002B/b.jpg", 500, 0);
    Publish(u"0001A", 0, 3000);
    Publish(u"0002B", -1, 500);

    const std::vector<std::string> messages = Adjust(0, true);
    EXPECT_TRUE(Contains(messages, "Released 500 bytes from the cache"));
    EXPECT_TRUE(Contains(messages, "Released 1000 bytes from the cache"));
    EXPECT_EQ(messages.end()[-2], "Still need 2000 bytes, but the cache cannot be purged more");

    EXPECT_FALSE(Exists(PathOf("0002B")));
    EXPECT_FALSE(Exists(deviceOld));
    EXPECT_TRUE(Exists(deviceNew));
    EXPECT_FALSE(Exists(dcimOld));
    EXPECT_TRUE(Exists(dcimNew));
    EXPECT_TRUE(Exists(lookalike));
    EXPECT_FALSE(Exists(stray));
    EXPECT_EQ(Shared(u"0001A")->size, 2000u);
}

TEST_F(Cache, TheFiftyFirstDeviceFolderIsNotMeasuredButItsFilesArePurged) {
    std::set<std::u16string> names;
    for (int i = 1; i <= 51; ++i) {
        char name[6];
        WsPrintfA(name, 6, "%04dA", i);
        names.insert(Widen(name));
        MakeFile(std::string(name) + "/old.jpg", 10, i);
        MakeFile(std::string(name) + "/new.jpg", 10, 100 + i);
    }
    CCache cache(folder_.c_str(), globals_);
    std::vector<shared_block::CacheFolderEntry> table(shared_block::kCacheFolders);
    for (auto& entry : table) {
        shared_block::ResetCacheFolder(entry);
    }
    {
        TraceCapture trace;
        cache.Global_BuildCache(table.data(), 0);
        EXPECT_TRUE(Contains(Messages(trace.Texts(), "C11@CCache::Global_BuildCache: "),
                             "Too many subdirectories under the cache"));
    }
    std::set<std::u16string> unmeasured = names;
    for (const auto& entry : table) {
        EXPECT_EQ(entry.size, 20u) << Narrow(entry.name);
        EXPECT_EQ(unmeasured.erase(entry.name), 1u) << Narrow(entry.name);
    }
    ASSERT_EQ(unmeasured.size(), 1u);
    const std::string left = Narrow(*unmeasured.begin());

    EXPECT_FALSE(cache.Global_PurgeActive(std::numeric_limits<std::uint64_t>::max(), 0));
    EXPECT_TRUE(Exists(PathOf(left + "/old.jpg")));
    EXPECT_TRUE(cache.Global_PurgeActive(std::numeric_limits<std::uint64_t>::max(), kPurgeFiles));
    for (const std::u16string& name : names) {
        EXPECT_FALSE(Exists(PathOf(Narrow(name) + "/old.jpg"))) << Narrow(name);
        EXPECT_TRUE(Exists(PathOf(Narrow(name) + "/new.jpg"))) << Narrow(name);
    }
}

TEST_F(Cache, LinksInsideTheCacheAreNeverFollowed) {
    const std::u16string pictures = temp_.MakeFolder("pictures");
    const std::byte bytes[10] = {};
    const std::vector<std::u16string> outside = {temp_.Write("pictures/p1.jpg", bytes),
                                                 temp_.Write("pictures/p2.jpg", bytes)};
    MakeFile("0001A/a.jpg", 100, 1);
    const UnixLink inDevice(pictures, PathOf("0001A/linked"));
    const UnixLink asDevice(pictures, PathOf("0009Z"));
    if (!inDevice.Made() || !asDevice.Made()) {
        GTEST_SKIP() << "no Unix links here";
    }
    Publish(u"0001A", 0, 100);

    CCache cache(folder_.c_str(), globals_);
    std::vector<shared_block::CacheFolderEntry> table(shared_block::kCacheFolders);
    for (auto& entry : table) {
        shared_block::ResetCacheFolder(entry);
    }
    cache.Global_BuildCache(table.data(), 0);
    for (const auto& entry : table) {
        if (entry.name[0] != u'\0') {
            EXPECT_EQ(entry.size, std::u16string_view(entry.name) == u"0001A" ? 100u : 0u)
                << Narrow(entry.name);
        }
    }

    cache.Global_AdjustCacheContentToFit(0, true);
    for (const std::u16string& picture : outside) {
        EXPECT_TRUE(Exists(picture)) << Narrow(picture);
    }
}

TEST_F(Cache, WhatCannotBeDeletedStaysCounted) {
    const std::u16string heldOld = MakeFile("0001A/a1.jpg", 100, 1);
    MakeFile("0001A/a2.jpg", 200, 2);
    MakeFile("0001A/a3.jpg", 400, 3);
    const std::u16string heldInactive = MakeFile("0002B/b.jpg", 50, 0);
    Publish(u"0001A", 0, 700);
    Publish(u"0002B", -1, 50);
    // Open without delete sharing, as a viewer might hold a picture.
    const UniqueHandle holdOld(CreateFileW(AsWide(heldOld.c_str()), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    const UniqueHandle holdInactive(CreateFileW(AsWide(heldInactive.c_str()), GENERIC_READ,
                                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                                nullptr));
    ASSERT_TRUE(holdOld.IsValid() && holdInactive.IsValid());

    const std::vector<std::string> messages = Adjust(0, true);
    EXPECT_TRUE(Exists(heldOld));
    EXPECT_TRUE(Exists(heldInactive));
    EXPECT_EQ(Shared(u"0001A")->size, 500u) << "only a2 left the disk";
    ASSERT_NE(Shared(u"0002B"), nullptr) << "the folder is still there";
    EXPECT_EQ(Shared(u"0002B")->size, 50u);
    EXPECT_EQ(messages.end()[-2], "Still need 550 bytes, but the cache cannot be purged more");
}

TEST_F(Cache, PurgeBringsTheSharedTableInLineWithTheFolders) {
    MakeFile("0001A/a.jpg", 100, 1);
    MakeFile("0006F/f.jpg", 300, 1);
    Publish(u"0005E", -1, 7);     // its folder is gone
    Publish(u"0001A", 0, 12345);  // the mapper's count stands

    EXPECT_TRUE(CCache(folder_.c_str(), globals_).Global_Purge(0));
    EXPECT_EQ(Shared(u"0005E"), nullptr);
    ASSERT_NE(Shared(u"0001A"), nullptr);
    EXPECT_EQ(Shared(u"0001A")->size, 12345u);
    EXPECT_EQ(Shared(u"0001A")->driveIndex, 0);
    ASSERT_NE(Shared(u"0006F"), nullptr);
    EXPECT_EQ(Shared(u"0006F")->size, 300u);
    EXPECT_EQ(Shared(u"0006F")->driveIndex, -1);
    EXPECT_TRUE(Exists(PathOf("0006F")));
}

TEST_F(Cache, WithoutTheSharedBlockNothingIsMeasuredOrDeleted) {
    MakeFile("0006F/f.jpg", 300, 1);
    CSuperGlobals unattached;
    CCache cache(folder_.c_str(), unattached);
    std::uint64_t used = 1;
    EXPECT_FALSE(cache.Global_GetCacheSize(&used, nullptr));
    EXPECT_FALSE(cache.Global_Purge(kPurgeDeleteInactive));
    std::vector<shared_block::CacheFolderEntry> table(shared_block::kCacheFolders);
    cache.Global_BuildCache(table.data(), kPurgeDeleteInactive);
    EXPECT_TRUE(Exists(PathOf("0006F/f.jpg")));
    EXPECT_EQ(Narrow(table[0].name), "0006F");
}

TEST_F(Cache, AnAdjustmentWhileAnotherRunsIsSkipped) {
    const std::u16string file = MakeFile("0002B/b.jpg", 50, 0);
    Publish(u"0002B", -1, 50);
    {
        const CacheAdjustmentTurn running;
        EXPECT_EQ(Adjust(0, true),
                  (std::vector<std::string>{
                      "ENTER ", "Cache adjustment in progress, skipping duplicate", "LEAVE "}));
        EXPECT_TRUE(Exists(file));
    }
    Adjust(0, true);
    EXPECT_FALSE(Exists(file));
}

}  // namespace
