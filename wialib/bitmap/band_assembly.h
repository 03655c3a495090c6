#pragma once
// Banded transfer data assembled in memory: the bands land at their offsets in
// one growing buffer, and a bitmap gets its height mended and, for the memory
// bitmap format, a file header in front. The transfer callback feeds it and
// then writes or hands on Bytes().
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// No camera picture comes near this; a driver's sizes beyond it are not trusted.
inline constexpr std::size_t kMaxAssembledBytes = 512u * 1024 * 1024;

class BandAssembly {
  public:
    // From the data header message: bitmap format?, header offset (14 for the
    // memory-bitmap format, else 0), the header's buffer size (0: unknown).
    // Starts a new assembly. False: the size exceeds the bound.
    bool Begin(bool bitmap, std::uint32_t headerOffset, std::uint32_t bufferSize);
    // One data band at `offset`: the first band of a bitmap at offset 0 sizes
    // the buffer from its leading info header when that is known; the buffer
    // grows to headerOffset + offset + size when needed. False, with nothing
    // written, when that reaches past kMaxAssembledBytes.
    bool AddBand(std::uint32_t offset, std::span<const std::uint8_t> band);
    // End of data or new page: for a bitmap, mend the height of the info
    // header that follows the file header's room (top-down) and, for the memory
    // bitmap format, fill the file header in front.
    void Finish();
    // True once the buffer exists (sized by Begin or by a band).
    bool HasData() const { return hasData_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    void Reset();

  private:
    bool Resize(std::uint64_t size);

    std::vector<std::uint8_t> bytes_;
    bool hasData_ = false;
    bool bitmap_ = false;
    std::uint32_t headerOffset_ = 0;
};
