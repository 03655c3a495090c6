// The settings accessors against Wine's real registry and file system.
#include "config/settings_registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/paths/known_folders_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/u16.h"

namespace {

bool IsFolder(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path.c_str()));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string LocalAppData() {
    char16_t folder[260];
    EXPECT_TRUE(GetLocalAppDataFolder(folder, 260));
    return folder;
}

// A fresh folder below the temporary folder, without trailing separator.
std::u16string ScratchFolder(const char16_t* name) {
    char16_t temp[260];
    EXPECT_TRUE(GetTempFolder(temp, 260));
    std::u16string path = std::u16string(temp) + u"camfolio-test-" + name;
    CreateDirectoryW(AsWide(path.c_str()), nullptr);
    return path;
}

TEST(SettingsRegistry, CacheSizeDefaultsAndClamps) {
    struct Case {
        const char* what;
        DWORD type;
        std::uint32_t dword;
        int expected;
    };
    const Case cases[] = {
        {"absent", REG_NONE, 0, 100},
        {"below the minimum", REG_DWORD, 50, 100},
        {"above the minimum", REG_DWORD, 250, 250},
        {"wrong type", REG_SZ, 0, 100},
        {"negative as int", REG_DWORD, 0xFFFFFFFFu, 100},
    };
    for (const Case& c : cases) {
        RegistrySandbox sandbox;
        const RegKey key = sandbox.Settings();
        if (c.type == REG_DWORD) {
            RegistrySandbox::WriteRaw(key, contract::kCacheSize, REG_DWORD, &c.dword, 4);
        } else if (c.type == REG_SZ) {
            RegistrySandbox::WriteRaw(key, contract::kCacheSize, REG_SZ, u"500", 8);
        }
        EXPECT_EQ(Registry_Get_CacheSize(), c.expected) << c.what;
    }
    RegistrySandbox sandbox;
    EXPECT_TRUE(Registry_Set_CacheSize(50));
    EXPECT_EQ(sandbox.Settings().ReadDword(contract::kCacheSize), 50u);
    EXPECT_EQ(Registry_GetMinCacheSize(), 100);
}

TEST(SettingsRegistry, LegacyTraceFlagsAreFoldedIntoFlags) {
    struct Case {
        const char* what;
        DWORD type;
        std::uint32_t traceFlags;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"logging on", REG_DWORD, 1, 3},
        {"all off", REG_DWORD, 0, 2},
        {"wrong type", REG_SZ, 0, 2},
    };
    for (const Case& c : cases) {
        RegistrySandbox sandbox;
        const RegKey key = sandbox.Settings();
        if (c.type == REG_DWORD) {
            RegistrySandbox::WriteRaw(key, contract::kLegacyTraceFlags, REG_DWORD, &c.traceFlags,
                                      4);
        } else {
            RegistrySandbox::WriteRaw(key, contract::kLegacyTraceFlags, REG_SZ, u"1", 4);
        }
        EXPECT_EQ(Registry_Get_Flags(), c.expected) << c.what;
        EXPECT_EQ(key.ReadDword(contract::kFlags), c.expected) << c.what;
        EXPECT_FALSE(key.HasValue(contract::kLegacyTraceFlags)) << c.what;
    }
}

TEST(SettingsRegistry, FlagBitsChangeAloneAndKeepTheOthers) {
    RegistrySandbox sandbox;
    EXPECT_EQ(Registry_Get_Flags(), 2u);
    EXPECT_FALSE(Registry_IsLoggingEnabled());
    EXPECT_TRUE(Registry_IsBatteryCheckEnabled());
    ASSERT_TRUE(Registry_Set_Flags(0x80000010u));
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    EXPECT_EQ(Registry_Get_Flags(), 0x80000011u);
    ASSERT_TRUE(Registry_SetBatteryCheckEnabled(true));
    ASSERT_TRUE(Registry_SetLoggingEnabled(false));
    EXPECT_EQ(Registry_Get_Flags(), 0x80000012u);
    EXPECT_TRUE(Registry_IsBatteryCheckEnabled());
}

TEST(SettingsRegistry, LegacyFormatStringMovesToTheProfilesKey) {
    RegistrySandbox sandbox;
    char16_t format[260];
    EXPECT_EQ(Narrow(Registry_Get_DefaultFormatString(format, 260)), "<Y4>-<M2>-<D2>-<C4><Fo>");

    sandbox.Settings().WriteString(contract::kFormatString, u"abc");
    EXPECT_EQ(Narrow(Registry_Get_DefaultFormatString(format, 260)), "abc");
    EXPECT_FALSE(sandbox.Settings().HasValue(contract::kFormatString));
    EXPECT_EQ(sandbox.Settings(u"Profiles").ReadString(contract::kFormatString, 600), u"abc");
    EXPECT_EQ(Narrow(Registry_Get_DefaultFormatString(format, 260)), "abc");

    ASSERT_TRUE(Registry_Set_DefaultFormatString(u"<Y4><Fl>"));
    EXPECT_EQ(Narrow(Registry_Get_DefaultFormatString(format, 260)), "<Y4><Fl>");

    // Too long to be stored whole: not taken, and a legacy one is not moved.
    const std::u16string tooLong = u"<Y4>" + std::u16string(600, u'x') + u"<Fo>";
    sandbox.Settings().WriteString(contract::kFormatString, tooLong.c_str());
    EXPECT_EQ(Narrow(Registry_Get_DefaultFormatString(format, 260)), "<Y4><Fl>");
    EXPECT_TRUE(sandbox.Settings().HasValue(contract::kFormatString));
}

