#pragma once
// What the applet and the outside mapper (Camfolio.exe, Camfolio.dll) agree on:
// registry keys and value names, the shared block, the cache folder, the log
// files and the installed file names. Nothing else spells these out again.
#include <cstddef>

namespace contract {

// HKEY_CURRENT_USER: settings; HKEY_LOCAL_MACHINE: installation folder (the
// key's default value) and machine-wide profile defaults.
inline constexpr char16_t kSettingsKey[] = u"SOFTWARE\\Camfolio";
inline constexpr char16_t kProfilesKey[] = u"SOFTWARE\\Camfolio\\Profiles";

// Settings values (HKEY_CURRENT_USER\SOFTWARE\Camfolio).
inline constexpr char16_t kCacheSize[] = u"CacheSize";
inline constexpr char16_t kCacheRoot[] = u"CacheRoot";
inline constexpr char16_t kCacheRootPending[] = u"CacheRootPending";
inline constexpr char16_t kFlags[] = u"Flags";
inline constexpr char16_t kLegacyTraceFlags[] = u"TraceFlags";
inline constexpr char16_t kLngFile[] = u"LngFile";

// Profile values (the Profiles key and each camera key below it).
inline constexpr char16_t kFormatString[] = u"FormatString";
inline constexpr char16_t kDriveLetter[] = u"DriveLetter";
inline constexpr char16_t kIfDriveLetterUnavailable[] = u"IfDriveLetterUnavailable";
inline constexpr char16_t kAutoMap[] = u"AutoMap";
inline constexpr char16_t kMultiCardSupport[] = u"MultiCardSupport";
inline constexpr char16_t kDriveLetter2[] = u"DriveLetter2";
inline constexpr char16_t kAlias[] = u"Alias";
inline constexpr char16_t kTimestamp[] = u"Timestamp";
inline constexpr char16_t kDeleteAllCustomProfiles[] = u"DeleteAllCustomProfiles";

// Flags bits; every other bit belongs to the mapper and is kept as found.
inline constexpr unsigned kFlagLogging = 0x1;
inline constexpr unsigned kFlagBatteryCheck = 0x2;
inline constexpr unsigned kDefaultFlags = kFlagBatteryCheck;

// Cache size in MiB: the minimum is also the default; the Settings page's
// control stops at the maximum.
inline constexpr int kMinCacheSizeMiB = 100;
inline constexpr int kMaxCacheSizeMiB = 999999;

inline constexpr char16_t kDefaultFormat[] = u"<Y4>-<M2>-<D2>-<C4><Fo>";
// Formats are read up to 1038 bytes, as the mapper stores them.
inline constexpr std::size_t kFormatStringUnits = 1038 / sizeof(char16_t);

// The cache folder below the cache root: "<root>\Camfolio\CAMFOLIO_CACHE".
inline constexpr char16_t kProductFolder[] = u"Camfolio";
inline constexpr char16_t kCacheFolder[] = u"CAMFOLIO_CACHE";

// Shared memory block of every process of the product.
inline constexpr char16_t kSharedBlockName[] = u"CamfolioG";
inline constexpr std::size_t kSharedBlockSize = 35720;

// Log files: the applet's and the mapper's in service mode.
inline constexpr char16_t kLogFile[] = u"CAMFOLIO.log";
inline constexpr char16_t kServiceLogFile[] = u"CAMFOLIO_SVC.log";

// Installed files (installation folder).
inline constexpr char16_t kAppletFile[] = u"Camfolio.cpl";
inline constexpr char16_t kBuilderFile[] = u"CamfolioFmt.exe";
inline constexpr char16_t kMapperFile[] = u"Camfolio.exe";
inline constexpr char16_t kShellLibraryFile[] = u"Camfolio.dll";
inline constexpr char16_t kDokanLibraryFile[] = u"dokan.dll";
inline constexpr char16_t kDokanDriverFile[] = u"dokan.sys";

// Drive icons the mapper registers per letter (HKEY_CURRENT_USER): the key
// "<kDriveIconsKey>\<letter>" with the default value kDriveIconOwner when it is
// ours, and its subkeys DefaultIcon and DefaultLabel.
inline constexpr char16_t kDriveIconsKey[] =
    u"Software\\Classes\\Applications\\Explorer.exe\\Drives";
inline constexpr char16_t kDriveIconOwner[] = u"Camfolio";
inline constexpr char16_t kDefaultIcon[] = u"DefaultIcon";
inline constexpr char16_t kDefaultLabel[] = u"DefaultLabel";

// The handlers Windows starts when a camera is connected (HKEY_LOCAL_MACHINE),
// one subkey each with its "Cmdline"; the mapper registers itself there.
inline constexpr char16_t kCameraConnectedKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\StillImage\\Events\\Connected";
inline constexpr char16_t kCameraConnectedCommand[] = u"Cmdline";

// The user's shell program (HKEY_LOCAL_MACHINE), with which folders are opened.
inline constexpr char16_t kWinlogonKey[] =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char16_t kShell[] = u"Shell";

}  // namespace contract
