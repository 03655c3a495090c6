#pragma once
// The texts the shell hands out for one child of a folder, copied into
// strings of at most 259 units.
#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>

// A wide string as it is (and freed), an ANSI one converted, any other form
// as "<Type: %d>".
std::u16string StrRetText(STRRET& value);

// Null when the folder cannot name the child.
std::optional<std::u16string> ChildName(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags);
// Null when the column cannot be read.
std::optional<std::u16string> ChildDetail(IShellFolder2* folder, PCUITEMID_CHILD child,
                                          UINT column);
