// The Settings page in the built applet: what it shows, what OK and Apply
// store, the refused cache size, the language switch, the folder picker and
// the Register button.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "applet/about_page_ids.h"
#include "applet/main_dlg_ids.h"
#include "applet/profiles_page_ids.h"
#include "applet/settings_page_ids.h"
#include "common/paths/known_folders_win32.h"
#include "common/win32/wide_win32.h"
#include "config/reg_key_win32.h"
#include "config/settings_registry.h"
#include "tests/applet/page_fixture_win32.h"
#include "tests/support/message_box_watcher_win32.h"
#include "tests/support/u16.h"
#include "tests/support/wia_server_registration_win32.h"

namespace {

using SettingsPage = AppletPageTest;

HWND Settings(HWND dialog) {
    return FindPage(dialog, IDC_SETTINGS_LANGUAGE);
}

std::optional<std::u16string> StoredString(const RegistrySandbox& registry, const char16_t* name) {
    return registry.Settings().ReadString(name, 1024);
}

void SelectLanguage(HWND page, int index) {
    SendDlgItemMessageW(page, IDC_SETTINGS_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_LANGUAGE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_SETTINGS_LANGUAGE)));
}

int SelectedLanguage(HWND page) {
    return static_cast<int>(SendDlgItemMessageW(page, IDC_SETTINGS_LANGUAGE, CB_GETCURSEL, 0, 0));
}

int LanguageIndex(HWND page, const wchar_t* name) {
    return static_cast<int>(SendDlgItemMessageW(page, IDC_SETTINGS_LANGUAGE, CB_FINDSTRINGEXACT,
                                                static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(name)));
}

std::u16string TabText(HWND dialog, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendDlgItemMessageW(dialog, IDC_MAIN_TABS, TCM_GETITEMW, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&item));
    return AsU16(text);
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

TEST_F(SettingsPage, ShowsTheStoredSettingsAndOkWritesNoPendingRootOfItsOwn) {
    ASSERT_TRUE(Registry_Set_CacheSize(4000));
    ASSERT_TRUE(Registry_SetLoggingEnabled(true));
    ASSERT_TRUE(Registry_SetBatteryCheckEnabled(false));
    const std::u16string pending = root_.MakeFolder("pending");
    const struct {
        const char* name;
        const char16_t* storedPending;  // null: none
        std::u16string shownPending;
    } cases[] = {
        {"no pending root", nullptr, root_.Path()},
        {"a pending root", pending.c_str(), pending},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.storedPending != nullptr) {
            ASSERT_TRUE(Registry_Set_CacheRootPending(c.storedPending));
        }
        OpenDialog(L"1", [&](HWND dialog) {
            HWND page = Settings(dialog);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_CACHE_CURRENT), root_.Path());
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_CACHE_PENDING), c.shownPending);
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_CACHE_SIZE), u"4000");
            int low = -1;
            int high = -1;
            SendDlgItemMessageW(page, IDC_SETTINGS_CACHE_SIZE_SPIN, UDM_GETRANGE32,
                                reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, 999999);
            EXPECT_EQ(IsDlgButtonChecked(page, IDC_SETTINGS_LOGGING), BST_CHECKED);
            EXPECT_EQ(IsDlgButtonChecked(page, IDC_SETTINGS_BATTERY), BST_UNCHECKED);
            wchar_t first[64] = {};
            SendDlgItemMessageW(page, IDC_SETTINGS_LANGUAGE, CB_GETLBTEXT, 0,
                                reinterpret_cast<LPARAM>(first));
            EXPECT_EQ(std::u16string(AsU16(first)), u"English (English) - internal");
            EXPECT_EQ(SelectedLanguage(page), 0);
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_DUMP), u"&Dump WIA...");
            EXPECT_FALSE(ItemEnabled(dialog, IDC_MAIN_APPLY));
            Click(dialog, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        });
        EXPECT_EQ(StoredString(registry_, u"CacheRootPending"),
                  c.storedPending != nullptr ? std::optional<std::u16string>(c.storedPending)
                                             : std::nullopt);
        EXPECT_EQ(Registry_Get_CacheSize(), 4000);
    }
}

