#pragma once
// The order of the oldest-file purge: every collected file, oldest first,
// except the newest file of each top-level folder, which is kept so that a
// device's cache is never emptied by age alone.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct PurgeCandidate {
    std::uint64_t lastWrite;
    // Below the cache folder; the part before the first "\" names the group,
    // a path without "\" belongs to none.
    std::u16string_view relativePath;
};

// Indices into files, oldest first, without the kept ones. Equal times come
// in no particular order.
std::vector<std::size_t> PurgeOrder(std::span<const PurgeCandidate> files);
