#pragma once
// Small file-system helpers needed before the rest of the system services.
#include <cstdint>

// The drive type value that means "no root directory".
inline constexpr unsigned kDriveNoRootDir = 1;

// Creates every folder along path ("X:\a\b\name"). With createLast the last
// component is a folder too; without it the last component names a file and
// the result says whether any folder was handled. A drive root alone is true
// when the drive exists. An existing folder counts as made; an existing file
// in a folder's place does not. Paths of 260 units or more are refused.
bool EnsurePath(const char16_t* path, bool createLast);

// The system's drive type for root ("X:\"); a letter that has no root
// directory but is a remembered network connection gives 2 instead, so that
// it is not offered as free.
unsigned GetDriveTypeEx(const char16_t* root);

// Whether path, or path + "\" + name when a name is given, exists.
bool FileExists(const char16_t* path, const char16_t* name);
