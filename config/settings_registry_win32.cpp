#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "common/paths/known_folders_win32.h"
#include "common/paths/path_helpers.h"
#include "config/mapper_contract.h"
#include "config/reg_key_win32.h"
#include "config/settings_registry.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "diag/trace/trace.h"

namespace {

RegKey SettingsForRead() {
    return RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kSettingsKey);
}
RegKey SettingsForWrite() {
    return RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kSettingsKey);
}

void Clear(char16_t* buffer, std::size_t capacity) {
    if (buffer != nullptr && capacity > 0) {
        buffer[0] = u'\0';
    }
}

// A path value that does not fit the caller's buffer is treated as absent: a
// cut path names another folder, and folders are created from it.
std::u16string ReadPathValue(const char16_t* name, std::size_t capacity) {
    const std::optional<std::u16string> value =
        SettingsForRead().ReadString(name, capacity > 0 ? capacity : 0);
    return value && value->size() < capacity ? *value : std::u16string();
}

bool EndsWithSeparator(const char16_t* path) {
    const std::size_t n = std::char_traits<char16_t>::length(path);
    return n > 0 && path[n - 1] == u'\\';
}

// A format longer than the stored limit counts as absent: a cut format is
// another format. An over-long legacy value therefore stays where it is.
std::optional<std::u16string> ReadFormat(const RegKey& key) {
    auto format = key.ReadString(contract::kFormatString, contract::kFormatStringUnits + 1);
    if (format && format->size() > contract::kFormatStringUnits) {
        return std::nullopt;
    }
    return format;
}

bool SetFlagBit(std::uint32_t mask, bool on) {
    const std::uint32_t flags = Registry_Get_Flags();
    return Registry_Set_Flags(on ? (flags | mask) : (flags & ~mask));
}

}  // namespace

int Registry_Get_CacheSize() {
    const auto value = SettingsForRead().ReadDword(contract::kCacheSize);
    const auto mebibytes = static_cast<std::int32_t>(value.value_or(contract::kMinCacheSizeMiB));
    return std::max<int>(mebibytes, contract::kMinCacheSizeMiB);
}

int Registry_GetMinCacheSize() {
    return contract::kMinCacheSizeMiB;
}

bool Registry_Set_CacheSize(int mebibytes) {
    return SettingsForWrite().WriteDword(contract::kCacheSize,
                                         static_cast<std::uint32_t>(mebibytes));
}

std::uint32_t Registry_Get_Flags() {
    const RegKey key = SettingsForRead();
    if (!key.IsOpen()) {
        return contract::kDefaultFlags;
    }
    if (key.HasValue(contract::kLegacyTraceFlags)) {
        const std::uint32_t migrated =
            key.ReadDword(contract::kLegacyTraceFlags).value_or(contract::kDefaultFlags) |
            contract::kFlagBatteryCheck;
        const RegKey writable = RegKey::OpenForWrite(HKEY_CURRENT_USER, contract::kSettingsKey);
        if (writable.WriteDword(contract::kFlags, migrated)) {
            writable.DeleteValue(contract::kLegacyTraceFlags);
        }
    }
    return key.ReadDword(contract::kFlags).value_or(contract::kDefaultFlags);
}

bool Registry_Set_Flags(std::uint32_t flags) {
    return SettingsForWrite().WriteDword(contract::kFlags, flags);
}

bool Registry_IsLoggingEnabled() {
    return (Registry_Get_Flags() & contract::kFlagLogging) != 0;
}

bool Registry_SetLoggingEnabled(bool enabled) {
    return SetFlagBit(contract::kFlagLogging, enabled);
}

bool Registry_IsBatteryCheckEnabled() {
    return (Registry_Get_Flags() & contract::kFlagBatteryCheck) != 0;
}

bool Registry_SetBatteryCheckEnabled(bool enabled) {
    return SetFlagBit(contract::kFlagBatteryCheck, enabled);
}

char16_t* Registry_Get_CacheRootPending(char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return buffer;
    }
    const std::u16string pending = ReadPathValue(contract::kCacheRootPending, capacity);
    WcsCpy(buffer, capacity, pending.c_str());
    if (buffer[0] != u'\0' && !EnsurePath(buffer, true)) {
        buffer[0] = u'\0';
    }
    return buffer;
}

