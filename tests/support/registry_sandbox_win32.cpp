#include "tests/support/registry_sandbox_win32.h"

#include <gtest/gtest.h>

#include "common/wide_win32.h"
#include "config/mapper_contract.h"

namespace {

void RemoveProductKeys() {
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
    RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(contract::kSettingsKey));
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
    RemoveProductKeys();
}

RegistrySandbox::~RegistrySandbox() {
    RemoveProductKeys();
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
