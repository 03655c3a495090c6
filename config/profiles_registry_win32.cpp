#include <windows.h>

#include <cstdint>
#include <string>

#include "config/mapper_contract.h"
#include "config/profile_values_win32.h"
#include "config/profiles_registry.h"
#include "config/reg_key_win32.h"

namespace {

std::u16string Below(const std::u16string& path, const std::u16string& name) {
    return path + u"\\" + name;
}

// Deletes the keys of one deleted profile; a camera key goes once its last
// second-level profile has gone (or when it cannot be opened at all).
void DeleteProfileKeys(const RegKey& profiles, const ProfileRecord& record) {
    if (record.name.empty()) {
        return;  // no camera key: never the profiles key itself
    }
    if (!record.subName.empty()) {
        std::int64_t remaining = -1;
        bool opened = false;
        {
            const RegKey camera = RegKey::OpenForWrite(profiles.Get(), record.name.c_str());
            opened = camera.IsOpen();
            if (const auto counts = camera.QueryCounts()) {
                remaining = counts->subkeys;
            }
            if (camera.DeleteSubkey(record.subName.c_str())) {
                --remaining;
            }
        }
        if (opened && remaining != 0) {
            return;
        }
    }
    // Refused by the registry while the key still has subkeys.
    profiles.DeleteSubkey(record.name.c_str());
}

}  // namespace

bool LoadProfiles(ProfileList& list, const char16_t* keyPath, const char16_t* parentName,
                  const ProfileSystem& system) {
    const bool topLevel = parentName == nullptr;
    const std::u16string path = keyPath != nullptr ? keyPath : contract::kProfilesKey;
    const RegKey key = RegKey::OpenForRead(HKEY_CURRENT_USER, path.c_str());
    if (topLevel) {
        ProfileRecord& defaults = ReadProfile(list, key, u"", nullptr, system);
        defaults.isDefault = true;
        if (!defaults.format) {
            defaults.format = contract::kDefaultFormat;
        }
        defaults.alias.reset();
    }
    if (!key.IsOpen()) {
        return false;
    }
    const std::vector<std::u16string> names = key.SubkeyNames();
    for (const std::u16string& name : names) {
        const std::u16string subPath = Below(path, name);
        if (topLevel && system.secondLevel &&
            LoadProfiles(list, subPath.c_str(), name.c_str(), system)) {
            continue;
        }
        const RegKey subkey = RegKey::OpenForRead(HKEY_CURRENT_USER, subPath.c_str());
        if (subkey.IsOpen()) {
            ReadProfile(list, subkey, name.c_str(), parentName, system);
        }
    }
    return topLevel || !names.empty();
}

bool SaveProfiles(ProfileList& list, ProfileList& deleted, const ProfileSystem& system) {
    const RegKey profiles = RegKey::OpenForWrite(HKEY_CURRENT_USER, contract::kProfilesKey);
    if (!profiles.IsOpen()) {
        return true;
    }
    for (const auto& record : list) {
        if (record->deleted) {
            continue;
        }
        if (record->isDefault) {
            WriteProfile(profiles, *record, system);
            continue;
        }
        if (record->name.empty()) {
            continue;  // would write into the default profile
        }
        const std::u16string path =
            record->subName.empty() ? record->name : Below(record->name, record->subName);
        const RegKey target = RegKey::OpenForWrite(profiles.Get(), path.c_str());
        if (target.IsOpen()) {
            WriteProfile(target, *record, system);
        }
    }
    for (const auto& record : deleted) {
        DeleteProfileKeys(profiles, *record);
    }
    deleted.clear();
    return true;
}
