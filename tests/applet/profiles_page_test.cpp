// The Profiles page of the built applet against Wine's real registry,
// drives and processes: what it lists, how it edits and stores a profile, and
// the round trip through the installed builder.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "applet/profiles_page_ids.h"
#include "builder/app/camfolio_fmt_dlg_ids.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "common/windows_version/windows_version.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/applet/applet_dialog_fixture.h"
#include "tests/support/message_box_watcher_win32.h"
#include "tests/support/reported_windows_win32.h"
#include "tests/support/u16.h"
#include "tests/support/wine_drive_win32.h"

namespace {

constexpr int kNameColumn = 0;
constexpr int kAliasColumn = 1;
constexpr int kSerialColumn = 2;

std::u16string CellText(HWND list, int row, int column) {
    std::array<wchar_t, 128> text{};
    ListView_GetItemText(list, row, column, text.data(), static_cast<int>(text.size()));
    return AsU16(text.data());
}

std::vector<std::u16string> Column(HWND list, int column) {
    std::vector<std::u16string> texts(ListView_GetItemCount(list));
    for (std::size_t row = 0; row < texts.size(); ++row) {
        texts[row] = CellText(list, static_cast<int>(row), column);
    }
    return texts;
}

int RowOf(HWND list, const std::u16string& name, const std::u16string& serial = u"") {
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        if (CellText(list, row, kNameColumn) == name &&
            CellText(list, row, kSerialColumn) == serial) {
            return row;
        }
    }
    return -1;
}

// As a click or an arrow key leaves it: the row selected and focused.
void SelectRow(HWND list, int row) {
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void DeselectAll(HWND list) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
}

void ClickColumn(HWND page, int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = GetDlgItem(page, IDC_PROFILES_LIST);
    click.hdr.idFrom = IDC_PROFILES_LIST;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(page, WM_NOTIFY, IDC_PROFILES_LIST, reinterpret_cast<LPARAM>(&click));
}

std::vector<std::u16string> Entries(HWND page, int id) {
    std::vector<std::u16string> entries;
    const auto count = SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        std::array<wchar_t, 16> text{};
        SendDlgItemMessageW(page, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(AsU16(text.data()));
    }
    return entries;
}

std::u16string SelectedEntry(HWND page, int id) {
    const auto index = SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
    const std::vector<std::u16string> entries = Entries(page, id);
    return index >= 0 && index < static_cast<LRESULT>(entries.size()) ? entries[index] : u"";
}