TEST_F(SettingsPage, ChangesEnableApplyAndAreStoredByIt) {
    ASSERT_TRUE(Registry_SetLoggingEnabled(false));
    ASSERT_TRUE(Registry_SetBatteryCheckEnabled(true));
    OpenDialog(L"1", [&](HWND dialog) {
        HWND page = Settings(dialog);
        const struct {
            const char* name;
            void (*make)(HWND page);
        } changes[] = {
            {"logging",
             [](HWND p) { SendDlgItemMessageW(p, IDC_SETTINGS_LOGGING, BM_CLICK, 0, 0); }},
            {"battery check",
             [](HWND p) { SendDlgItemMessageW(p, IDC_SETTINGS_BATTERY, BM_CLICK, 0, 0); }},
            {"cache size", [](HWND p) { SetDlgItemTextW(p, IDC_SETTINGS_CACHE_SIZE, L"4000"); }},
            {"language", [](HWND p) { SelectLanguage(p, 0); }},
        };
        for (const auto& change : changes) {
            EnableWindow(GetDlgItem(dialog, IDC_MAIN_APPLY), FALSE);
            change.make(page);
            EXPECT_TRUE(ItemEnabled(dialog, IDC_MAIN_APPLY)) << change.name;
        }
        Click(dialog, IDC_MAIN_APPLY);
        EXPECT_FALSE(ItemEnabled(dialog, IDC_MAIN_APPLY));
        EXPECT_TRUE(IsWindow(dialog));
    });
    EXPECT_TRUE(Registry_IsLoggingEnabled());
    EXPECT_FALSE(Registry_IsBatteryCheckEnabled());
    EXPECT_EQ(Registry_Get_CacheSize(), 4000);
    EXPECT_FALSE(StoredString(registry_, u"CacheRootPending"));
    EXPECT_FALSE(StoredString(registry_, u"LngFile"));
    EXPECT_EQ(StoredString(registry_, u"CacheRoot"), root_.Path());
}

// The message box the dialog shows over itself, answered with OK: its title
// and text, empty when none came.
std::pair<std::u16string, std::u16string> AnswerBoxOver(HWND dialog) {
    HWND box = nullptr;
    if (!WaitUntil([&] {
            box = FindTopLevelWindow({.dialogOnly = true, .owner = dialog});
            return box != nullptr;
        })) {
        return {};
    }
    auto shown = std::make_pair(TextOf(box), ItemText(box, 0xFFFF));
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(box); });
    return shown;
}

TEST_F(SettingsPage, ACacheSizeOutOfRangeRefusesTheWholeApplyAndLeadsToTheField) {
    for (const int button : {IDC_MAIN_APPLY, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Apply");
        OpenDialog(L"3", [&](HWND dialog) {
            HWND page = Settings(dialog);
            SendDlgItemMessageW(page, IDC_SETTINGS_LOGGING, BM_CLICK, 0, 0);
            SetDlgItemTextW(page, IDC_SETTINGS_CACHE_SIZE, L"50");
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
            EXPECT_EQ(
                AnswerBoxOver(dialog),
                std::make_pair(std::u16string(u"Camfolio"),
                               std::u16string(u"Cache size must be between 100 and 999999.")));
            HWND size = GetDlgItem(page, IDC_SETTINGS_CACHE_SIZE);
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == size; }));
            EXPECT_TRUE(IsWindow(dialog));
            EXPECT_TRUE(ItemEnabled(dialog, IDC_MAIN_APPLY));
            EXPECT_EQ(TabCtrl_GetCurSel(GetDlgItem(dialog, IDC_MAIN_TABS)), 0);
            EXPECT_TRUE(IsWindowVisible(page));
            EXPECT_FALSE(IsWindowVisible(FindPage(dialog, IDC_ABOUT_OPEN_DATA)));
            DWORD start = 1;
            DWORD end = 0;
            SendMessageW(size, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0U);
            EXPECT_EQ(end, 2U);
        });
        // Nothing of any page: not the logging change before the size either.
        EXPECT_FALSE(registry_.Settings().HasValue(u"CacheSize"));
        EXPECT_FALSE(registry_.Settings().HasValue(u"Flags"));
        EXPECT_FALSE(registry_.Settings(u"Profiles").HasValue(u"FormatString"));
    }

    OpenDialog(L"1", [&](HWND dialog) {
        SetDlgItemTextW(Settings(dialog), IDC_SETTINGS_CACHE_SIZE, L"4000");
        Click(dialog, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    });
    EXPECT_EQ(Registry_Get_CacheSize(), 4000);
}

