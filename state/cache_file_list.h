#pragma once
// The files found below the cache folder, as the oldest-file purge needs
// them: size, last-write time and path. The paths are kept below the base
// folder, one after another in one buffer, so that listing a file costs no
// allocation of its own and 100,000 files take about 10 MiB.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Full paths of listed files are shorter than this.
inline constexpr std::size_t kRecordPathUnits = 260;

class CacheFileList {
  public:
    explicit CacheFileList(std::u16string_view base) : base_(base) {}

    // Lists folder + "\" + name (folder being the base or below it). False,
    // and nothing listed, for a full path of kRecordPathUnits or more: the
    // plain Win32 calls that delete it take at most MAX_PATH, and a cut path
    // would name another file.
    bool Add(std::u16string_view folder, std::u16string_view name, std::uint64_t size,
             std::uint64_t lastWrite);

    std::size_t Count() const { return files_.size(); }
    std::uint64_t Size(std::size_t i) const { return files_[i].size; }
    std::uint64_t LastWrite(std::size_t i) const { return files_[i].lastWrite; }
    // Below the base, without leading "\" and without the file name's
    // extension; its first part names the device folder.
    std::u16string_view RelativePath(std::size_t i) const;
    std::u16string FullPath(std::size_t i) const;

  private:
    struct File {
        std::uint64_t size;
        std::uint64_t lastWrite;
        std::size_t start;             // of the path below the base in text_
        std::uint16_t length;          // of that path
        std::uint16_t relativeOffset;  // where in it the relative path starts
        std::uint16_t relativeLength;
    };

    std::u16string base_;
    std::vector<File> files_;
    std::u16string text_;
};