void SelectEntry(HWND page, int id, const std::u16string& entry) {
    SendDlgItemMessageW(page, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(AsWide(entry.c_str())));
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

bool Enabled(HWND page, int id) {
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

bool Checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void PressButton(HWND page, int id) {
    SendDlgItemMessageW(page, id, BM_CLICK, 0, 0);
}

// Today's example of the built-in format.
std::u16string TodaysDefaultExample() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::array<wchar_t, 32> text{};
    swprintf(text.data(), text.size(), L"%04u-%02u-%02u-0001.JPG", now.wYear, now.wMonth, now.wDay);
    return AsU16(text.data());
}

std::u16string ProfilesPath(const std::u16string& below) {
    return std::u16string(contract::kProfilesKey) + (below.empty() ? u"" : u"\\" + below);
}

bool KeyExists(const std::u16string& below) {
    return RegKey::OpenForRead(HKEY_CURRENT_USER, ProfilesPath(below).c_str()).IsOpen();
}

std::optional<std::u16string> StoredText(const std::u16string& below, const char16_t* name) {
    return RegKey::OpenForRead(HKEY_CURRENT_USER, ProfilesPath(below).c_str())
        .ReadString(name, 1024);
}

std::optional<std::uint32_t> StoredNumber(const std::u16string& below, const char16_t* name) {
    return RegKey::OpenForRead(HKEY_CURRENT_USER, ProfilesPath(below).c_str()).ReadDword(name);
}

class ProfilesPage : public AppletDialog {
  protected:
    void SetUp() override {
        AppletDialog::SetUp();
        ASSERT_TRUE(installation_.Install(kShippedBuilderFolder, u"CamfolioFmt.exe"));
        ASSERT_EQ(applet_.Send(CPL_INIT), 1);
    }
    void TearDown() override { applet_.Send(CPL_EXIT); }

    // A default profile, a camera with an alias, and a camera that holds
    // one profile per serial number.
    void LayOutProfiles() {
        const RegKey profiles = registry_.Settings(u"Profiles");
        profiles.WriteString(contract::kDriveLetter, u"X");
        const RegKey nikon = registry_.Settings(u"Profiles\\NIKON D90");
        nikon.WriteString(contract::kDriveLetter, u"K");
        nikon.WriteString(contract::kAlias, u"holiday");
        nikon.WriteDword(contract::kAutoMap, 1);
        nikon.WriteDword(contract::kIfDriveLetterUnavailable, 2);
        nikon.WriteString(contract::kFormatString, u"<Y4><M2><D2>_<O><Fu>");
        for (const char16_t* serial : {u"2222", u"1111"}) {
            const RegKey card =
                registry_.Settings((u"Profiles\\Canon EOS\\" + std::u16string(serial)).c_str());
            card.WriteString(contract::kDriveLetter, u"M");
        }
    }

    // Opens the dialog on the Profiles page and runs drive with the page.
    template <typename Drive>
    void OnProfilesPage(Drive drive) {
        OpenDialog(L"2", [&](HWND dialog) {
            HWND page = FindPage(dialog, IDC_PROFILES_LIST);
            ASSERT_NE(page, nullptr);
            drive(dialog, page, GetDlgItem(page, IDC_PROFILES_LIST));
        });
    }
};

constexpr int kEditingControls[] = {
    IDC_PROFILES_LETTER,  IDC_PROFILES_SECOND_CARD,  IDC_PROFILES_LETTER2,      IDC_PROFILES_ALIAS,
    IDC_PROFILES_DELETE,  IDC_PROFILES_AUTOMAP,      IDC_PROFILES_ASK,          IDC_PROFILES_BUILD,
    IDC_PROFILES_EXAMPLE, IDC_PROFILES_LETTER_LABEL, IDC_PROFILES_FORMAT_GROUP,
};

TEST_F(ProfilesPage, ListsEveryProfileByNameAndEditsNothingUntilOneIsSelected) {
    LayOutProfiles();
    OnProfilesPage([](HWND, HWND page, HWND list) {
        EXPECT_EQ(Column(list, kNameColumn),
                  (std::vector<std::u16string>{u"<default profile>", u"Canon EOS", u"Canon EOS",
                                               u"NIKON D90"}));
        EXPECT_EQ(Column(list, kAliasColumn),
                  (std::vector<std::u16string>{u"", u"", u"", u"holiday"}));
        EXPECT_EQ(CellText(list, RowOf(list, u"Canon EOS", u"1111"), kSerialColumn), u"1111");
        for (const int id : kEditingControls) {
            EXPECT_FALSE(Enabled(page, id)) << id;
        }
        EXPECT_EQ(
            (ListView_GetExtendedListViewStyle(list) & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES)),
            static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));

        // Every click reverses the direction, whichever column it is on.
        ClickColumn(page, kNameColumn);
        EXPECT_EQ(Column(list, kNameColumn).front(), u"NIKON D90");
        EXPECT_EQ(Column(list, kNameColumn).back(), u"<default profile>");
        ClickColumn(page, kAliasColumn);
        EXPECT_EQ(Column(list, kAliasColumn).back(), u"holiday");
        ClickColumn(page, kSerialColumn);
        EXPECT_EQ(CellText(list, 0, kSerialColumn), u"2222");
        EXPECT_EQ(CellText(list, 1, kSerialColumn), u"1111");
        ClickColumn(page, kSerialColumn);
        EXPECT_EQ(CellText(list, 2, kSerialColumn), u"1111");
        EXPECT_EQ(CellText(list, 3, kSerialColumn), u"2222");
    });
}

