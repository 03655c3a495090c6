// Feeds FormatFileName arbitrary formats and source records, in all its modes
// and with output buffers down to a single unit. Buffers are allocated to their
// exact sizes so that the sanitizers see any access beyond them.
//
// Input: one flags byte, two capacity bytes, eight time bytes, four counter
// bytes, then the format, source name, camera name and source directory,
// separated by 0x01 bytes (one unit per byte).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/format/format_file_name.h"
#include "tests/common/recording_renderer.h"

namespace {

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint64_t Bits(std::size_t bytes) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i) {
            value = value << 8 | (at_ < size_ ? data_[at_++] : 0u);
        }
        return value;
    }

    // The units up to the next 0x01 or the end; NUL bytes end the text early,
    // as they would in a real buffer.
    std::u16string Field() {
        std::u16string text;
        while (at_ < size_ && data_[at_] != 0x01) {
            text.push_back(static_cast<char16_t>(data_[at_++]));
        }
        if (at_ < size_) {
            ++at_;
        }
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::size_t Length(const char16_t* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != u'\0') {
        ++n;
    }
    return n;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const auto flags = static_cast<unsigned>(input.Bits(1));
    const auto capacityChoice = static_cast<unsigned>(input.Bits(2));
    const std::uint64_t time = input.Bits(8);
    const auto counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(input.Bits(4)));
    const std::u16string format = input.Field();
    const std::u16string sourceName = input.Field();
    const std::u16string camera = input.Field();
    const std::u16string directory = input.Field();

    const bool validate = (flags & 1) != 0;
    const bool describe = (flags & 2) != 0;
    const bool normalise = (flags & 4) != 0;
    // Mostly the sizes callers use, otherwise anything up to 1023 units.
    std::size_t outCapacity = capacityChoice & 0x3ff;
    if ((capacityChoice & 0xc000) == 0x4000) {
        outCapacity = 260;
    } else if ((capacityChoice & 0xc000) == 0x8000) {
        outCapacity = 10240;
    }

    SourceFileInfo source;
    if ((flags & 8) == 0) {
        source.sourceName = sourceName.c_str();
    }
    if ((flags & 16) == 0) {
        // The top bit is kept now and then: values from 2^63 on must fail.
        source.captureTime = (flags & 32) != 0 ? time : time >> 1;
    }
    if ((flags & 64) == 0) {
        source.counter = counter;
    }
    if ((flags & 128) == 0) {
        source.cameraName = camera.c_str();
        source.imageWidth = u"4288";
    }
    source.sourceDirectory = directory.c_str();

    std::vector<char16_t> formatBuffer(format.begin(), format.end());
    formatBuffer.push_back(u'\0');
    const std::size_t formatLength = Length(formatBuffer.data(), formatBuffer.size());
    std::vector<char16_t> out(outCapacity == 0 ? 1 : outCapacity, u'\0');

    RecordingRenderer renderer;
    const bool ok =
        FormatFileName(validate, describe ? &renderer : nullptr, out.data(), outCapacity,
                       formatBuffer.data(), normalise ? static_cast<int>(formatBuffer.size()) : -1,
                       (flags & 0x18) == 0x18 && describe ? nullptr : &source);

    // The format only ever shrinks and stays terminated in its buffer.
    Check(Length(formatBuffer.data(), formatBuffer.size()) <= formatLength);
    if (ok) {
        Check(Length(out.data(), out.size()) < out.size());
        Check(outCapacity < 2 || out[0] == u'\\');
        Check(!describe || renderer.caseCalls == 1);
    }
    Check(ok || renderer.caseCalls == 0);
    (void)IsUsableFileName(ok, out.data());
    return 0;
}
