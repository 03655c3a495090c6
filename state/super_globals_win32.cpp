#include "state/super_globals_win32.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "common/catalogue/catalogue.h"
#include "common/i18n_init/i18n_init_win32.h"
#include "common/system/installation_check_win32.h"
#include "common/system/module_path_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "config/profiles_registry.h"
#include "config/settings_registry.h"
#include "diag/housekeeping/drive_icon.h"
#include "diag/housekeeping/file_housekeeping.h"
#include "diag/log/log_file_win32.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"
#include "diag/trace/trace.h"
#include "diag/trace/trace_output_win32.h"
#include "state/cache_win32.h"
#include "state/shared_handle_win32.h"
#include "wialib/names/result_name.h"

namespace {

constexpr char16_t kInitCacheFolder[] = u"G8@CSuperGlobals::InitCacheFolder: ";
constexpr char16_t kInitDeviceMapping[] = u"G9@CSuperGlobals::InitDeviceMapping: ";
constexpr char16_t kInit[] = u"G10@CSuperGlobals::Init: ";
constexpr char16_t kDeInit[] = u"G11@CSuperGlobals::DeInit: ";
constexpr char16_t kIsInitialized[] = u"G14@CSuperGlobals::IsInitialized: ";
constexpr char16_t kIntegrityCheck[] = u"G23@CSuperGlobals::IntegrityCheck: ";
constexpr char16_t kGetCacheSizePtr[] = u"G27@CSuperGlobals::GetCacheSizePtr: ";
constexpr char16_t kGetCacheFolderPtr[] = u"G30@CSuperGlobals::GetCacheFolderPtr: ";
constexpr char16_t kGetCacheSize[] = u"G31@CSuperGlobals::GetCacheSize: ";
constexpr char16_t kUpdateCacheSize[] = u"G32@CSuperGlobals::UpdateCacheSizeByFileName: ";
constexpr char16_t kGetConnectedDevices[] = u"G38@CSuperGlobals::GetConnectedDevices: ";

// How long a block whose creator is still setting it up is waited for.
constexpr auto kSetUpWait = std::chrono::seconds(5);
constexpr auto kSetUpPoll = std::chrono::milliseconds(10);

void TraceResult(const char16_t* tag, std::uint32_t value) {
    TraceReturn(tag, value, ResultName(value));
}

void TracePointer(const char16_t* tag, const void* pointer) {
    TraceResult(tag, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer)));
}

bool SameName(const char16_t* a, const char16_t* b) {
    return std::u16string_view(a) == b;
}

// A pending cache root replaces the current one. Returns the old root's cache
// folder, which is to go, or empty when the root stays.
std::u16string TakePendingCacheRoot() {
    char16_t root[kPathUnits];
    char16_t pending[kPathUnits];
    if (Registry_Get_CacheRoot(root, kPathUnits, true) == nullptr) {
        return std::u16string();
    }
    Registry_Get_CacheRootPending(pending, kPathUnits);
    if (pending[0] == u'\0' ||
        (std::u16string_view(root).size() == std::u16string_view(pending).size() &&
         FindNoCase(root, pending) == 0)) {
        return std::u16string();
    }
    char16_t oldCache[kPathUnits];
    std::u16string oldCacheFolder;
    if (Registry_Get_CacheRoot(oldCache, kPathUnits, false) != nullptr) {
        oldCacheFolder = oldCache;
    }
    Registry_Set_CacheRoot(pending);
    return oldCacheFolder;
}

// Only the cache itself goes: the old "Camfolio" folder also holds the logs,
// which are kept, and may hold files of the user. It goes only when empty.
void DeleteOldCache(const std::u16string& oldCacheFolder) {
    if (oldCacheFolder.empty()) {
        return;
    }
    DeleteDirectoryRecursive(oldCacheFolder.c_str());
    const std::size_t slash = oldCacheFolder.find_last_of(u'\\');
    if (slash != std::u16string::npos) {
        RemoveDirectoryEx(oldCacheFolder.substr(0, slash).c_str());
    }
}

// A creator publishes the magic once the tables a joiner reads are set up.
bool WaitForSetUp(shared_block::Block& block) {
    std::atomic_ref<std::uint32_t> magic(block.magic);
    for (auto waited = std::chrono::milliseconds(0);
         magic.load(std::memory_order_acquire) == 0 && waited < kSetUpWait; waited += kSetUpPoll) {
        Sleep(static_cast<DWORD>(kSetUpPoll.count()));
    }
    return magic.load(std::memory_order_acquire) == shared_block::kBlockMagic;
}

void TrimCache(CSuperGlobals& globals) {
    char16_t cacheFolder[kPathUnits];
    if (Registry_Get_CacheRoot(cacheFolder, kPathUnits, false) == nullptr) {
        return;
    }
    CCache cache(cacheFolder, globals);
    cache.Global_BuildCache(globals.GetCacheFolderPtr(), 0);
    cache.Global_AdjustCacheContentToFit(0, false);
}

}  // namespace

