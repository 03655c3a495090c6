#pragma once
// Reading and removing what a test wrote in Wine's file system.
#include <string>

// The whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::u16string& path);
// The whole file as UTF-16LE text (an odd last byte is dropped).
std::u16string ReadUtf16File(const std::u16string& path);
// Removes a folder and everything in it; a missing folder is fine.
void RemoveTree(const std::u16string& path);
