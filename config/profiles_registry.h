#pragma once
// The camera profiles under HKEY_CURRENT_USER "SOFTWARE\Camfolio\Profiles"
// (names in mapper_contract.h). The mapper creates camera keys; the applet
// lists, edits and deletes profiles but never creates a camera key. Like the
// settings, nothing is cached: every call reads or writes the registry.
#include "config/profile_record.h"
#include "config/profile_system.h"

// Appends the default profile (first, with the built-in format when none is
// stored) and one record per camera profile; called with nulls for the
// whole store. A camera key with subkeys lists its subkeys instead of
// itself (not on XP). Returns true when the key was read and, below the top
// level, had subkeys.
bool LoadProfiles(ProfileList& list, const char16_t* keyPath = nullptr,
                  const char16_t* parentName = nullptr,
                  const ProfileSystem& system = CurrentProfileSystem());

// Writes every record not marked deleted into its existing key (a missing
// camera key is not created), then deletes the keys of the deletion list and
// empties it. A camera key left without subkeys goes with its last
// second-level profile. True also when the profiles key cannot be opened
// (the deletion list is then kept).
bool SaveProfiles(ProfileList& list, ProfileList& deleted,
                  const ProfileSystem& system = CurrentProfileSystem());

// Copies the machine-wide defaults (HKEY_LOCAL_MACHINE, same key) into the
// user's default profile when their Timestamp is newer than the user's,
// deleting all of the user's profiles first when the machine asks for it.
// False when there was nothing newer to copy.
bool SeedProfilesFromMachine();
