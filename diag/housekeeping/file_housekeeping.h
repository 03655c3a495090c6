#pragma once
// Deleting files and folders, also when they are marked read-only. Failures
// are results (and trace lines), never messages. A junction or symbolic link
// to a folder is removed as a link, or kept where the system cannot remove it
// as such (Wine): what it points to is never entered or deleted.

// Clears the read-only bit and deletes the file (tag T4).
bool DeleteFileEx(const char16_t* path);
// The same for an empty folder, or a link to a folder (tag T5).
bool RemoveDirectoryEx(const char16_t* path);
// Deletes the folder and everything in it (tag T6). Stops at the first entry
// that cannot be deleted, leaving the folder partly deleted.
bool DeleteDirectoryRecursive(const char16_t* folder);
