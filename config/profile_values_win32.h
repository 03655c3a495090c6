#pragma once
// One profile's values in one open registry key.
#include "config/profile_record.h"
#include "config/profile_system.h"
#include "config/reg_key_win32.h"

// Reads the profile in key (which may be closed: everything is then absent)
// and appends it to list. With a parent the record is that camera's
// second-level profile keyName, otherwise the profile of camera keyName.
ProfileRecord& ReadProfile(ProfileList& list, const RegKey& key, const char16_t* keyName,
                           const char16_t* parentName, const ProfileSystem& system);

// Writes the record's values; an absent format or alias leaves the stored
// value alone, an empty alias removes it. True when every write succeeded.
bool WriteProfile(const RegKey& key, const ProfileRecord& record, const ProfileSystem& system);
