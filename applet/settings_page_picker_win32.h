#pragma once
// The Settings page's folder picker for a new cache root.
#include <windows.h>

#include <optional>
#include <string>

// Shows the shell's folder picker rooted at the computer folder (the one
// listing the drives), owned by owner, with title as its text and start
// selected when it opens; every selection change shows the folder's path as
// status text. The file-system path of the folder the user confirms;
// nullopt when cancelled or when the picker cannot be shown.
std::optional<std::u16string> PickFolder(HWND owner, const char16_t* title, const char16_t* start);
