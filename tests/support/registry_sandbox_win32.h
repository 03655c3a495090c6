#pragma once
// Gives a test the registry state it asks for: the product's keys are removed
// before and after, and an HKEY_LOCAL_MACHINE value it changes is put back.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "config/reg_key_win32.h"

class RegistrySandbox {
  public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    // HKEY_CURRENT_USER\SOFTWARE\Camfolio (created) or a key below it.
    RegKey Settings(const char16_t* subkey = nullptr) const;
    // Stores raw bytes as a value of the given type, as another program might.
    static void WriteRaw(const RegKey& key, const char16_t* name, DWORD type, const void* data,
                         DWORD bytes);
    // Sets the installation folder value; the previous state returns at the end.
    void SetInstallDir(const char16_t* folder);
    void RemoveInstallDir();
    // HKEY_LOCAL_MACHINE\SOFTWARE\Camfolio\Profiles, emptied (or created);
    // the values it held return at the end.
    RegKey MachineProfiles();
    // The drive icon key of one letter below HKEY_CURRENT_USER, created
    // empty; removed at the end, with the drive icons key once it is empty.
    RegKey DriveIcon(char16_t letter);

  private:
    struct SavedValue {
        std::u16string name;
        DWORD type;
        std::vector<BYTE> data;
    };

    void RestoreMachineProfiles();
    void RemoveDriveIcons();

    std::optional<std::optional<std::u16string>> savedInstallDir_;
    // Outer: touched; inner: the key existed.
    std::optional<std::optional<std::vector<SavedValue>>> savedMachineProfiles_;
    std::u16string driveLetters_;
};
