#pragma once
// What the save dialog of the WIA dump is given: its filter list and the
// folder it opens in.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The room the dialog's filter list has, its terminators included.
inline constexpr std::size_t kDumpFilterUnits = 200;

// The filter list "<log> (*.log)", "*.log", "<all> (*.*)", "*.*", each
// ended by a null unit and the list by one more; nullopt when it needs more
// than capacity units.
std::optional<std::u16string> DumpFileFilters(std::u16string_view logLabel,
                                              std::u16string_view allLabel,
                                              std::size_t capacity = kDumpFilterUnits);

// The cache folder without its last component ("C:\root\Camfolio" for
// "C:\root\Camfolio\CAMFOLIO_CACHE"); a drive keeps its root "\"; empty
// when the path has no folder above its last name.
std::u16string DumpInitialFolder(std::u16string_view cacheFolder);