CSuperGlobals::~CSuperGlobals() {
    if (block_ != nullptr || trace_ != nullptr || catalogue_.has_value()) {
        DeInit();
    }
}

void CSuperGlobals::Init() {
    TraceEnter(kInit);
    initialized_ = 0;
    SetLastError(ERROR_SUCCESS);
    mapping_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(contract::kSharedBlockSize),
                                      AsWide(contract::kSharedBlockName)));
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!mapping_.IsValid()) {
        TraceLeave(kInit, 2);
        return;
    }
    block_ = static_cast<shared_block::Block*>(
        MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, contract::kSharedBlockSize));
    if (block_ == nullptr) {
        mapping_.Reset(nullptr);
        TraceLeave(kInit, 3);
        return;
    }
    const bool logging = Registry_IsLoggingEnabled();
    // A block left by another program or an older layout is not trusted:
    // neither handles nor sizes are taken from it. A zero magic is a block
    // that its creator is still setting up.
    const bool foreign = existed && !WaitForSetUp(*block_);
    if (foreign) {
        UnmapViewOfFile(block_);
        block_ = nullptr;
        mapping_.Reset(nullptr);
    } else if (existed) {
        JoinSession(logging);
    } else {
        StartSession(logging);
    }
    if (block_ != nullptr) {
        std::atomic_ref<std::int32_t>(block_->attachCount).fetch_add(1);
    }
    if (logging) {
        trace_ = TraceInit(std::make_unique<Win32TraceOutput>(logFile_.Get(), logMutex_.Get()));
    }
    if (foreign) {
        TracePrint(kInit, u"%s has an unknown layout; running without the shared log",
                   contract::kSharedBlockName);
    }
    char16_t applet[kPathUnits];
    TracePrint(kInit, u"%s",
               BuildModulePath(applet, kPathUnits, contract::kAppletFile, false)
                   ? static_cast<const char16_t*>(applet)
                   : u"<NULL>");
    catalogue_.emplace();
    if (CheckInstallation(nullptr, nullptr, false)) {
        initialized_ = 1;
        TraceLeave(kInit, 3);
    } else {
        TraceLeave(kInit, 1);
    }
}

void CSuperGlobals::JoinSession(bool logging) {
    if (logging) {
        logMutex_.Reset(CSharedHandle(block_->logMutex).Duplicate());
        logFile_.Reset(CSharedHandle(block_->logFile).Duplicate(&IsLogFile));
    }
}

void CSuperGlobals::StartSession(bool logging) {
    *block_ = shared_block::Block{};
    InitCacheFolder(nullptr, shared_block::kCacheFolders, -1);
    InitDeviceMapping();
    // The session's log goes under the new root, where joining processes
    // look for it.
    const std::u16string oldCacheFolder = TakePendingCacheRoot();
    if (logging) {
        CSharedHandle fileTable(block_->logFile);
        CSharedHandle mutexTable(block_->logMutex);
        fileTable.Init(0);
        mutexTable.Init(0);
        if (mutexTable.GetFirstParent(nullptr, nullptr) < 0) {
            logMutex_.Reset(mutexTable.Add(nullptr, GetCurrentProcessId()));
        }
        if (fileTable.GetFirstParent(nullptr, nullptr) < 0) {
            UniqueHandle file = OpenLogFile(false);
            if (file.IsValid() && fileTable.Add(file.Get(), GetCurrentProcessId()) != nullptr) {
                logFile_ = std::move(file);
            }
        }
    }
    std::atomic_ref<std::uint32_t>(block_->magic)
        .store(shared_block::kBlockMagic, std::memory_order_release);
    SeedProfilesFromMachine();
    DeleteOldCache(oldCacheFolder);
    TrimCache(*this);
}

void CSuperGlobals::DeInit() {
    TraceEnter(kDeInit);
    catalogue_.reset();
    if (block_ == nullptr || block_->attachCount == 0) {
        TracePrint(kDeInit, u"nCnt=%d", 0);
    }
    TraceDeInit(std::move(trace_));
    if (block_ != nullptr) {
        std::atomic_ref<std::int32_t>(block_->attachCount).fetch_sub(1);
        if (logFile_.IsValid()) {
            CSharedHandle(block_->logFile).Remove(logFile_.Get());
            logFile_.Reset(nullptr);
        }
        if (logMutex_.IsValid()) {
            CSharedHandle(block_->logMutex).Remove(logMutex_.Get());
            logMutex_.Reset(nullptr);
        }
        UnmapViewOfFile(block_);
        block_ = nullptr;
        mapping_.Reset(nullptr);
    }
    initialized_ = 0;
    TraceLeave(kDeInit);
}

