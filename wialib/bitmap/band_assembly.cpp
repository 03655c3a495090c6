#include "wialib/bitmap/band_assembly.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "wialib/bitmap/bitmap_header.h"

bool BandAssembly::Begin(bool bitmap, std::uint32_t headerOffset, std::uint32_t bufferSize) {
    Reset();
    bitmap_ = bitmap;
    headerOffset_ = headerOffset;
    if (bufferSize == 0) {
        return true;
    }
    return Resize(std::uint64_t{headerOffset} + bufferSize);
}

bool BandAssembly::AddBand(std::uint32_t offset, std::span<const std::uint8_t> band) {
    if (!hasData_ && offset == 0 && bitmap_) {
        // Sizing up front saves regrowing; a header that claims more than the
        // bound is not believed, and the bands alone decide the size.
        const std::uint32_t bitmapSize = GetBitmapSize(band);
        if (bitmapSize != 0) {
            Resize(std::uint64_t{headerOffset_} + bitmapSize);
        }
    }
    const std::uint64_t at = std::uint64_t{headerOffset_} + offset;
    const std::uint64_t end = at + band.size();
    if (end > kMaxAssembledBytes) {
        return false;
    }
    if (end > bytes_.size() || !hasData_) {
        if (!Resize(std::max<std::uint64_t>(end, bytes_.size()))) {
            return false;
        }
    }
    if (!band.empty()) {
        std::memcpy(bytes_.data() + at, band.data(), band.size());
    }
    return true;
}

void BandAssembly::Finish() {
    if (!bitmap_ || !hasData_ || bytes_.size() <= kBitmapFileHeaderSize) {
        return;
    }
    // The info header follows the file header: written by the driver for the
    // file format, room left for it (header offset 14) for the memory format.
    const std::span<std::uint8_t> info = std::span(bytes_).subspan(kBitmapFileHeaderSize);
    FixBitmapHeight(info, static_cast<std::uint32_t>(info.size()), true);
    if (headerOffset_ == kBitmapFileHeaderSize) {
        FillBitmapFileHeader(info, std::span(bytes_).first<kBitmapFileHeaderSize>());
    }
}

void BandAssembly::Reset() {
    bytes_ = {};
    hasData_ = false;
    bitmap_ = false;
    headerOffset_ = 0;
}

bool BandAssembly::Resize(std::uint64_t size) {
    if (size > kMaxAssembledBytes) {
        return false;
    }
    try {
        if (size > bytes_.capacity()) {
            // Doubling, but never past the bound.
            bytes_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
                std::max<std::uint64_t>(size, 2 * bytes_.capacity()), kMaxAssembledBytes)));
        }
        bytes_.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        // A 32-bit process may not find the bound's worth of memory.
        return false;
    }
    hasData_ = true;
    return true;
}