// The shipped German file in the real data folder, removed at the end when
// the test put it there.
class GermanInDataFolder {
  public:
    GermanInDataFolder() {
        char16_t common[260];
        EXPECT_TRUE(GetCommonAppDataFolder(common, 260));
        path_ = std::filesystem::path(common) / "Camfolio" / "Deutsch.lng";
        std::filesystem::create_directories(path_.parent_path());
        std::error_code error;
        placed_ = std::filesystem::copy_file(
            std::filesystem::path(BuildTreeFolder(u"tests")) / "Deutsch.lng", path_, error);
        EXPECT_TRUE(placed_ || std::filesystem::exists(path_)) << error.message();
    }
    ~GermanInDataFolder() {
        if (placed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    GermanInDataFolder(const GermanInDataFolder&) = delete;
    GermanInDataFolder& operator=(const GermanInDataFolder&) = delete;

  private:
    std::filesystem::path path_;
    bool placed_ = false;
};

struct Captions {
    std::u16string cancel;
    std::u16string settingsTab;
    std::u16string profilesTab;
    std::u16string aboutTab;
    std::u16string language;
    std::u16string profiles;
    std::u16string thirdParties;
    bool operator==(const Captions&) const = default;
};

Captions ReadCaptions(HWND dialog) {
    return {ItemText(dialog, IDCANCEL),
            TabText(dialog, 0),
            TabText(dialog, 1),
            TabText(dialog, 2),
            ItemText(FindPage(dialog, IDC_SETTINGS_LANGUAGE), IDC_SETTINGS_LANGUAGE_GROUP),
            ItemText(FindPage(dialog, IDC_PROFILES_LIST), IDC_PROFILES_GROUP),
            ItemText(FindPage(dialog, IDC_ABOUT_OPEN_DATA), IDC_ABOUT_THIRD_PARTIES)};
}

void PrintTo(const Captions& c, std::ostream* out) {
    *out << Narrow(c.cancel) << " | " << Narrow(c.settingsTab) << " | " << Narrow(c.profilesTab)
         << " | " << Narrow(c.aboutTab) << " | " << Narrow(c.language) << " | "
         << Narrow(c.profiles) << " | " << Narrow(c.thirdParties);
}

TEST_F(SettingsPage, AppliedLanguageReCaptionsTheDialogAndEveryPageAndIsStoredAsAFileName) {
    const GermanInDataFolder german;
    const Captions english{u"Cancel",   u"Settings",        u"Profiles",      u"About",
                           u"Language", u"Camera profiles", u"Third parties:"};
    const Captions deutsch{u"Abbrechen", u"Einstellungen", u"Profile",       u"Info",
                           u"Sprache",   u"Kameraprofile", u"Drittanbieter:"};
    OpenDialog(L"1", [&](HWND dialog) {
        HWND page = Settings(dialog);
        EXPECT_EQ(ReadCaptions(dialog), english);
        const int index = LanguageIndex(page, L"Deutsch (German)");
        ASSERT_GT(index, 0);
        SelectLanguage(page, index);
        Click(dialog, IDC_MAIN_APPLY);
        EXPECT_EQ(ReadCaptions(dialog), deutsch);
        EXPECT_EQ(StoredString(registry_, u"LngFile"), u"Deutsch.lng");

        SelectLanguage(page, 0);
        Click(dialog, IDC_MAIN_APPLY);
        EXPECT_EQ(ReadCaptions(dialog), english);
        EXPECT_FALSE(StoredString(registry_, u"LngFile"));
    });

    // The stored file in another letter case is the listed one; a file no
    // longer there is English, and storing the page deletes the choice.
    const struct {
        const char16_t* stored;
        bool german;
    } choices[] = {{u"deutsch.LNG", true}, {u"Gone.lng", false}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(Narrow(choice.stored));
        ASSERT_TRUE(Registry_Set_LngFile(choice.stored));
        OpenDialog(L"1", [&](HWND dialog) {
            HWND page = Settings(dialog);
            const int expected = choice.german ? LanguageIndex(page, L"Deutsch (German)") : 0;
            EXPECT_EQ(SelectedLanguage(page), expected);
            Click(dialog, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        });
        EXPECT_EQ(StoredString(registry_, u"LngFile"),
                  choice.german ? std::optional<std::u16string>(u"Deutsch.lng") : std::nullopt);
    }
}

std::u16string ItemName(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    TreeView_GetItem(tree, &data);
    return AsU16(text);
}

// The child of item in the picker's tree whose text is name; null when none.
HTREEITEM ExpandedChild(HWND tree, HTREEITEM item, const std::u16string& name) {
    TreeView_Expand(tree, item, TVE_EXPAND);
    for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        if (ItemName(tree, child) == name) {
            return child;
        }
    }
    return nullptr;
}

// The picker's item for a folder ("C:\\a\\b"), found as a user would: the
// drive among the computer's items, then each folder below it; null when
// the tree has no such item.
HTREEITEM TreeItemFor(HWND tree, const std::u16string& path) {
    const std::u16string drive = u"(" + path.substr(0, 2) + u")";
    const auto isDrive = [&](HTREEITEM item) {
        return ItemName(tree, item).find(drive) != std::u16string::npos;
    };
    HTREEITEM item = nullptr;
    for (HTREEITEM top = TreeView_GetRoot(tree); top != nullptr && item == nullptr;
         top = TreeView_GetNextSibling(tree, top)) {
        if (isDrive(top)) {
            item = top;
            break;
        }
        TreeView_Expand(tree, top, TVE_EXPAND);
        for (HTREEITEM child = TreeView_GetChild(tree, top); child != nullptr;
             child = TreeView_GetNextSibling(tree, child)) {
            if (isDrive(child)) {
                item = child;
                break;
            }
        }
    }
    std::size_t at = 3;
    while (item != nullptr && at < path.size()) {
        const std::size_t end = std::min(path.find(u'\\', at), path.size());
        item = ExpandedChild(tree, item, path.substr(at, end - at));
        at = end + 1;
    }
    return item;
}

// Runs the folder picker from the page, selects folder in its tree and
// presses OK; cancels it when the tree has no such folder.
void PickInPicker(HWND dialog, const std::u16string& folder) {
    HWND page = Settings(dialog);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_BROWSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_SETTINGS_BROWSE)));
    HWND picker = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        picker = FindTopLevelWindow({.dialogOnly = true, .owner = dialog});
        return picker != nullptr;
    }));
    HWND tree = FindDescendant(picker, L"SysTreeView32");
    HTREEITEM item = tree != nullptr ? TreeItemFor(tree, folder) : nullptr;
    EXPECT_NE(item, nullptr) << "no tree item for " << Narrow(folder);
    if (item != nullptr) {
        TreeView_SelectItem(tree, item);
    }
    SendMessageW(picker, WM_COMMAND, MAKEWPARAM(item != nullptr ? IDOK : IDCANCEL, BN_CLICKED), 0);
    WaitUntil([&] { return !IsWindow(picker); });
}

