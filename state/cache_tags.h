#pragma once
// Trace tags of CCache (family C).
inline constexpr char16_t kCacheConstructTag[] = u"C4@CCache::CCache: ";
inline constexpr char16_t kCacheDestructTag[] = u"C6@CCache::~CCache: ";
inline constexpr char16_t kAdjustTag[] = u"C10@CCache::Global_AdjustCacheContentToFit: ";
inline constexpr char16_t kBuildTag[] = u"C11@CCache::Global_BuildCache: ";
// Global_BuildCache still announces itself under its former name.
inline constexpr char16_t kRefreshTag[] = u"C11@CCache::Global_RefreshCacheSize: ";
inline constexpr char16_t kGetCacheSizeTag[] = u"C12@CCache::Global_GetCacheSize: ";
inline constexpr char16_t kPurgeActiveTag[] = u"C17@CCache::Global_PurgeActive: ";
inline constexpr char16_t kPurgeTag[] = u"C18@CCache::Global_Purge: ";
inline constexpr char16_t kRebuildTag[] = u"C19@CCache::_Rebuild: ";
