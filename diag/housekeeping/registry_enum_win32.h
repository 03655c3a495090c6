#pragma once
// Walking the subkeys of a registry key to count, change or delete the ones
// whose string value contains a text.
#include <windows.h>

#include <cstddef>

// What EnumRegistry does with each subkey that qualifies.
enum RegistryEnumMode : int {
    kEnumCount = 0,
    // Deletes the subkey (with the suffix) and, given a second key, the value
    // of that key named like the subkey.
    kEnumDeleteKey = 1,
    kEnumDeleteValue = 2,
    kEnumSetValue = 3,
    // Any other mode counts and traces "Not implemented".
};

// For each subkey of hive\keyPath, opens "<subkey><suffix>" and reads the
// string valueName (anything else counts as empty). The subkey qualifies
// when the value is not empty (or no valueName is given) and contains match
// in any letter case (or no match is given). Returns the number that
// qualified; outName receives the last one's name (tag B17).
int EnumRegistry(HKEY hive, const char16_t* keyPath, const char16_t* suffix,
                 const char16_t* valueName, const char16_t* match, int mode,
                 const char16_t* secondKeyPath, char16_t* outName, std::size_t capacity,
                 const char16_t* newData);
