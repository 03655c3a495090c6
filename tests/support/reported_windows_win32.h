#pragma once
// Running a test as another version of Windows. Wine reports the version its
// registry names for a program ("Version" in the program's key below
// HKEY_CURRENT_USER\Software\Wine\AppDefaults) and reads it when the
// program starts; so the test runs again in a copy of its program that Wine
// starts as that version.
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

// Wine's names of the versions the product supports at both ends.
inline constexpr char16_t kWindowsXp64[] = u"winxp64";  // XP x64 edition, for 64-bit programs
inline constexpr char16_t kWindows7[] = u"win7";
inline constexpr char16_t kWindows10[] = u"win10";

// The version this process was started as by RunCurrentTestAs; nullopt in
// the test's own run.
std::optional<std::u16string> ReportedWindowsVersion();

// Runs the current test alone in a copy of this program started as version;
// the programs named in alsoFor (e.g. u"camfolio-tool.exe") report it too
// meanwhile. The copy's exit code, nullopt when it could not be run.
std::optional<DWORD> RunCurrentTestAs(const char16_t* version,
                                      std::initializer_list<const char16_t*> alsoFor = {});
