#pragma once
// What the running system allows of a profile: the second card slot's values
// (Vista and later) and camera keys whose subkeys are the profiles (all
// systems but XP).
#include <cstdint>

#include "common/windows_version/windows_version.h"

struct ProfileSystem {
    bool multiCard = false;
    bool secondLevel = false;
};

inline ProfileSystem ProfileSystemFor(std::uint32_t versionFlags) {
    return {(versionFlags & winver::kMultiCardMask) != 0, (versionFlags & winver::kXPBit) == 0};
}

inline ProfileSystem CurrentProfileSystem() {
    return ProfileSystemFor(GetWindowsVersionFlags(nullptr, 0));
}
