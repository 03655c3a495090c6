#pragma once
// One camera profile in memory, as the Profiles page edits it. The default
// profile lives in the Profiles key itself; every other one in a camera key
// below it, or in a second-level key of a camera key.
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct ProfileRecord {
    int listIndex = 0;  // row in the Profiles page's list
    bool isDefault = false;
    bool deleted = false;  // set by the page; such records are not saved
    std::u16string name;   // camera key; empty for the default profile
    std::optional<std::u16string> alias;
    std::u16string subName;  // second-level key, empty for the others
    char16_t driveLetter = 0;
    char16_t driveLetter2 = 0;
    std::optional<std::u16string> format;
    bool autoMap = false;
    bool multiCard = false;
    int ifLetterUnavailable = 0;  // 0 ask, 1 first available, 2 last available
};

// Records are held by pointer because the page hands their addresses to the
// list view as item data; the list owns them. A deletion list holds records
// that carry only name and sub name.
using ProfileList = std::vector<std::unique_ptr<ProfileRecord>>;
