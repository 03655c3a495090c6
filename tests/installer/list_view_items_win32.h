#pragma once
// The item texts of a list view in another process. List-view messages carry
// pointers, which mean something only in the list view's own process: the
// record and its text buffer are lent there for the call.
#include <windows.h>

#include <string>
#include <vector>

// Empty when the list view's process cannot be read.
std::vector<std::u16string> ListViewItemTexts(HWND listView);