TEST(SettingsRegistry, CacheFolderBelowTheDefaultRoot) {
    RegistrySandbox sandbox;
    char16_t path[260];
    ASSERT_NE(Registry_Get_CacheRoot(path, 260, true), nullptr);
    EXPECT_EQ(std::u16string(path), LocalAppData());
    ASSERT_NE(Registry_Get_CacheRoot(path, 260, false), nullptr);
    EXPECT_EQ(std::u16string(path), LocalAppData() + u"\\Camfolio\\CAMFOLIO_CACHE");
    EXPECT_TRUE(IsFolder(path));
}

TEST(SettingsRegistry, CacheRootEndingInASeparatorGetsNoSecondOne) {
    RegistrySandbox sandbox;
    const std::u16string root = ScratchFolder(u"root") + u"\\deeper\\";
    ASSERT_TRUE(Registry_Set_CacheRoot(root.c_str()));
    char16_t path[260];
    ASSERT_NE(Registry_Get_CacheRoot(path, 260, false), nullptr);
    EXPECT_EQ(std::u16string(path), root + u"Camfolio\\CAMFOLIO_CACHE");
    EXPECT_TRUE(IsFolder(path));
}

TEST(SettingsRegistry, UnusableCacheRootsCountAsAbsent) {
    const std::u16string folder = ScratchFolder(u"blocked");
    const std::u16string file = folder + u"\\file.txt";
    CloseHandle(
        CreateFileW(AsWide(file.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::u16string underAFile = file + u"\\cache";
    const std::u16string tooLong = u"C:\\" + std::u16string(300, u'x');
    for (const std::u16string& root : {underAFile, tooLong}) {
        RegistrySandbox sandbox;
        ASSERT_TRUE(Registry_Set_CacheRoot(root.c_str()));
        ASSERT_TRUE(Registry_Set_CacheRootPending(root.c_str()));
        char16_t path[260];
        ASSERT_NE(Registry_Get_CacheRoot(path, 260, true), nullptr);
        EXPECT_EQ(std::u16string(path), LocalAppData()) << Narrow(root).substr(0, 40);
        EXPECT_EQ(Narrow(Registry_Get_CacheRootPending(path, 260)), "");
    }
}

TEST(SettingsRegistry, StringsWithoutTerminatorAreReadSafely) {
    RegistrySandbox sandbox;
    const std::u16string root = ScratchFolder(u"unterminated");
    // Stored without its terminating NUL, as a careless program may.
    RegistrySandbox::WriteRaw(sandbox.Settings(), contract::kCacheRoot, REG_SZ, root.data(),
                              static_cast<DWORD>(root.size() * 2));
    char16_t path[260];
    ASSERT_NE(Registry_Get_CacheRoot(path, 260, true), nullptr);
    EXPECT_EQ(std::u16string(path), root);
}

TEST(SettingsRegistry, LanguageFileIsInTheCommonDataFolder) {
    RegistrySandbox sandbox;
    char16_t path[260];
    EXPECT_EQ(Registry_Get_LngFile(path, 260), nullptr);
    EXPECT_EQ(path[0], u'\0');

    ASSERT_TRUE(Registry_Set_LngFile(u"Deutsch.lng"));
    char16_t common[260];
    ASSERT_TRUE(GetCommonAppDataFolder(common, 260));
    ASSERT_NE(Registry_Get_LngFile(path, 260), nullptr);
    EXPECT_EQ(std::u16string(path), std::u16string(common) + u"\\Camfolio\\Deutsch.lng");

    char16_t small[100];
    EXPECT_EQ(Registry_Get_LngFile(small, 100), nullptr);
    EXPECT_EQ(small[0], u'\0');

    ASSERT_TRUE(Registry_Set_LngFile(nullptr));
    EXPECT_FALSE(sandbox.Settings().HasValue(contract::kLngFile));
    EXPECT_EQ(Registry_Get_LngFile(path, 260), nullptr);
}

TEST(SettingsRegistry, InstallDirLosesOneTrailingSeparator) {
    struct Case {
        const char16_t* stored;
        const char16_t* expected;  // null: no folder
    };
    const Case cases[] = {
        {u"C:\\Program Files\\Camfolio\\", u"C:\\Program Files\\Camfolio"},
        {u"C:\\Camfolio", u"C:\\Camfolio"},
        {u"C:\\Camfolio\\\\", u"C:\\Camfolio\\"},
        {u"", nullptr},
        {nullptr, nullptr},
    };
    for (const Case& c : cases) {
        RegistrySandbox sandbox;
        sandbox.SetInstallDir(c.stored);
        char16_t folder[260];
        const char16_t* result = Registry_Get_InstallDir(folder, 260);
        if (c.expected == nullptr) {
            EXPECT_EQ(result, nullptr);
        } else {
            ASSERT_NE(result, nullptr);
            EXPECT_EQ(std::u16string(result), c.expected);
        }
    }
    RegistrySandbox sandbox;
    sandbox.SetInstallDir(u"C:\\Program Files\\Camfolio");
    char16_t tiny[8];
    EXPECT_EQ(Registry_Get_InstallDir(tiny, 8), nullptr) << "a cut folder is another folder";
}

}  // namespace
