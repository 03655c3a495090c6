#pragma once
// A forward-only stream of bytes: a file being read or a buffer in memory, so
// that readers of outside input work, and are tested, on either.
#include <cstddef>
#include <span>

class ByteSource {
  public:
    ByteSource() = default;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;
    virtual ~ByteSource() = default;

    // Fills out from the front and returns the bytes given; 0 only at the end
    // of the input or after a read error.
    virtual std::size_t Read(std::span<std::byte> out) = 0;
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::byte> bytes) : rest_(bytes) {}
    std::size_t Read(std::span<std::byte> out) override;

  private:
    std::span<const std::byte> rest_;
};
