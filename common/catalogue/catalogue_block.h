#pragma once
// A loaded translation as one heap block: a 32-bit count N, N pairs of 32-bit
// integers (id, byte offset of its text from the block's start) in file
// order, then the N NUL-terminated UTF-16 texts in the same order. The block
// owns its texts; pointers into it stay valid as long as it lives.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

class CatalogueBlock {
  public:
    // Empty when the lists differ in length, the block would be too large for
    // 32-bit offsets, or memory is short.
    static std::optional<CatalogueBlock> Build(std::span<const std::int32_t> ids,
                                               std::span<const std::u16string> texts);

    std::uint32_t Count() const;
    // The text of the first pair with this id; null when there is none.
    const char16_t* Find(std::int32_t id) const;

  private:
    explicit CatalogueBlock(std::unique_ptr<std::byte[]> bytes) : bytes_(std::move(bytes)) {}

    std::unique_ptr<std::byte[]> bytes_;
};
