#pragma once
// A cache folder made for the benchmark in the temporary folder, and removed
// with everything in it at the end: device folders "0001A", "0002B", ...,
// each holding pictures of a few KiB in camera folders below "DCIM", every
// file with a last-write time of its own in no order of name.
#include <cstdint>
#include <string>

class CacheTree {
  public:
    CacheTree() = default;
    ~CacheTree();
    CacheTree(const CacheTree&) = delete;
    CacheTree& operator=(const CacheTree&) = delete;

    // False when a folder or file could not be made.
    bool Build(int devices, int filesPerDevice);
    // The cache folder (below the benchmark's own folder).
    const char16_t* Folder() const { return cache_.c_str(); }
    std::uint64_t Files() const { return files_; }
    std::uint64_t Bytes() const { return bytes_; }

  private:
    bool MakeFolder(const std::u16string& path);
    bool MakeFile(const std::u16string& path, std::uint64_t size, std::uint64_t lastWrite);

    std::u16string root_;
    std::u16string cache_;
    std::uint64_t files_ = 0;
    std::uint64_t bytes_ = 0;
};
