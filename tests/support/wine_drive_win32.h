#pragma once
// A drive letter defined for the duration of a test as Wine's configuration
// defines one: through Wine's mount manager, which links the letter in the
// prefix's dosdevices folder and records its type under
// HKEY_LOCAL_MACHINE\Software\Wine\Drives, so that GetDriveTypeW answers it
// at once. The letter is removed again at the end.
#include <windows.h>

#include <string>

class WineDrive {
  public:
    // letter: 'D' ... 'Y'; type: DRIVE_CDROM, DRIVE_REMOVABLE, ...; folder:
    // the existing Windows folder the drive shows.
    WineDrive(char16_t letter, UINT type, const std::u16string& folder);
    ~WineDrive();
    WineDrive(const WineDrive&) = delete;
    WineDrive& operator=(const WineDrive&) = delete;

    // False when not under Wine, the letter was in use or the mount manager refused.
    bool Defined() const { return defined_; }

  private:
    char16_t letter_;
    bool defined_ = false;
};
