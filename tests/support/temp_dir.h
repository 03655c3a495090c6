#pragma once
// A folder of the test's own in the temporary folder, removed with everything
// in it at the end. Test processes run in parallel, so each gets a new name.
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::u16string Path() const { return path_.u16string(); }
    // Writes a file in the folder and returns its full path.
    std::u16string Write(std::string_view name, std::span<const std::byte> bytes) const;
    // Makes a subfolder and returns its full path.
    std::u16string MakeFolder(std::string_view name) const;

  private:
    std::filesystem::path path_;
};
