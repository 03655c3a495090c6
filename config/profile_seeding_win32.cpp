#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/profiles_registry.h"
#include "config/reg_key_win32.h"

namespace {

// A drive letter is taken only as exactly one letter, stored in upper case.
std::optional<std::u16string> MachineDriveLetter(const RegKey& machine) {
    const auto text = machine.ReadString(contract::kDriveLetter, 2);
    if (!text || text->size() != 1) {
        return std::nullopt;
    }
    const char16_t c = (*text)[0];
    if (c >= u'a' && c <= u'z') {
        return std::u16string(1, static_cast<char16_t>(c - u'a' + u'A'));
    }
    if (c >= u'A' && c <= u'Z') {
        return *text;
    }
    return std::nullopt;
}

std::optional<std::u16string> MachineFormat(const RegKey& machine) {
    auto format = machine.ReadString(contract::kFormatString, contract::kFormatStringUnits + 1);
    if (!format || format->empty() || format->size() > contract::kFormatStringUnits) {
        return std::nullopt;
    }
    return format;
}

void CopyString(const RegKey& user, const char16_t* name,
                const std::optional<std::u16string>& value) {
    if (value) {
        user.WriteString(name, value->c_str());
    } else {
        user.RemoveValue(name);
    }
}

void CopyDword(const RegKey& user, const char16_t* name, std::optional<std::uint32_t> value) {
    if (value) {
        user.WriteDword(name, *value);
    } else {
        user.RemoveValue(name);
    }
}

}  // namespace

bool SeedProfilesFromMachine() {
    const RegKey machine = RegKey::OpenForRead(HKEY_LOCAL_MACHINE, contract::kProfilesKey);
    const auto stamp = machine.ReadQword(contract::kTimestamp);
    if (!stamp) {
        return false;
    }
    RegKey user = RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kProfilesKey);
    if (const auto userStamp = user.ReadQword(contract::kTimestamp);
        userStamp && *userStamp >= *stamp) {
        return false;
    }
    if (machine.ReadDword(contract::kDeleteAllCustomProfiles).value_or(0) != 0) {
        user = RegKey();
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(contract::kProfilesKey));
        user = RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kProfilesKey);
    }
    if (!user.IsOpen()) {
        return true;
    }
    CopyString(user, contract::kFormatString, MachineFormat(machine));
    CopyString(user, contract::kDriveLetter, MachineDriveLetter(machine));
    CopyDword(user, contract::kIfDriveLetterUnavailable,
              machine.ReadDword(contract::kIfDriveLetterUnavailable));
    CopyDword(user, contract::kAutoMap, machine.ReadDword(contract::kAutoMap));
    // The stamp goes last: a copy cut short is tried again at the next start.
    user.WriteQword(contract::kTimestamp, *stamp);
    return true;
}
