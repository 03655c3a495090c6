// The setup program as an administrator runs it (/S), on a machine that never
// had Camfolio: what it lays out and registers, the Control Panel finding the
// applet by that registration alone, and the uninstaller taking away only what
// the setup program added.
#include <windows.h>

#include <commctrl.h>
#include <cpl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "camfolio_version.h"
#include "common/paths/folder_listing_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/installer/list_view_items_win32.h"
#include "tests/support/file_helpers_win32.h"
#include "tests/support/program_run_win32.h"
#include "tests/support/test_installation_win32.h"
#include "tests/support/u16.h"
#include "tests/support/window_search_win32.h"

namespace {

constexpr char16_t kInstallFolder[] = u"C:\\Program Files\\Camfolio";
constexpr char16_t kDataFolder[] = u"C:\\ProgramData\\Camfolio";
constexpr char16_t kUninstaller[] = u"Uninstall.exe";
constexpr char16_t kShippedLanguage[] = u"Deutsch.lng";
constexpr char16_t kCplsKey[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls";
constexpr char16_t kUninstallKey[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Camfolio";
// The uninstaller hands over to a copy of itself and returns at once.
constexpr std::chrono::seconds kUninstallWait{60};

// What the mapper's own setup would put beside ours: the mapper, its shell
// library and Dokan, as the build's stand-ins.
struct OthersFile {
    const char16_t* buildFolder;
    const char16_t* name;
};
constexpr OthersFile kOthersFiles[] = {
    {u"standins\\mapper", contract::kMapperFile},
    {u"standins\\shell-library-current", contract::kShellLibraryFile},
    {u"standins\\dokan-expected", contract::kDokanLibraryFile},
};

std::u16string InInstallFolder(const char16_t* name) {
    return JoinPath(kInstallFolder, name);
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder, sorted; empty when the folder is not there.
std::vector<std::u16string> FolderEntries(const char16_t* folder) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(AsWide(JoinPath(folder, u"*").c_str()), &found));
    if (!search.IsValid()) {
        return names;
    }
    do {
        const std::u16string name = AsU16(found.cFileName);
        if (name != u"." && name != u"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::u16string> MachineString(const char16_t* key, const char16_t* name) {
    return RegKey::OpenForRead(HKEY_LOCAL_MACHINE, key).ReadString(name, 1024);
}

bool MachineKeyExists(const char16_t* key) {
    return RegKey::OpenForRead(HKEY_LOCAL_MACHINE, key).IsOpen();
}

// The processor a program file is built for, 0 when it is no program file.
std::uint16_t MachineOf(const std::u16string& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 0x40) {
        return 0;
    }
    std::uint32_t header = 0;
    bytes.copy(reinterpret_cast<char*>(&header), sizeof header, 0x3C);
    std::uint16_t machine = 0;
    if (bytes.size() < header + 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) {
        return 0;
    }
    bytes.copy(reinterpret_cast<char*>(&machine), sizeof machine, header + 4);
    return machine;
}

class Installer : public testing::Test {
  protected:
    void TearDown() override { Scrub(); }

    // Back to a machine without Camfolio and without what a test wrote.
    static void Scrub() {
        if (MachineKeyExists(kUninstallKey)) {
            EXPECT_TRUE(Uninstall());
        }
        for (const OthersFile& file : kOthersFiles) {
            DeleteFileW(AsWide(InInstallFolder(file.name).c_str()));
        }
        RemoveTree(kInstallFolder);
        RemoveTree(kDataFolder);
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
        RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, AsWide(contract::kProfilesKey), KEY_WOW64_64KEY, 0);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, AsWide(contract::kSettingsKey), KEY_WOW64_64KEY, 0);
    }

    static testing::AssertionResult Install() {
        const wchar_t* setup = _wgetenv(L"CAMFOLIO_SETUP");
        if (setup == nullptr) {
            return testing::AssertionFailure() << "CAMFOLIO_SETUP names the setup program";
        }
        const ProgramRun run = RunProgram(AsU16(setup), u"/S");
        if (run.exitCode != std::optional<DWORD>(0)) {
            return testing::AssertionFailure() << "the setup program failed: " << run.output;
        }
        return testing::AssertionSuccess();
    }

    static testing::AssertionResult LayOthersFiles() {
        for (const OthersFile& file : kOthersFiles) {
            const std::u16string from = JoinPath(BuildTreeFolder(file.buildFolder), file.name);
            if (!CopyFileW(AsWide(from.c_str()), AsWide(InInstallFolder(file.name).c_str()),
                           FALSE)) {
                return testing::AssertionFailure() << "cannot copy " << Narrow(from);
            }
        }
        return testing::AssertionSuccess();
    }

    // The uninstaller as Add/Remove Programs runs it for an administrator,
    // by its quiet command line. It hands over to a copy of itself and
    // returns at once: done is when its entry, the last thing it removes, is gone.
    static testing::AssertionResult Uninstall() {
        const std::optional<std::u16string> command =
            MachineString(kUninstallKey, u"QuietUninstallString");
        const std::size_t close = command ? command->find(u'"', 1) : std::u16string::npos;
        if (!command || command->front() != u'"' || close == std::u16string::npos) {
            return testing::AssertionFailure() << "no quoted quiet uninstall command";
        }
        const ProgramRun run =
            RunProgram(command->substr(1, close - 1), command->substr(close + 1));
        if (run.exitCode != std::optional<DWORD>(0)) {
            return testing::AssertionFailure() << "the uninstaller failed: " << run.output;
        }
        if (!WaitUntil([] { return !MachineKeyExists(kUninstallKey); }, kUninstallWait)) {
            return testing::AssertionFailure() << "the uninstaller did not finish";
        }
        return testing::AssertionSuccess();
    }
};

TEST_F(Installer, SilentInstallLaysOutTheProgramsTheLanguagesAndTheRegistration) {
    ASSERT_TRUE(Install());

    EXPECT_EQ(MachineOf(InInstallFolder(contract::kAppletFile)), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(MachineOf(InInstallFolder(contract::kBuilderFile)), IMAGE_FILE_MACHINE_I386);
    EXPECT_TRUE(Exists(InInstallFolder(kUninstaller)));
    EXPECT_TRUE(Exists(JoinPath(kDataFolder, kShippedLanguage)));

    EXPECT_EQ(MachineString(contract::kSettingsKey, u""), kInstallFolder);
    EXPECT_EQ(MachineString(kCplsKey, u"Camfolio"), InInstallFolder(contract::kAppletFile));
    EXPECT_EQ(MachineString(kUninstallKey, u"DisplayName"), u"Camfolio");
    EXPECT_EQ(MachineString(kUninstallKey, u"DisplayVersion"), u"" CAMFOLIO_VERSION_TEXT);
    EXPECT_EQ(MachineString(kUninstallKey, u"QuietUninstallString"),
              u"\"" + InInstallFolder(kUninstaller) + u"\" /S");

    // The 64-bit places only: nothing where 32-bit programs look by default.
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, AsWide(contract::kSettingsKey), 0,
                            KEY_READ | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    if (key != nullptr) {
        RegCloseKey(key);
    }
    EXPECT_FALSE(Exists(u"C:\\Program Files (x86)\\Camfolio"));
}

TEST_F(Installer, RegisteredAppletAnswersWithItsNameAndTheBuildersIcon) {
    ASSERT_TRUE(Install());
    ASSERT_TRUE(LayOthersFiles());
    const std::optional<std::u16string> registered = MachineString(kCplsKey, u"Camfolio");
    ASSERT_TRUE(registered);

    const UniqueModule applet(LoadLibraryW(AsWide(registered->c_str())));
    ASSERT_TRUE(applet.IsValid()) << Narrow(*registered);
    const auto entry = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(applet.Get(), "CPlApplet")));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry(nullptr, CPL_INIT, 0, 0), 0) << "the installation check refused";
    EXPECT_EQ(entry(nullptr, CPL_GETCOUNT, 0, 0), 1);
    NEWCPLINFOW info{};
    info.dwSize = sizeof info;
    entry(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info));
    const UniqueIcon icon(info.hIcon);
    EXPECT_EQ(std::u16string(AsU16(info.szName)), u"Camfolio");
    EXPECT_TRUE(icon.IsValid()) << "the icon comes from the installed builder";
    entry(nullptr, CPL_EXIT, 0, 0);
}