TEST_F(ProfilesPage, ShowsTheSelectedProfileAndKeepsTheDefaultFromBeingDeletedOrAliased) {
    LayOutProfiles();
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"<default profile>"));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_DELETE));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_ALIAS));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_LETTER));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_BUILD));
        EXPECT_EQ(SelectedEntry(page, IDC_PROFILES_LETTER), u"X: ");
        EXPECT_FALSE(Checked(page, IDC_PROFILES_AUTOMAP));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_FIRST_AVAILABLE));
        EXPECT_TRUE(Checked(page, IDC_PROFILES_ASK));
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE)), TodaysDefaultExample());
        // The second slot is a Vista-and-later feature; Wine reports Windows 10.
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_SECOND_CARD));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_LETTER2));

        SelectRow(list, RowOf(list, u"NIKON D90"));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_DELETE));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_ALIAS));
        EXPECT_EQ(SelectedEntry(page, IDC_PROFILES_LETTER), u"K: ");
        EXPECT_TRUE(Checked(page, IDC_PROFILES_AUTOMAP));
        EXPECT_TRUE(Checked(page, IDC_PROFILES_LAST_AVAILABLE));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_LAST_AVAILABLE));
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_PROFILES_ALIAS)), u"holiday");
        const std::u16string example = TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE));
        EXPECT_EQ(example.substr(8), u"_DSC_0057.JPG");
        EXPECT_FALSE(ApplyEnabled(dialog)) << "showing a profile changes nothing";

        DeselectAll(list);
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_LETTER));
        EXPECT_EQ(Entries(page, IDC_PROFILES_LETTER).size(), 0u);
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_PROFILES_ALIAS)), u"");
        EXPECT_FALSE(ApplyEnabled(dialog));
    });
}

TEST_F(ProfilesPage, OffersFreeAndRemovableLettersOnlyAndReplacesATakenOne) {
    TempDir optical;
    TempDir card;
    const WineDrive d(u'D', DRIVE_CDROM, optical.Path());
    const WineDrive e(u'E', DRIVE_REMOVABLE, card.Path());
    ASSERT_TRUE(d.Defined() && e.Defined()) << "the test needs D: and E: free in the prefix";
    registry_.Settings(u"Profiles\\NIKON D90").WriteString(contract::kDriveLetter, u"D");
    registry_.Settings(u"Profiles").WriteString(contract::kDriveLetter, u"e");
    std::u16string highest;
    OnProfilesPage([&](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"<default profile>"));
        const std::vector<std::u16string> letters = Entries(page, IDC_PROFILES_LETTER);
        ASSERT_FALSE(letters.empty());
        EXPECT_EQ(letters.back(), u"E: ") << "a card reader is offered, last";
        for (const char16_t* taken : {u"D: ", u"C: ", u"Z: "}) {  // optical, fixed, Wine's root
            EXPECT_EQ(std::find(letters.begin(), letters.end(), taken), letters.end())
                << Narrow(taken);
        }
        EXPECT_EQ(letters, Entries(page, IDC_PROFILES_LETTER2));
        EXPECT_EQ(SelectedEntry(page, IDC_PROFILES_LETTER), u"E: ");
        EXPECT_FALSE(ApplyEnabled(dialog));

        // D: is an optical drive now: the highest free letter takes its place.
        SelectRow(list, RowOf(list, u"NIKON D90"));
        highest = letters.front().substr(0, 1);
        EXPECT_EQ(SelectedEntry(page, IDC_PROFILES_LETTER), letters.front());
        EXPECT_TRUE(ApplyEnabled(dialog));
        PressButton(dialog, IDC_MAIN_APPLY);
    });
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter), highest);
}

