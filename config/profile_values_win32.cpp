#include "config/profile_values_win32.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "config/mapper_contract.h"
#include "diag/text/text_utils.h"

namespace {

constexpr std::size_t kAliasUnits = 11;
// Only the first unit of a letter, or the trimmed start of an alias, is kept.
constexpr std::size_t kShortTextUnits = 1024;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string TrimmedAlias(const std::u16string& text) {
    const std::u16string_view trimmed = TrimBlanks(text);
    std::size_t units = std::min(trimmed.size(), kAliasUnits);
    // Never keep half of a surrogate pair.
    if (units == kAliasUnits && units < trimmed.size() && IsHighSurrogate(trimmed[units - 1])) {
        --units;
    }
    return std::u16string(trimmed.substr(0, units));
}

char16_t FirstUnit(const RegKey& key, const char16_t* name) {
    const auto text = key.ReadString(name, kShortTextUnits);
    return text && !text->empty() ? (*text)[0] : u'\0';
}

std::optional<std::uint16_t> LowWord(const RegKey& key, const char16_t* name) {
    const auto value = key.ReadDword(name);
    return value ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*value)) : std::nullopt;
}

bool WriteLetter(const RegKey& key, const char16_t* name, char16_t letter) {
    const char16_t text[2] = {letter, u'\0'};
    return key.WriteString(name, text);
}

}  // namespace

ProfileRecord& ReadProfile(ProfileList& list, const RegKey& key, const char16_t* keyName,
                           const char16_t* parentName, const ProfileSystem& system) {
    auto record = std::make_unique<ProfileRecord>();
    if (parentName != nullptr) {
        record->name = parentName;
        record->subName = keyName;
    } else {
        record->name = keyName;
    }
    // One unit more than taken tells a format that would have been cut: a
    // cut format is another format, and it would be written back cut.
    const auto format = key.ReadString(contract::kFormatString, contract::kFormatStringUnits + 1);
    if (format && !format->empty() && format->size() <= contract::kFormatStringUnits) {
        record->format = *format;
    }
    record->driveLetter = FirstUnit(key, contract::kDriveLetter);
    if (const auto policy = LowWord(key, contract::kIfDriveLetterUnavailable)) {
        record->ifLetterUnavailable = *policy;
    }
    if (const auto autoMap = LowWord(key, contract::kAutoMap)) {
        record->autoMap = *autoMap != 0;
    }
    if (const auto alias = key.ReadString(contract::kAlias, kShortTextUnits)) {
        record->alias = TrimmedAlias(*alias);
    }
    if (system.multiCard) {
        if (const auto multiCard = LowWord(key, contract::kMultiCardSupport)) {
            record->multiCard = *multiCard != 0;
        }
        record->driveLetter2 = FirstUnit(key, contract::kDriveLetter2);
    }
    list.push_back(std::move(record));
    return *list.back();
}

bool WriteProfile(const RegKey& key, const ProfileRecord& record, const ProfileSystem& system) {
    bool ok = true;
    if (record.format && !record.format->empty()) {
        ok &= key.WriteString(contract::kFormatString, record.format->c_str());
    }
    ok &= WriteLetter(key, contract::kDriveLetter, record.driveLetter);
    ok &= key.WriteDword(contract::kIfDriveLetterUnavailable,
                         static_cast<std::uint32_t>(record.ifLetterUnavailable));
    ok &= key.WriteDword(contract::kAutoMap, record.autoMap ? 1 : 0);
    if (system.multiCard) {
        if (record.driveLetter2 != u'\0') {
            ok &= WriteLetter(key, contract::kDriveLetter2, record.driveLetter2);
        }
        ok &= record.multiCard ? key.WriteDword(contract::kMultiCardSupport, 1)
                               : key.RemoveValue(contract::kMultiCardSupport);
    }
    if (record.alias) {
        ok &= record.alias->empty() ? key.RemoveValue(contract::kAlias)
                                    : key.WriteString(contract::kAlias, record.alias->c_str());
    }
    return ok;
}
