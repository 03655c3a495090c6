#pragma once
// Removing a drive icon the mapper left registered for a drive letter.
#include <cstdint>

// Removes the icon and label entries of the letter ('A' ... 'Z') when the
// letter's key names Camfolio as its owner; another program's entry is left
// alone (tag T2). Returns S_OK, or E_UNEXPECTED when the icon could not be
// removed for want of rights, which the user is told in a message box.
std::uint32_t RemoveDriveIcon(char16_t letter);