TEST_F(ProfilesPage, ApplyStoresTheEditsOfEveryProfileShownAndCancelStoresNothing) {
    LayOutProfiles();
    const auto edit = [](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"NIKON D90"));
        SelectEntry(page, IDC_PROFILES_LETTER, u"Q: ");
        EXPECT_TRUE(ApplyEnabled(dialog));
        PressButton(page, IDC_PROFILES_SECOND_CARD);
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_LETTER2));
        SelectEntry(page, IDC_PROFILES_LETTER2, u"R: ");
        PressButton(page, IDC_PROFILES_FIRST_AVAILABLE);
        SetDlgItemTextW(page, IDC_PROFILES_ALIAS, L"  trip  ");
        // Another profile: the first one's controls go into its record.
        SelectRow(list, RowOf(list, u"Canon EOS", u"1111"));
        EXPECT_EQ(CellText(list, RowOf(list, u"NIKON D90"), kAliasColumn), u"trip");
        PressButton(page, IDC_PROFILES_AUTOMAP);
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_ASK));
    };
    OnProfilesPage(edit);  // and Cancel
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter), u"K");
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kAlias), u"holiday");
    EXPECT_EQ(StoredNumber(u"Canon EOS\\1111", contract::kAutoMap), std::nullopt);

    OnProfilesPage([&](HWND dialog, HWND page, HWND list) {
        edit(dialog, page, list);
        PressButton(dialog, IDC_MAIN_APPLY);
        EXPECT_FALSE(ApplyEnabled(dialog));
    });
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter), u"Q");
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter2), u"R");
    EXPECT_EQ(StoredNumber(u"NIKON D90", contract::kMultiCardSupport), 1u);
    EXPECT_EQ(StoredNumber(u"NIKON D90", contract::kIfDriveLetterUnavailable), 1u);
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kAlias), u"trip");
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kFormatString), u"<Y4><M2><D2>_<O><Fu>");
    EXPECT_EQ(StoredNumber(u"Canon EOS\\1111", contract::kAutoMap), 1u);
    // A profile without a format of its own keeps using the built-in one.
    EXPECT_EQ(StoredText(u"Canon EOS\\1111", contract::kFormatString), std::nullopt);
}

TEST_F(ProfilesPage, DeleteAsksThenRemovesTheSerialNumberKeyAndTheLastOneTakesTheCamera) {
    LayOutProfiles();
    {
        MessageBoxWatcher no(IDNO);
        OnProfilesPage([](HWND dialog, HWND page, HWND list) {
            SelectRow(list, RowOf(list, u"NIKON D90"));
            PressButton(page, IDC_PROFILES_DELETE);
            EXPECT_NE(RowOf(list, u"NIKON D90"), -1);
            EXPECT_FALSE(ApplyEnabled(dialog));
            PressButton(dialog, IDOK);
        });
        ASSERT_EQ(no.Boxes().size(), 1u);
        EXPECT_EQ(no.Boxes()[0].title, u"Camfolio");
        EXPECT_EQ(no.Boxes()[0].text, u"Do you want to delete this profile?");
    }
    EXPECT_TRUE(KeyExists(u"NIKON D90"));

    MessageBoxWatcher yes(IDYES);
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"Canon EOS", u"1111"));
        PressButton(page, IDC_PROFILES_DELETE);
        EXPECT_EQ(RowOf(list, u"Canon EOS", u"1111"), -1);
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_LETTER)) << "nothing is shown after a deletion";
        EXPECT_TRUE(ApplyEnabled(dialog));
        PressButton(dialog, IDC_MAIN_APPLY);
    });
    EXPECT_FALSE(KeyExists(u"Canon EOS\\1111"));
    EXPECT_TRUE(KeyExists(u"Canon EOS\\2222"));
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"Canon EOS", u"2222"));
        PressButton(page, IDC_PROFILES_DELETE);
        PressButton(dialog, IDOK);
    });
    EXPECT_FALSE(KeyExists(u"Canon EOS"));
    EXPECT_TRUE(KeyExists(u"NIKON D90"));
}

