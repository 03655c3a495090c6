// Drives the band assembly with a script of transfer messages whose sizes,
// offsets and bands are hostile, so that the sanitizers see any write outside
// the buffer and any size that wraps or passes the bound.
//
// Input: a script of steps, each an opcode byte and its operands:
//   0 begin: flags (bit 0 bitmap, bit 1 header offset 14), 32-bit buffer size
//   1 band: 32-bit offset, 16-bit length, then that many band bytes (fewer
//     at the end of the input)
//   2 finish, 3 reset
// A 32-bit operand is one byte below 0xFF, or the four bytes after an 0xFF:
// small sizes keep the runs fast, and the fuzzer still reaches every value.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "wialib/bitmap/band_assembly.h"

namespace {

class Script {
  public:
    explicit Script(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ >= bytes_.size(); }

    std::uint8_t Byte() { return AtEnd() ? 0 : bytes_[at_++]; }

    std::uint32_t Value32() {
        const std::uint8_t first = Byte();
        if (first != 0xFF) {
            return first;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        }
        return value;
    }

    std::span<const std::uint8_t> Take(std::size_t count) {
        const std::size_t available = AtEnd() ? 0 : bytes_.size() - at_;
        const std::span<const std::uint8_t> taken = bytes_.subspan(at_, std::min(count, available));
        at_ += taken.size();
        return taken;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// The ends of the bytes handed on: ASan knows the buffer's bounds, and
// reading hundreds of megabytes whole would only slow the search.
void Touch(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxAssembledBytes) {
        std::abort();
    }
    if (!bytes.empty()) {
        volatile std::uint8_t ends = bytes.front() ^ bytes.back();
        (void)ends;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Script script(std::span(data, size));
    BandAssembly assembly;
    while (!script.AtEnd()) {
        switch (script.Byte() % 4) {
            case 0: {
                const std::uint8_t flags = script.Byte();
                assembly.Begin((flags & 1) != 0, (flags & 2) != 0 ? 14 : 0, script.Value32());
                break;
            }
            case 1: {
                const std::uint32_t offset = script.Value32();
                const std::size_t length = script.Byte() | (script.Byte() << 8);
                assembly.AddBand(offset, script.Take(length));
                break;
            }
            case 2:
                assembly.Finish();
                Touch(assembly.Bytes());
                break;
            default:
                assembly.Reset();
                break;
        }
    }
    Touch(assembly.Bytes());
    return 0;
}