char16_t* Registry_Get_CacheRoot(char16_t* buffer, std::size_t capacity, bool raw) {
    if (buffer == nullptr || capacity == 0) {
        return nullptr;
    }
    const std::u16string root = ReadPathValue(contract::kCacheRoot, capacity);
    WcsCpy(buffer, capacity, root.c_str());
    if (buffer[0] != u'\0' && !EnsurePath(buffer, true)) {
        buffer[0] = u'\0';
    }
    if (buffer[0] == u'\0' && !GetLocalAppDataFolder(buffer, capacity)) {
        GetTempFolder(buffer, capacity);
    }
    if (buffer[0] == u'\0') {
        TracePrint(u"Q1@Registry_Get_CacheRoot: ", u"Cannot set Cache root: %s", buffer);
        return nullptr;
    }
    if (!raw) {
        // Whole or not at all: a cut cache path would create stray folders.
        const std::size_t needed = std::char_traits<char16_t>::length(buffer) +
                                   (EndsWithSeparator(buffer) ? 0 : 1) +
                                   std::char_traits<char16_t>::length(contract::kProductFolder) +
                                   1 + std::char_traits<char16_t>::length(contract::kCacheFolder);
        if (needed >= capacity) {
            buffer[0] = u'\0';
            return nullptr;
        }
        if (!EndsWithSeparator(buffer)) {
            WcsCat(buffer, capacity, u"\\");
        }
        WcsCat(buffer, capacity, contract::kProductFolder);
        WcsCat(buffer, capacity, u"\\");
        WcsCat(buffer, capacity, contract::kCacheFolder);
    }
    EnsurePath(buffer, true);
    return buffer;
}

bool Registry_Set_CacheRoot(const char16_t* path) {
    return path != nullptr && SettingsForWrite().WriteString(contract::kCacheRoot, path);
}

bool Registry_Set_CacheRootPending(const char16_t* path) {
    return path != nullptr && SettingsForWrite().WriteString(contract::kCacheRootPending, path);
}

char16_t* Registry_Get_LngFile(char16_t* buffer, std::size_t capacity) {
    Clear(buffer, capacity);
    if (buffer == nullptr || capacity < kPathUnits) {
        return nullptr;
    }
    const std::u16string name = ReadPathValue(contract::kLngFile, kPathUnits);
    char16_t folder[kPathUnits];
    if (name.empty() || !GetCommonAppDataFolder(folder, kPathUnits)) {
        return nullptr;
    }
    const std::u16string path =
        std::u16string(folder) + u"\\" + contract::kProductFolder + u"\\" + name;
    if (path.size() >= capacity) {
        return nullptr;
    }
    WcsCpy(buffer, capacity, path.c_str());
    return buffer;
}

bool Registry_Set_LngFile(const char16_t* fileName) {
    const RegKey key = SettingsForWrite();
    if (fileName == nullptr) {
        return key.IsOpen() &&
               (!key.HasValue(contract::kLngFile) || key.DeleteValue(contract::kLngFile));
    }
    return key.WriteString(contract::kLngFile, fileName);
}

char16_t* Registry_Get_InstallDir(char16_t* buffer, std::size_t capacity) {
    Clear(buffer, capacity);
    if (buffer == nullptr || capacity == 0) {
        return nullptr;
    }
    const std::optional<std::u16string> folder =
        RegKey::OpenForRead(HKEY_LOCAL_MACHINE, contract::kSettingsKey).ReadString(u"", capacity);
    // Too long for the buffer counts as absent: a cut folder is another folder.
    if (!folder || folder->empty() || folder->size() >= capacity) {
        return nullptr;
    }
    WcsCpy(buffer, capacity, folder->c_str());
    const std::size_t n = std::char_traits<char16_t>::length(buffer);
    if (buffer[n - 1] == u'\\') {
        buffer[n - 1] = u'\0';
    }
    return buffer[0] != u'\0' ? buffer : nullptr;
}

char16_t* Registry_Get_DefaultFormatString(char16_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return buffer;
    }
    const RegKey settings = RegKey::OpenForWrite(HKEY_CURRENT_USER, contract::kSettingsKey);
    if (!settings.IsOpen()) {
        WcsCpy(buffer, capacity, contract::kDefaultFormat);
        return buffer;
    }
    std::u16string format;
    if (const auto legacy = ReadFormat(settings)) {
        // Moved, not copied; the old place is cleared only once the new one holds it.
        format = *legacy;
        if (format.empty() || Registry_Set_DefaultFormatString(format.c_str())) {
            settings.DeleteValue(contract::kFormatString);
        }
    } else {
        format = ReadFormat(RegKey::OpenForRead(HKEY_CURRENT_USER, contract::kProfilesKey))
                     .value_or(u"");
    }
    if (format.empty()) {
        WcsCpy(buffer, capacity, contract::kDefaultFormat);
        return buffer;
    }
    WcsCpy(buffer, capacity, format.c_str());
    return buffer;
}

bool Registry_Set_DefaultFormatString(const char16_t* format) {
    return format != nullptr && RegKey::CreateForWrite(HKEY_CURRENT_USER, contract::kProfilesKey)
                                    .WriteString(contract::kFormatString, format);
}
