#include "diag/text/quiet_string.h"

#include "diag/text/bounded_format.h"

namespace {

template <typename CharT>
std::size_t CopyQuietly(CharT* dst, std::size_t capacity, const CharT* src) {
    if (dst == nullptr || capacity == 0) {
        return 0;
    }
    const std::size_t length = src == nullptr ? 0 : BoundedLength(src, capacity - 1);
    CopyUnits(dst, src, length);
    dst[length] = CharT{};
    return length;
}

template <typename CharT>
std::size_t AppendQuietly(CharT* dst, std::size_t capacity, const CharT* src) {
    if (dst == nullptr || capacity == 0) {
        return 0;
    }
    const std::size_t used = BoundedLength(dst, capacity - 1);
    return used + CopyQuietly(dst + used, capacity - used, src);
}

template <typename CharT>
int PrintQuietly(CharT* out, int capacity, const CharT* format, std::span<const FormatArg> args) {
    if (out == nullptr || format == nullptr || capacity < 1) {
        return 0;
    }
    return static_cast<int>(
        FormatBounded(out, static_cast<std::size_t>(capacity), format, args).length);
}

}  // namespace

std::size_t CopyQuiet(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return CopyQuietly(dst, capacity, src);
}
std::size_t CopyQuiet(char* dst, std::size_t capacity, const char* src) {
    return CopyQuietly(dst, capacity, src);
}
std::size_t AppendQuiet(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return AppendQuietly(dst, capacity, src);
}
std::size_t AppendQuiet(char* dst, std::size_t capacity, const char* src) {
    return AppendQuietly(dst, capacity, src);
}
int PrintQuietV(char16_t* out, int capacity, const char16_t* format,
                std::span<const FormatArg> args) {
    return PrintQuietly(out, capacity, format, args);
}
int PrintQuietV(char* out, int capacity, const char* format, std::span<const FormatArg> args) {
    return PrintQuietly(out, capacity, format, args);
}
