#include "tests/support/registry_sandbox_win32.h"

#include <gtest/gtest.h>

#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"

namespace {

void RemoveProductKeys() {
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
    RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
}

void RemoveMachineProfiles() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, AsWide(contract::kProfilesKey));
    RegKey::DeleteKey(HKEY_LOCAL_MACHINE, contract::kProfilesKey);
}

std::u16string DriveIconPath(char16_t letter) {
    return std::u16string(contract::kDriveIconsKey) + u"\\" + letter;
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
    RemoveProductKeys();
}

RegistrySandbox::~RegistrySandbox() {
    RemoveProductKeys();
    RestoreMachineProfiles();
    RemoveDriveIcons();
    if (savedInstallDir_) {
        const RegKey machine = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kSettingsKey);
        if (*savedInstallDir_) {
            machine.WriteString(u"", (*savedInstallDir_)->c_str());
        } else {
            machine.DeleteValue(u"");
        }
    }
}

RegKey RegistrySandbox::Settings(const char16_t* subkey) const {
    std::u16string path = contract::kSettingsKey;
    if (subkey != nullptr) {
        path += u"\\";
        path += subkey;
    }
    RegKey key = RegKey::CreateForWrite(HKEY_CURRENT_USER, path.c_str());
    EXPECT_TRUE(key.IsOpen()) << "cannot create the settings key";
    return key;
}

void RegistrySandbox::WriteRaw(const RegKey& key, const char16_t* name, DWORD type,
                               const void* data, DWORD bytes) {
    ASSERT_EQ(
        RegSetValueExW(key.Get(), AsWide(name), 0, type, static_cast<const BYTE*>(data), bytes),
        ERROR_SUCCESS);
}

void RegistrySandbox::SetInstallDir(const char16_t* folder) {
    const RegKey machine = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kSettingsKey);
    ASSERT_TRUE(machine.IsOpen());
    if (!savedInstallDir_) {
        savedInstallDir_ = machine.ReadString(u"", 4096);
    }
    if (folder != nullptr) {
        ASSERT_TRUE(machine.WriteString(u"", folder));
    } else {
        machine.DeleteValue(u"");
    }
}

void RegistrySandbox::RemoveInstallDir() {
    SetInstallDir(nullptr);
}

RegKey RegistrySandbox::MachineProfiles() {
    if (!savedMachineProfiles_) {
        savedMachineProfiles_.emplace();
        const RegKey existing = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, contract::kProfilesKey);
        if (existing.IsOpen()) {
            std::vector<SavedValue> values;
            for (DWORD index = 0;; ++index) {
                wchar_t name[256];
                DWORD nameUnits = 256;
                DWORD type = 0;
                DWORD bytes = 0;
                if (RegEnumValueW(existing.Get(), index, name, &nameUnits, nullptr, &type, nullptr,
                                  &bytes) != ERROR_SUCCESS) {
                    break;
                }
                SavedValue value{std::u16string(AsU16(std::wstring_view(name, nameUnits))), type,
                                 std::vector<BYTE>(bytes)};
                nameUnits = 256;
                RegEnumValueW(existing.Get(), index, name, &nameUnits, nullptr, &type,
                              value.data.data(), &bytes);
                values.push_back(std::move(value));
            }
            *savedMachineProfiles_ = std::move(values);
        }
    }
    RemoveMachineProfiles();
    RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kProfilesKey);
    EXPECT_TRUE(key.IsOpen()) << "cannot create the machine profiles key";
    return key;
}

void RegistrySandbox::RestoreMachineProfiles() {
    if (!savedMachineProfiles_) {
        return;
    }
    RemoveMachineProfiles();
    if (*savedMachineProfiles_) {
        const RegKey key = RegKey::CreateForWrite(HKEY_LOCAL_MACHINE, contract::kProfilesKey);
        for (const SavedValue& value : **savedMachineProfiles_) {
            RegSetValueExW(key.Get(), AsWide(value.name.c_str()), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        }
    }
}

RegKey RegistrySandbox::DriveIcon(char16_t letter) {
    const std::u16string path = DriveIconPath(letter);
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(path.c_str()));
    RegKey::DeleteKey(HKEY_CURRENT_USER, path.c_str());
    driveLetters_ += letter;
    RegKey key = RegKey::CreateForWrite(HKEY_CURRENT_USER, path.c_str());
    EXPECT_TRUE(key.IsOpen()) << "cannot create the drive icon key";
    return key;
}

void RegistrySandbox::RemoveDriveIcons() {
    for (const char16_t letter : driveLetters_) {
        const std::u16string path = DriveIconPath(letter);
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(path.c_str()));
        RegKey::DeleteKey(HKEY_CURRENT_USER, path.c_str());
    }
    const auto counts =
        RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kDriveIconsKey).QueryCounts();
    if (counts && counts->subkeys == 0 && counts->values == 0) {
        RegKey::DeleteKey(HKEY_CURRENT_USER, contract::kDriveIconsKey);
    }
}
