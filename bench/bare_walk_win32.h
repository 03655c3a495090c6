#pragma once
// The least any walk of a folder tree costs: enumerate every entry (the
// enumeration returns each one's attributes, size and times), enter folders,
// keep nothing.
#include <cstdint>

struct WalkTally {
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
};

// Folders that cannot be listed add nothing; links are not entered.
WalkTally BareWalk(const char16_t* folder);
