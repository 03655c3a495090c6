#pragma once
// The two version queries of the Dokan library, the only calls made into it.
#include <cstdint>

struct DokanVersions {
    std::uint32_t library = 0;  // 0: the library could not be loaded
    std::uint32_t driver = 0;   // 0: the driver is missing
};

// Loads "dokan.dll" from the folder of the shell library first, then by the
// system's search.
DokanVersions QueryDokanVersions();
