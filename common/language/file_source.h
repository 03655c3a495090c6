#pragma once
// Files read as byte streams.
#include <memory>

#include "common/language/byte_source.h"

// Opens path for binary reading, shared with other readers and writers; null
// when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(const char16_t* path);
