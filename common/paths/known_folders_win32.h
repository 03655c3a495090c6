#pragma once
// The shell's special folders the configuration uses, into a caller's buffer
// of capacity units. False (and an empty buffer) when the shell cannot say or
// the folder does not fit.
#include <cstddef>

bool GetLocalAppDataFolder(char16_t* buffer, std::size_t capacity);
bool GetCommonAppDataFolder(char16_t* buffer, std::size_t capacity);
bool GetTempFolder(char16_t* buffer, std::size_t capacity);
