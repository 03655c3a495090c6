#pragma once
// Version resources of the installed files.
#include <windows.h>

#include <cstddef>

// The file's fixed version information (root block "\" of its resource).
bool GetFileVersionFixed(const char16_t* path, VS_FIXEDFILEINFO* fixed);

// "4.1 (build 265)": major and minor of the file version, the catalogue's
// word for "build" and the fourth number. False when the file has no version.
bool FormatFileVersion(const char16_t* path, char16_t* buffer, std::size_t capacity);
