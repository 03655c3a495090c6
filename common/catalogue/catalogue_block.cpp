#include "common/catalogue/catalogue_block.h"

#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kCountBytes = 4;
constexpr std::size_t kPairBytes = 8;

std::uint32_t ReadU32(const std::byte* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void WriteU32(std::byte* at, std::uint32_t value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace

std::optional<CatalogueBlock> CatalogueBlock::Build(std::span<const std::int32_t> ids,
                                                    std::span<const std::u16string> texts) {
    if (ids.size() != texts.size()) {
        return std::nullopt;
    }
    // Counted in 64 bits: the 32-bit builder must not wrap around either.
    constexpr std::uint64_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t size = kCountBytes;
    for (const std::u16string& text : texts) {
        size += kPairBytes + (text.size() + 1) * sizeof(char16_t);
        if (size > kMaxBytes) {
            return std::nullopt;
        }
    }
    std::unique_ptr<std::byte[]> bytes(new (std::nothrow)
                                           std::byte[static_cast<std::size_t>(size)]);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    WriteU32(bytes.get(), static_cast<std::uint32_t>(ids.size()));
    std::size_t offset = kCountBytes + kPairBytes * ids.size();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        std::byte* pair = bytes.get() + kCountBytes + kPairBytes * i;
        WriteU32(pair, static_cast<std::uint32_t>(ids[i]));
        WriteU32(pair + 4, static_cast<std::uint32_t>(offset));
        const std::size_t textBytes = (texts[i].size() + 1) * sizeof(char16_t);
        std::memcpy(bytes.get() + offset, texts[i].c_str(), textBytes);
        offset += textBytes;
    }
    return CatalogueBlock(std::move(bytes));
}

std::uint32_t CatalogueBlock::Count() const {
    return ReadU32(bytes_.get());
}

const char16_t* CatalogueBlock::Find(std::int32_t id) const {
    const std::uint32_t count = Count();
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::byte* pair = bytes_.get() + kCountBytes + kPairBytes * i;
        if (static_cast<std::int32_t>(ReadU32(pair)) == id) {
            // The texts were copied in by memcpy, which gives them their type.
            return reinterpret_cast<const char16_t*>(bytes_.get() + ReadU32(pair + 4));
        }
    }
    return nullptr;
}