TEST_F(SettingsPage, BrowseTakesThePickedFolderCleanedAsThePendingRoot) {
    const std::filesystem::path root(root_.Path());
    std::filesystem::create_directories(root / "Pictures" / "Camfolio" / "CAMFOLIO_CACHE");
    const std::u16string pending = root_.MakeFolder("pending");
    const struct {
        const char* name;
        const char16_t* storedPending;  // null: none
        std::u16string folder;          // picked in the tree
        std::u16string picked;          // the pending root it gives
    } cases[] = {
        {"the cache folder of another root", nullptr,
         root_.Path() + u"\\Pictures\\Camfolio\\CAMFOLIO_CACHE", root_.Path() + u"\\Pictures"},
        // Back to the current root: the earlier choice must not move the cache.
        {"the current root instead of a pending one", pending.c_str(), root_.Path(), root_.Path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.storedPending != nullptr) {
            ASSERT_TRUE(Registry_Set_CacheRootPending(c.storedPending));
        }
        OpenDialog(L"1", [&](HWND dialog) {
            HWND page = Settings(dialog);
            PickInPicker(dialog, c.folder);
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_CACHE_PENDING), c.picked);
            EXPECT_EQ(ItemText(page, IDC_SETTINGS_CACHE_CURRENT), root_.Path());
            EXPECT_TRUE(ItemEnabled(dialog, IDC_MAIN_APPLY));
            Click(dialog, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        });
        EXPECT_EQ(StoredString(registry_, u"CacheRootPending"), c.picked);
        EXPECT_EQ(StoredString(registry_, u"CacheRoot"), root_.Path());
    }
}

constexpr char16_t kTestHandler[] =
    u"SYSTEM\\CurrentControlSet\\Control\\StillImage\\Events\\Connected\\{camfolio-test}";