TEST_F(Installer, ControlPanelListsTheAppletByItsRegistrationAlone) {
    ASSERT_TRUE(Install());
    ASSERT_TRUE(LayOthersFiles());

    // The 64-bit Control Panel: only it can load the 64-bit applet.
    std::u16string line = u"C:\\windows\\system32\\control.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, AsWide(line.data()), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);

    std::vector<std::u16string> items;
    const bool listed = WaitUntil([&] {
        const HWND panel = FindTopLevelWindow({.processId = started.dwProcessId});
        const HWND list = panel != nullptr ? FindDescendant(panel, WC_LISTVIEWW) : nullptr;
        items = list != nullptr ? ListViewItemTexts(list) : std::vector<std::u16string>{};
        return std::find(items.begin(), items.end(), u"Camfolio") != items.end();
    });
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);

    std::string found;
    for (const std::u16string& item : items) {
        found += " \"" + Narrow(item) + "\"";
    }
    EXPECT_TRUE(listed) << "the Control Panel lists:" << found;
}

TEST_F(Installer, SilentUninstallRemovesOnlyWhatSetupAdded) {
    struct Case {
        const char* name;
        bool beside;  // the mapper's files, a user's language file, machine profile defaults
    };
    for (const Case c : {Case{"alone", false}, Case{"beside others' files", true}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Install());
        RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kSettingsKey)
            .WriteDword(contract::kCacheSize, 200);
        RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kProfilesKey)
            .WriteString(contract::kDriveLetter, u"K");
        std::vector<std::u16string> others;
        std::vector<std::u16string> userData;
        if (c.beside) {
            ASSERT_TRUE(LayOthersFiles());
            for (const OthersFile& file : kOthersFiles) {
                others.emplace_back(file.name);
            }
            std::sort(others.begin(), others.end());
            userData = {u"Mine.lng"};
            ASSERT_TRUE(CopyFileW(AsWide(JoinPath(kDataFolder, kShippedLanguage).c_str()),
                                  AsWide(JoinPath(kDataFolder, u"Mine.lng").c_str()), FALSE));
            RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kProfilesKey)
                .WriteString(contract::kDriveLetter, u"M");
        }

        ASSERT_TRUE(Uninstall());

        EXPECT_EQ(FolderEntries(kInstallFolder), others);
        EXPECT_EQ(Exists(kInstallFolder), c.beside);
        EXPECT_EQ(FolderEntries(kDataFolder), userData);
        EXPECT_EQ(Exists(kDataFolder), c.beside);
        EXPECT_EQ(MachineString(kCplsKey, u"Camfolio"), std::nullopt);
        EXPECT_EQ(MachineString(contract::kSettingsKey, u""), std::nullopt);
        EXPECT_EQ(MachineKeyExists(contract::kSettingsKey), c.beside)
            << "the product key stays only while it holds the machine's profile defaults";
        EXPECT_EQ(MachineString(contract::kProfilesKey, contract::kDriveLetter),
                  c.beside ? std::optional<std::u16string>(u"M") : std::nullopt);

        EXPECT_EQ(RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kSettingsKey)
                      .ReadDword(contract::kCacheSize),
                  std::optional<std::uint32_t>(200));
        EXPECT_EQ(RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kProfilesKey)
                      .ReadString(contract::kDriveLetter, 4),
                  u"K");
        Scrub();
    }
}

}  // namespace
