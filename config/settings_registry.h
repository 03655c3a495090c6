#pragma once
// The global settings, one accessor per value of HKEY_CURRENT_USER
// "SOFTWARE\Camfolio" (names in mapper_contract.h). No caching: every call
// opens the key, reads or writes one value and closes it, so a value the
// mapper wrote is seen at the next read. Readers fall back to the defaults;
// writers create the key when needed and return true on success.
#include <cstddef>
#include <cstdint>

// MiB; absent, of another type or below the minimum reads as 100.
int Registry_Get_CacheSize();
int Registry_GetMinCacheSize();
bool Registry_Set_CacheSize(int mebibytes);

// Folds a legacy TraceFlags value in on first read; default 2.
std::uint32_t Registry_Get_Flags();
bool Registry_Set_Flags(std::uint32_t flags);
bool Registry_IsLoggingEnabled();
bool Registry_SetLoggingEnabled(bool enabled);
bool Registry_IsBatteryCheckEnabled();
bool Registry_SetBatteryCheckEnabled(bool enabled);

// With raw the bare cache root, otherwise the cache folder below it
// ("<root>\Camfolio\CAMFOLIO_CACHE"); the folders are created. Falls back to
// the local application-data folder, then the temporary folder; null when
// none can be had (or the path does not fit).
char16_t* Registry_Get_CacheRoot(char16_t* buffer, std::size_t capacity, bool raw);
// The pending root, its folders created; empty when absent or unusable.
char16_t* Registry_Get_CacheRootPending(char16_t* buffer, std::size_t capacity);
bool Registry_Set_CacheRoot(const char16_t* path);
bool Registry_Set_CacheRootPending(const char16_t* path);

// "<common application data>\Camfolio\<LngFile>"; null (and an empty
// buffer) when no language file is chosen or capacity is below 260.
char16_t* Registry_Get_LngFile(char16_t* buffer, std::size_t capacity);
// A file name without folder; null goes back to the built-in English.
bool Registry_Set_LngFile(const char16_t* fileName);

// The installation folder from HKEY_LOCAL_MACHINE without a trailing "\";
// null when absent or empty.
char16_t* Registry_Get_InstallDir(char16_t* buffer, std::size_t capacity);

// The default profile's format; moves a legacy top-level FormatString into
// the Profiles key on first read.
char16_t* Registry_Get_DefaultFormatString(char16_t* buffer, std::size_t capacity);
bool Registry_Set_DefaultFormatString(const char16_t* format);
