#pragma once
// The Settings page's decisions that need no window: the cleaning of a
// picked cache folder, the language list's selection, the language value
// stored and the cache size accepted.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The cache root for a folder picked in the folder picker. Picking the
// cache folder itself, or a "Camfolio" folder, means the root above it: a
// trailing "\Camfolio\CAMFOLIO_CACHE" or "\Camfolio" (any letter case, whole
// folder names only) is cut, as often as one ends the path; then one
// trailing "\" goes, unless the path is a drive root such as "C:\".
std::u16string CleanPickedCacheRoot(std::u16string_view picked);

// The entry of the language list to select. Entries are the paths of the
// list in order, nullopt for the built-in English; stored is the chosen
// file's full path, empty for built-in English. An entry whose path equals
// stored (ASCII letters in any case), or the built-in entry when stored is
// empty, qualifies; the last one that qualifies wins, else entry 0.
std::size_t SelectedLanguageEntry(const std::vector<std::optional<std::u16string>>& entries,
                                  std::u16string_view stored);

// The part of a language file's path after its last "\": LngFile holds the
// bare file name.
std::u16string_view LanguageFileName(std::u16string_view path);

// The size text's value as the C library reads an integer: leading blanks,
// an optional sign, then digits up to the first other unit; 0 when none.
// A value past the largest cache size reads as one more than it.
int CacheSizeFromText(std::u16string_view text);
