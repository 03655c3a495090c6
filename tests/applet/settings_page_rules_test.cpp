#include "applet/settings/settings_page_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/mapper_contract.h"
#include "tests/support/u16.h"

namespace {

TEST(CleanPickedCacheRoot, CutsTheCacheFoldersOffAndKeepsADriveRootWhole) {
    const struct {
        const char16_t* picked;
        const char16_t* root;
    } cases[] = {
        {u"D:\\Pictures\\Camfolio\\CAMFOLIO_CACHE", u"D:\\Pictures"},
        {u"E:\\Camfolio", u"E:\\"},
        {u"d:\\pictures\\camfolio\\camfolio_cache", u"d:\\pictures"},
        {u"D:\\Pictures", u"D:\\Pictures"},
        {u"D:\\Pictures\\", u"D:\\Pictures"},
        {u"C:\\", u"C:\\"},
        // Repeated, in either order: each trailing one goes.
        {u"X:\\Camfolio\\CAMFOLIO_CACHE\\Camfolio\\CAMFOLIO_CACHE", u"X:\\"},
        {u"D:\\Pictures\\Camfolio\\Camfolio", u"D:\\Pictures"},
        {u"D:\\Pictures\\Camfolio\\CAMFOLIO_CACHE\\Camfolio", u"D:\\Pictures"},
        // Only whole folder names, and only at the end.
        {u"D:\\MyCamfolio", u"D:\\MyCamfolio"},
        {u"D:\\Camfolio Photos\\Camfolio", u"D:\\Camfolio Photos"},
        {u"D:\\Camfolio\\Pictures", u"D:\\Camfolio\\Pictures"},
        {u"D:\\Pictures\\CAMFOLIO_CACHE", u"D:\\Pictures\\CAMFOLIO_CACHE"},
        {u"\\\\server\\share\\Camfolio", u"\\\\server\\share"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanPickedCacheRoot(c.picked), c.root) << Narrow(c.picked);
    }
}

TEST(SelectedLanguageEntry, TheLastEntryMatchingTheStoredPathWinsElseEnglish) {
    const std::u16string german = u"C:\\ProgramData\\Camfolio\\Deutsch.lng";
    const std::u16string french = u"C:\\ProgramData\\Camfolio\\Francais.lng";
    const std::vector<std::optional<std::u16string>> list{std::nullopt, german, french, german};
    const struct {
        const char* name;
        std::vector<std::optional<std::u16string>> entries;
        std::u16string stored;
        std::size_t selected;
    } cases[] = {
        {"built-in English", list, u"", 0},
        {"the last of two equal paths", list, german, 3},
        {"letter case does not count", list, u"c:\\programdata\\CAMFOLIO\\francais.LNG", 2},
        {"a file no longer listed", list, u"C:\\ProgramData\\Camfolio\\Old.lng", 0},
        {"a file but no file entries", {std::nullopt}, german, 0},
        {"English stored where only files are listed", {german}, u"", 0},
        {"an empty list", {}, german, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SelectedLanguageEntry(c.entries, c.stored), c.selected) << c.name;
    }
}

TEST(LanguageFileName, IsThePartAfterTheLastSeparator) {
    EXPECT_EQ(LanguageFileName(u"C:\\ProgramData\\Camfolio\\Deutsch.lng"), u"Deutsch.lng");
    EXPECT_EQ(LanguageFileName(u"Deutsch.lng"), u"Deutsch.lng");
    EXPECT_EQ(LanguageFileName(u"C:\\folder\\"), u"");
}

TEST(CacheSizeFromText, ReadsAsTheCLibraryReadsAnInteger) {
    const struct {
        const char16_t* text;
        int value;
    } cases[] = {
        {u"4000", 4000},
        {u"", 0},
        {u"50", 50},
        {u" 12", 12},
        {u"-7", -7},
        {u"12ab", 12},
        {u"abc", 0},
        {u"999999", 999999},
        // Too long for the field: stays above the largest size, never wraps.
        {u"99999999999999999999", contract::kMaxCacheSizeMiB + 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CacheSizeFromText(c.text), c.value) << Narrow(c.text);
    }
}

}  // namespace
