#pragma once
// Running the current test again, alone, in a process of its own: for
// settings that Wine reads only when a process starts.
#include <windows.h>

#include <optional>
#include <string>

// This test program's path.
std::u16string CurrentProgramPath();

// Runs program (this program or a copy of it) with a filter for the current
// test alone and the environment variable set to value meanwhile. The exit
// code, nullopt when it could not be run or did not end in time.
std::optional<DWORD> RunCurrentTestIn(const std::u16string& program, const wchar_t* variable,
                                      const char16_t* value);