// The builder's dialog in the process the page started, null when none shows.
HWND WaitForBuilderDialog() {
    HWND found = nullptr;
    WaitUntil([&] {
        EnumWindows(
            [](HWND window, LPARAM param) {
                DWORD processId = 0;
                GetWindowThreadProcessId(window, &processId);
                if (processId == GetCurrentProcessId() || !IsWindowVisible(window) ||
                    TextOf(window) != u"Filename Format Builder") {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(param) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found != nullptr;
    });
    return found;
}

void PostClick(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TEST_F(ProfilesPage, TheBuilderEditsTheShownProfilesFormatAndApplyStoresIt) {
    LayOutProfiles();
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        SelectRow(list, RowOf(list, u"Canon EOS", u"2222"));
        const std::u16string before = TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE));
        PostClick(page, IDC_PROFILES_BUILD);
        HWND builder = WaitForBuilderDialog();
        ASSERT_NE(builder, nullptr) << "the installed builder was not started";
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(dialog); }))
            << "the builder holds the applet's dialog while it is open";
        DWORD builderProcessId = 0;
        GetWindowThreadProcessId(builder, &builderProcessId);
        const UniqueHandle process(
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, builderProcessId));
        // This 64-bit applet hands its window to the 32-bit builder and takes
        // the format back from it.
        EXPECT_EQ(Is32BitProcess(process.Get()), kShippedBuilderIs32Bit);

        PostClick(builder, IDC_FMT_CLEAR);
        PostClick(builder, IDC_FMT_YEAR_LONG);
        PostClick(builder, IDC_FMT_MONTH_LONG);
        HWND caseList = GetDlgItem(builder, IDC_FMT_CASE);
        SendMessageW(caseList, CB_SETCURSEL, 1, 0);  // "Lowercase"
        PostMessageW(builder, WM_COMMAND, MAKEWPARAM(IDC_FMT_CASE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(caseList));
        PostClick(builder, IDOK);
        EXPECT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);

        SYSTEMTIME now;
        GetLocalTime(&now);
        const std::u16string expected =
            Widen(std::to_string(now.wYear * 100 + now.wMonth)) + u".jpg";
        EXPECT_TRUE(WaitUntil([&] {
            return TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE)) == expected;
        })) << Narrow(before)
            << " -> " << Narrow(TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE)));
        EXPECT_TRUE(ApplyEnabled(dialog));
        EXPECT_TRUE(IsWindowEnabled(dialog));
        PressButton(dialog, IDC_MAIN_APPLY);
    });
    EXPECT_EQ(StoredText(u"Canon EOS\\2222", contract::kFormatString), u"<Y4><M2><Fl>");
    EXPECT_EQ(StoredText(u"Canon EOS\\1111", contract::kFormatString), std::nullopt);
}

void HandBack(HWND page, ULONG_PTR kind, const void* data, DWORD bytes) {
    COPYDATASTRUCT message{kind, bytes, const_cast<void*>(data)};
    SendMessageW(page, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&message));
}

TEST_F(ProfilesPage, AHandBackThatIsNoFormatOrFindsNoProfileChangesNothing) {
    LayOutProfiles();
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        constexpr char16_t kFormat[] = u"<O><Fo>";
        HandBack(page, 1, kFormat, sizeof kFormat);  // nothing is shown
        SelectRow(list, RowOf(list, u"NIKON D90"));
        const std::u16string example = TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE));
        HandBack(page, 2, kFormat, sizeof kFormat);
        HandBack(page, 1, kFormat, sizeof kFormat - sizeof(char16_t));  // not terminated
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE)), example);
        EXPECT_FALSE(ApplyEnabled(dialog));

        HandBack(page, 1, kFormat, sizeof kFormat);
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_PROFILES_EXAMPLE)), u"DSC_0057.JPG");
        EXPECT_TRUE(ApplyEnabled(dialog));
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kFormatString), u"<O><Fo>");
}

TEST_F(ProfilesPage, OnXpTheSecondSlotIsNeitherOfferedNorReadNorWritten) {
    if (!ReportedWindowsVersion()) {
        EXPECT_EQ(RunCurrentTestAs(kWindowsXp64), 0u) << "the XP run failed; its output is above";
        return;
    }
    ASSERT_FALSE(IsMultiCardSystem()) << "Wine did not start this copy as Windows XP";
    LayOutProfiles();
    const RegKey nikon = registry_.Settings(u"Profiles\\NIKON D90");
    nikon.WriteDword(contract::kMultiCardSupport, 1);
    nikon.WriteString(contract::kDriveLetter2, u"R");
    OnProfilesPage([](HWND dialog, HWND page, HWND list) {
        // Cameras with serial number keys are listed as themselves on XP.
        EXPECT_NE(RowOf(list, u"Canon EOS"), -1);
        SelectRow(list, RowOf(list, u"NIKON D90"));
        EXPECT_FALSE(Checked(page, IDC_PROFILES_SECOND_CARD));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_SECOND_CARD));
        EXPECT_FALSE(Enabled(page, IDC_PROFILES_LETTER2));
        EXPECT_TRUE(Enabled(page, IDC_PROFILES_LETTER));
        SelectEntry(page, IDC_PROFILES_LETTER, u"Q: ");
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter), u"Q");
    EXPECT_EQ(StoredText(u"NIKON D90", contract::kDriveLetter2), u"R");
    EXPECT_EQ(StoredNumber(u"NIKON D90", contract::kMultiCardSupport), 1u);
}

}  // namespace
