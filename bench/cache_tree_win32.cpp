#include "bench/cache_tree_win32.h"

#include <windows.h>

#include <cstddef>

#include "common/paths/folder_listing_win32.h"
#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "diag/housekeeping/file_housekeeping.h"
#include "diag/text/bounded_format.h"

namespace {

// Pictures of 1 to 16 KiB.
constexpr std::uint64_t kSmallest = 1024;
constexpr std::uint64_t kSizeSpread = 15ull * 1024;
// Cameras start a new folder after a few hundred pictures.
constexpr int kFilesPerCameraFolder = 500;
// 2020-01-01 in FILETIME units, and one year of them.
constexpr std::uint64_t kFirstTime = 132223104000000000ull;
constexpr std::uint64_t kYear = 365ull * 24 * 3600 * 10000000;

// A fixed sequence, so that every run sorts the same times.
class Sequence {
  public:
    std::uint64_t Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return state_ >> 11;
    }

  private:
    std::uint64_t state_ = 0x853c49e6748fea9bull;
};

template <typename... Args>
std::u16string Format(const char16_t* format, const Args&... args) {
    char16_t text[64];
    const FormatResult result = FormatBoundedArgs(text, std::size(text), format, args...);
    return {text, result.length};
}

}  // namespace

CacheTree::~CacheTree() {
    if (!root_.empty()) {
        DeleteDirectoryRecursive(root_.c_str());
    }
}

bool CacheTree::MakeFolder(const std::u16string& path) {
    return CreateDirectoryW(AsWide(path.c_str()), nullptr) != 0;
}

bool CacheTree::MakeFile(const std::u16string& path, std::uint64_t size, std::uint64_t lastWrite) {
    // The end is set, not written: the walk reads sizes and times, never data.
    const UniqueHandle file(CreateFileW(AsWide(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const FILETIME written{static_cast<DWORD>(lastWrite), static_cast<DWORD>(lastWrite >> 32)};
    if (!file.IsValid() || !SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(file.Get()) || !SetFileTime(file.Get(), nullptr, nullptr, &written)) {
        return false;
    }
    ++files_;
    bytes_ += size;
    return true;
}

bool CacheTree::Build(int devices, int filesPerDevice) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    if (length == 0 || length > MAX_PATH) {
        return false;
    }
    const std::u16string root =
        JoinPath(AsU16(temp), Format(u"camfolio-purge-bench-%lu", GetCurrentProcessId()));
    if (!MakeFolder(root)) {
        return false;
    }
    root_ = root;
    cache_ = JoinPath(root_, u"CAMFOLIO_CACHE");
    if (!MakeFolder(cache_)) {
        return false;
    }
    Sequence random;
    for (int device = 1; device <= devices; ++device) {
        const auto letter = static_cast<char16_t>(u'A' + (device - 1) % 26);
        const std::u16string deviceFolder = JoinPath(cache_, Format(u"%04d%c", device, letter));
        const std::u16string dcim = JoinPath(deviceFolder, u"DCIM");
        if (!MakeFolder(deviceFolder) || !MakeFolder(dcim)) {
            return false;
        }
        std::u16string cameraFolder;
        for (int picture = 0; picture < filesPerDevice; ++picture) {
            if (picture % kFilesPerCameraFolder == 0) {
                cameraFolder =
                    JoinPath(dcim, Format(u"%03dCAMFO", 100 + picture / kFilesPerCameraFolder));
                if (!MakeFolder(cameraFolder)) {
                    return false;
                }
            }
            const std::uint64_t size = kSmallest + random.Next() % kSizeSpread;
            const std::uint64_t lastWrite = kFirstTime + random.Next() % kYear;
            if (!MakeFile(JoinPath(cameraFolder, Format(u"IMG_%04d.JPG", picture + 1)), size,
                          lastWrite)) {
                return false;
            }
        }
    }
    return true;
}
