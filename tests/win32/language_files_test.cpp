// Language files in real folders and the registry's choice of one, under Wine.
#include "common/language/language_files_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_accessors.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/paths/known_folders_win32.h"
#include "config/settings_registry.h"
#include "tests/support/registry_sandbox_win32.h"
#include "tests/support/temp_dir.h"
#include "tests/support/u16.h"
#include "tests/support/utf16_file.h"

namespace {

using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

std::vector<std::byte> NamedFile(std::u16string_view native, std::u16string_view english,
                                 const std::vector<std::u16string>& body = {}) {
    std::vector<std::u16string> lines = {u"LangID=1", u"LangNative=" + std::u16string(native),
                                         u"LangEnglish=" + std::u16string(english), u"LangVer=1"};
    lines.insert(lines.end(), body.begin(), body.end());
    return LanguageFileBytes(lines);
}

// A file of the test's own in the real data folder, removed at the end.
class DataFolderFile {
  public:
    DataFolderFile(const std::u16string& name, const std::vector<std::byte>& bytes) {
        char16_t common[260];
        EXPECT_TRUE(GetCommonAppDataFolder(common, 260));
        const std::filesystem::path folder = std::filesystem::path(common) / "Camfolio";
        std::filesystem::create_directories(folder);
        path_ = folder / name;
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ~DataFolderFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    DataFolderFile(const DataFolderFile&) = delete;
    DataFolderFile& operator=(const DataFolderFile&) = delete;

    std::u16string Path() const { return path_.u16string(); }

  private:
    std::filesystem::path path_;
};

TEST(LanguageFiles, ListsUsableFilesOnly) {
    TempDir folder;
    const std::u16string deutsch = folder.Write("Deutsch.lng", NamedFile(u"Deutsch", u"German"));
    const std::u16string longNames =
        folder.Write("long.LNG", NamedFile(std::u16string(60, u'N'), u"E"));
    folder.Write("nobom.lng", Utf16LeBytes(u"LangID=1\r\nLangNative=X\r\nLangEnglish=Y\r\n"));
    // Refused by the catalogue, so not offered either.
    folder.Write("duplicate.lng", LanguageFileBytes({u"5=a", u"5=b", u"LangID=1", u"LangNative=D",
                                                     u"LangEnglish=D", u"LangVer=1"}));
    folder.Write("readme.txt", NamedFile(u"Text", u"Text"));
    folder.MakeFolder("x.lng");

    std::vector<std::u16string> names;
    std::vector<std::u16string> paths;
    EnumLngFilesIn(folder.Path().c_str(), names, paths);
    EXPECT_THAT(names,
                UnorderedElementsAre(u"Deutsch (German)", std::u16string(49, u'N') + u" (E)"));
    EXPECT_THAT(paths, UnorderedElementsAre(deutsch, longNames));

    names.clear();
    paths.clear();
    EnumLngFilesIn((folder.Path() + u"\\missing").c_str(), names, paths);
    EXPECT_THAT(names, IsEmpty());
}

TEST(LanguageFiles, ListsTheDataFolder) {
    const DataFolderFile file(u"camfolio-enum-test.lng", NamedFile(u"Testisch", u"Testish"));
    std::vector<std::u16string> names;
    std::vector<std::u16string> paths;
    EXPECT_EQ(I18N_EnumLngFiles(&names, &paths), 0);
    ASSERT_EQ(names.size(), paths.size());
    EXPECT_THAT(names, Contains(u"Testisch (Testish)"));
    EXPECT_THAT(paths, Contains(::testing::Truly([&](const std::u16string& path) {
                    return std::filesystem::path(path) == std::filesystem::path(file.Path());
                })));
    EXPECT_EQ(I18N_EnumLngFiles(&names, nullptr), 0);
    EXPECT_EQ(names.size(), paths.size());
}

TEST(LanguageFiles, TheRegistryChoosesTheCatalogueLanguage) {
    RegistrySandbox registry;
    const DataFolderFile file(u"camfolio-init-test.lng",
                              NamedFile(u"Deutsch", u"German", {u"13=Info", u"23=Fehler"}));
    I18N_Init();
    EXPECT_EQ(Narrow(I18N_About(0)), "About");  // no choice made: English

    ASSERT_TRUE(Registry_Set_LngFile(u"camfolio-init-test.lng"));
    I18N_Init();
    EXPECT_EQ(Narrow(I18N_About(0)), "Info");

    ASSERT_TRUE(Registry_Set_LngFile(nullptr));
    I18N_Init();  // loaded already: stays
    EXPECT_EQ(Narrow(I18N_About(0)), "Info");
    I18N_Reload();
    EXPECT_EQ(Narrow(I18N_About(0)), "About");

    ASSERT_TRUE(Registry_Set_LngFile(u"camfolio-missing.lng"));
    I18N_Reload();
    EXPECT_EQ(Narrow(I18N_About(0)), "About");
    I18N_DeInit();
}

}  // namespace
