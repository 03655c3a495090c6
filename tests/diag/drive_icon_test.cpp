// Removing left-over drive icons from Wine's real registry.
#include "diag/housekeeping/drive_icon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "tests/support/registry_sandbox_win32.h"

namespace {

std::u16string DriveKey(char16_t letter) {
    return std::u16string(contract::kDriveIconsKey) + u"\\" + letter;
}

bool KeyExists(const std::u16string& path) {
    return RegKey::OpenForRead(HKEY_CURRENT_USER, path.c_str()).IsOpen();
}

// A letter's entry as the mapper writes it, owned by the given program.
void RegisterIcon(RegistrySandbox& sandbox, char16_t letter, const char16_t* owner) {
    const RegKey drive = sandbox.DriveIcon(letter);
    ASSERT_TRUE(drive.WriteString(u"", owner));
    const std::u16string key = DriveKey(letter);
    ASSERT_TRUE(
        RegKey::CreateForWrite(HKEY_CURRENT_USER, (key + u"\\" + contract::kDefaultIcon).c_str())
            .WriteString(u"", u"C:\\Camfolio\\Camfolio.exe,0"));
    ASSERT_TRUE(
        RegKey::CreateForWrite(HKEY_CURRENT_USER, (key + u"\\" + contract::kDefaultLabel).c_str())
            .WriteString(u"", u"NIKON D90"));
}

TEST(DriveIcon, RemovesCamfolioEntriesAndTheEmptyDrivesKey) {
    RegistrySandbox sandbox;
    RegisterIcon(sandbox, u'K', contract::kDriveIconOwner);
    EXPECT_EQ(RemoveDriveIcon(u'K'), 0u);
    EXPECT_FALSE(KeyExists(DriveKey(u'K')));
    EXPECT_FALSE(KeyExists(contract::kDriveIconsKey));
}

TEST(DriveIcon, LeavesOtherProgramsEntriesAlone) {
    const char16_t* const owners[] = {u"OtherApp", u"camfolio", u"Camfolio2"};
    for (const char16_t* owner : owners) {
        RegistrySandbox sandbox;
        RegisterIcon(sandbox, u'L', owner);
        EXPECT_EQ(RemoveDriveIcon(u'L'), 0u);
        EXPECT_TRUE(KeyExists(DriveKey(u'L') + u"\\" + contract::kDefaultIcon));
        EXPECT_TRUE(KeyExists(DriveKey(u'L') + u"\\" + contract::kDefaultLabel));
    }
}

TEST(DriveIcon, KeepsTheDrivesKeyWhileOthersUseIt) {
    RegistrySandbox sandbox;
    RegisterIcon(sandbox, u'K', contract::kDriveIconOwner);
    RegisterIcon(sandbox, u'M', u"OtherApp");
    EXPECT_EQ(RemoveDriveIcon(u'K'), 0u);
    EXPECT_FALSE(KeyExists(DriveKey(u'K')));
    EXPECT_TRUE(KeyExists(DriveKey(u'M') + u"\\" + contract::kDefaultIcon));
}

TEST(DriveIcon, AbsentOrUnownedEntriesAreNoError) {
    RegistrySandbox sandbox;
    EXPECT_EQ(RemoveDriveIcon(u'Q'), 0u);
    // An entry without an owner value, and a "letter" that names no drive.
    sandbox.DriveIcon(u'R');
    EXPECT_EQ(RemoveDriveIcon(u'R'), 0u);
    EXPECT_TRUE(KeyExists(DriveKey(u'R')));
    EXPECT_EQ(RemoveDriveIcon(u'\0'), 0u);
    EXPECT_TRUE(KeyExists(contract::kDriveIconsKey));
}

}  // namespace