TEST_F(SettingsPage, RegisterIsOfferedOnlyWhileTheMapperHandlesNoCameraConnection) {
    const struct {
        const char16_t* commandLine;  // null: no handler entry
        bool offered;
    } cases[] = {
        {nullptr, true},
        {u"C:\\Tools\\viewer.exe /StiDevice:%1", true},
        {u"", true},
        {u"\"C:\\PROGRAM FILES\\CAMFOLIO\\CAMFOLIO.EXE\" /StiDevice:%1", false},
        {u"c:\\camfolio\\camfolio.exe", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine != nullptr ? Narrow(c.commandLine) : "no handler");
        RegKey::DeleteKey(HKEY_LOCAL_MACHINE, kTestHandler);
        if (c.commandLine != nullptr) {
            ASSERT_TRUE(RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, kTestHandler)
                            .WriteString(u"Cmdline", c.commandLine));
        }
        OpenDialog(L"1", [&](HWND dialog) {
            EXPECT_EQ(ItemEnabled(Settings(dialog), IDC_SETTINGS_REGISTER), c.offered);
        });
    }
    RegKey::DeleteKey(HKEY_LOCAL_MACHINE, kTestHandler);
}

// The top-level dialogs owned by the main dialog: the dump's save dialogs.
std::vector<HWND> SaveDialogsOver(HWND dialog) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{dialog, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (GetWindow(window, GW_OWNER) == s.owner && std::wstring_view(name) == L"#32770" &&
                IsWindowVisible(window)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The save dialog's file name box.
constexpr int kSaveFileNameBox = 0x47C;

// Presses "Dump WIA..." twice, answers the one save dialog with file (or
// cancels it when file is empty) and waits for the button to come back.
void DumpThrough(HWND dialog, const std::u16string& file) {
    HWND page = Settings(dialog);
    Click(page, IDC_SETTINGS_DUMP);
    Click(page, IDC_SETTINGS_DUMP);
    std::vector<HWND> shown;
    ASSERT_TRUE(WaitUntil([&] { return !(shown = SaveDialogsOver(dialog)).empty(); }));
    EXPECT_FALSE(WaitUntil([&] { return SaveDialogsOver(dialog).size() > 1; },
                           std::chrono::milliseconds(500)));
    HWND save = shown.front();
    EXPECT_EQ(TextOf(save), u"Save WIA data...");
    EXPECT_EQ(TextOf(GetDlgItem(save, kSaveFileNameBox)), u"WIA.log");
    EXPECT_FALSE(ItemEnabled(page, IDC_SETTINGS_DUMP));
    if (!file.empty()) {
        SetDlgItemTextW(save, kSaveFileNameBox, AsWide(file.c_str()));
    }
    PostMessageW(save, WM_COMMAND, MAKEWPARAM(file.empty() ? IDCANCEL : IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return ItemEnabled(page, IDC_SETTINGS_DUMP); }));
    EXPECT_TRUE(SaveDialogsOver(dialog).empty());
}

TEST_F(SettingsPage, DumpAsksForOneFileAtATimeAndWritesWhatWineServesIntoIt) {
    const std::u16string dump = root_.Path() + u"\\dump.log";
    OpenDialog(L"1", [&](HWND dialog) { DumpThrough(dialog, dump); });
    // Wine's service lists no device (E_NOTIMPL): the listing says so.
    EXPECT_THAT(ReadFileBytes(dump), ::testing::HasSubstr("HRESULT: 0x80004001"));
}

TEST_F(SettingsPage, ADumpWhoseSaveDialogIsCancelledWritesNothing) {
    OpenDialog(L"1", [&](HWND dialog) { DumpThrough(dialog, u""); });
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(root_.Path()) / "Camfolio" / "WIA.log"));
}

TEST_F(SettingsPage, RegisterTellsWhenTheWiaServiceRefusesAndSaysNothingWhenItAccepts) {
    const struct {
        const char* name;
        bool standIn;  // the local-server stand-in instead of Wine's service
        std::vector<std::u16string> messages;
    } cases[] = {
        {"Wine's service",
         false,
         {u"Registering the Camfolio as a 'Camera Connected' event handler in Windows failed."}},
        {"the stand-in", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<WiaServerRegistration> server;
        if (c.standIn) {
            ASSERT_TRUE(server.emplace().Registered());
        }
        MessageBoxWatcher watcher;
        OpenDialog(L"1", [&](HWND dialog) {
            HWND page = Settings(dialog);
            ASSERT_TRUE(ItemEnabled(page, IDC_SETTINGS_REGISTER));
            Click(page, IDC_SETTINGS_REGISTER);
            EXPECT_TRUE(ItemEnabled(page, IDC_SETTINGS_REGISTER));
        });
        std::vector<std::u16string> messages;
        for (const auto& box : watcher.Boxes()) {
            EXPECT_EQ(box.title, u"Camfolio - Error");
            messages.push_back(box.text);
        }
        EXPECT_EQ(messages, c.messages);
    }
}

}  // namespace