int CSuperGlobals::IsInitialized(bool trace) const {
    if (trace) {
        TraceEnter(kIsInitialized);
        TraceResult(kIsInitialized, static_cast<std::uint32_t>(initialized_));
    }
    return initialized_;
}

bool CSuperGlobals::IntegrityCheck(char16_t letter) const {
    const bool isLetter = (letter >= u'a' && letter <= u'z') || (letter >= u'A' && letter <= u'Z');
    if (block_ != nullptr && isLetter) {
        return true;
    }
    TracePrint(kIntegrityCheck, u"%d", 0);
    return false;
}

void CSuperGlobals::InitCacheFolder(shared_block::CacheFolderEntry* table, int count, int index) {
    TraceEnter(kInitCacheFolder);
    shared_block::CacheFolderEntry* entries = table != nullptr ? table : GetCacheFolderPtr();
    const int size = count < shared_block::kCacheFolders ? count : shared_block::kCacheFolders;
    if (entries != nullptr) {
        if (index == -1) {
            for (int i = 0; i < size; ++i) {
                shared_block::ResetCacheFolder(entries[i]);
            }
        } else if (index >= 0 && index < size) {
            shared_block::ResetCacheFolder(entries[index]);
        }
    }
    TraceLeave(kInitCacheFolder);
}

void CSuperGlobals::InitDeviceMapping() {
    TraceEnter(kInitDeviceMapping);
    if (block_ != nullptr) {
        for (shared_block::DeviceEntry& device : block_->devices) {
            device = shared_block::DeviceEntry{};
            device.magic = shared_block::kDeviceMagic;
        }
    }
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        RemoveDriveIcon(letter);
    }
    TraceLeave(kInitDeviceMapping);
}

shared_block::CacheFolderEntry* CSuperGlobals::GetCacheFolderPtr() const {
    TraceEnter(kGetCacheFolderPtr);
    shared_block::CacheFolderEntry* table = block_ != nullptr ? block_->cacheFolders : nullptr;
    TracePointer(kGetCacheFolderPtr, table);
    return table;
}

std::uint64_t* CSuperGlobals::GetCacheSizePtr(char16_t letter) const {
    TraceEnter(kGetCacheSizePtr);
    std::uint64_t* size = nullptr;
    if (IntegrityCheck(letter)) {
        const int drive = (letter >= u'a' ? letter - u'a' : letter - u'A');
        for (shared_block::CacheFolderEntry& entry : block_->cacheFolders) {
            if (entry.driveIndex == drive) {
                size = &entry.size;
                break;
            }
        }
    }
    TracePointer(kGetCacheSizePtr, size);
    return size;
}

bool CSuperGlobals::GetCacheSize(const char16_t* subfolderName) const {
    TraceEnter(kGetCacheSize);
    bool active = false;
    if (block_ != nullptr && subfolderName != nullptr) {
        for (const shared_block::CacheFolderEntry& entry : block_->cacheFolders) {
            if (entry.name[0] != u'\0' && SameName(entry.name, subfolderName)) {
                active = entry.driveIndex != shared_block::kNotConnected;
                break;
            }
        }
    }
    TraceResult(kGetCacheSize, active ? 1u : 0u);
    return active;
}

std::uint64_t CSuperGlobals::GetCacheFolderSize(int index, bool* active) const {
    if (active != nullptr) {
        *active = false;
    }
    if (block_ == nullptr || index < 0 || index >= shared_block::kCacheFolders) {
        return 0;
    }
    const shared_block::CacheFolderEntry& entry = block_->cacheFolders[index];
    if (active != nullptr) {
        *active = entry.driveIndex != shared_block::kNotConnected;
    }
    return std::atomic_ref<std::uint64_t>(const_cast<shared_block::CacheFolderEntry&>(entry).size)
        .load();
}

void CSuperGlobals::UpdateCacheSizeByFileName(const char16_t* relativePath, std::int64_t delta) {
    TraceEnter(kUpdateCacheSize);
    const std::u16string_view path = relativePath != nullptr ? relativePath : u"";
    const std::size_t slash = path.find(u'\\');
    if (block_ != nullptr && slash != std::u16string_view::npos) {
        const std::u16string_view name = path.substr(0, slash);
        for (shared_block::CacheFolderEntry& entry : block_->cacheFolders) {
            if (entry.name[0] != u'\0' && name == entry.name) {
                std::atomic_ref<std::uint64_t>(entry.size)
                    .fetch_add(static_cast<std::uint64_t>(delta));
                break;
            }
        }
    }
    TraceLeave(kUpdateCacheSize);
}

int CSuperGlobals::GetConnectedDevices() const {
    TraceEnter(kGetConnectedDevices);
    int count = 0;
    if (block_ != nullptr) {
        for (const shared_block::DeviceEntry& device : block_->devices) {
            count += device.mapping[0] != u'\0' ? 1 : 0;
        }
    }
    TraceResult(kGetConnectedDevices, static_cast<std::uint32_t>(count));
    return count;
}
