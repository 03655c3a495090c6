#pragma once
// Files the tool writes for its user.
#include <cstddef>
#include <span>

// Creates or replaces the file at path with bytes; false when it cannot.
bool WriteWholeFile(const char16_t* path, std::span<const std::byte> bytes);
