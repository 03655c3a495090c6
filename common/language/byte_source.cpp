#include "common/language/byte_source.h"

#include <algorithm>

std::size_t MemorySource::Read(std::span<std::byte> out) {
    const std::size_t count = std::min(out.size(), rest_.size());
    std::copy_n(rest_.begin(), count, out.begin());
    rest_ = rest_.subspan(count);
    return count;
}
