#include "diag/housekeeping/registry_enum_win32.h"

#include <string>

#include "config/reg_key_win32.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_utils.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kTag[] = u"B17@EnumRegistry: ";
// Values are read up to 1038 bytes.
constexpr std::size_t kValueUnits = 1038 / sizeof(char16_t);

bool Qualifies(const RegKey& subkey, const char16_t* valueName, const char16_t* match) {
    const std::u16string value =
        valueName != nullptr ? subkey.ReadString(valueName, kValueUnits).value_or(u"") : u"";
    return (valueName == nullptr || !value.empty()) &&
           (match == nullptr || FindNoCase(value.c_str(), match) >= 0);
}

}  // namespace

int EnumRegistry(HKEY hive, const char16_t* keyPath, const char16_t* suffix,
                 const char16_t* valueName, const char16_t* match, int mode,
                 const char16_t* secondKeyPath, char16_t* outName, std::size_t capacity,
                 const char16_t* newData) {
    TraceEnter(kTag);
    const RegKey parent = keyPath != nullptr ? RegKey::OpenForRead(hive, keyPath) : RegKey();
    const std::u16string base = keyPath != nullptr ? keyPath : u"";
    int count = 0;
    const bool writable = mode == kEnumDeleteValue || mode == kEnumSetValue;
    // All names first: deleting subkeys while listing by index would skip some.
    for (const std::u16string& name : parent.SubkeyNames()) {
        std::u16string path = base;
        path.append(u"\\").append(name).append(suffix != nullptr ? suffix : u"");
        {
            const RegKey subkey = writable ? RegKey::OpenForWrite(hive, path.c_str())
                                           : RegKey::OpenForRead(hive, path.c_str());
            if (!subkey.IsOpen() || !Qualifies(subkey, valueName, match)) {
                continue;
            }
            if (outName != nullptr && capacity > 0) {
                WcsCpy(outName, capacity, name.c_str());
            }
            ++count;
            if (mode == kEnumDeleteValue && valueName != nullptr) {
                subkey.DeleteValue(valueName);
            } else if (mode == kEnumSetValue && valueName != nullptr && newData != nullptr) {
                subkey.WriteString(valueName, newData);
            }
        }
        if (mode == kEnumDeleteKey) {
            RegKey::DeleteKey(hive, path.c_str());
            if (secondKeyPath != nullptr) {
                RegKey::OpenForWrite(hive, secondKeyPath).DeleteValue(name.c_str());
            }
        } else if (mode < kEnumCount || mode > kEnumSetValue) {
            TracePrint(kTag, u"Not implemented");
        }
    }
    TraceReturn(kTag, static_cast<std::uint32_t>(count),
                ResultName(static_cast<std::uint32_t>(count)));
    return count;
}
