#include "diag/strings/bounded_string.h"

#include <string>

#include "diag/text/bounded_format.h"
#include "diag/text/quiet_string.h"
#include "diag/trace/trace.h"

namespace {

// The trace texts of one bounded operation: its tag and how it quotes text.
struct Traced {
    const char16_t* tag;
    const char16_t* cutCopy;    // "len=%d, src=\"%s\"" in the operation's kind
    const char16_t* cutAppend;  // "len=%d, need=%d, src=\"%s\""
};

template <typename CharT>
bool ArgumentsUsable(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src) {
    if (dst == nullptr) {
        TracePrint(op.tag, u"strDestination=NULL");
        return false;
    }
    if (src == nullptr) {
        TracePrint(op.tag, u"strSource=NULL");
        return false;
    }
    if (capacity == 0) {
        TracePrint(op.tag, u"nDestinationLen=%d", capacity);
        return false;
    }
    return true;
}

// The source does not fit: its first capacity - 1 units, terminated, and the
// cut traced.
template <typename CharT>
CharT* CopyCut(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src) {
    CopyUnits(dst, src, capacity - 1);
    dst[capacity - 1] = CharT{};
    TracePrint(op.tag, op.cutCopy, capacity, src);
    return dst;
}

template <typename CharT>
CharT* Copy(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src) {
    if (!ArgumentsUsable(op, dst, capacity, src)) {
        return dst;
    }
    const std::size_t length = BoundedLength(src, capacity);
    if (length < capacity) {
        CopyUnits(dst, src, length + 1);
        return dst;
    }
    return CopyCut(op, dst, capacity, src);
}

template <typename CharT>
CharT* Append(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src) {
    if (!ArgumentsUsable(op, dst, capacity, src)) {
        return dst;
    }
    const std::size_t used = BoundedLength(dst, capacity);
    const std::size_t length = std::char_traits<CharT>::length(src);
    if (used < capacity && used + length <= capacity - 1) {
        CopyUnits(dst + used, src, length + 1);
        return dst;
    }
    // An unterminated destination has no room; it is terminated at its end.
    const std::size_t room = used < capacity ? capacity - used - 1 : 0;
    CopyUnits(dst + (used < capacity ? used : capacity - 1), src, room);
    dst[capacity - 1] = CharT{};
    TracePrint(op.tag, op.cutAppend, capacity, room, src);
    return dst;
}

template <typename CharT>
CharT* CopyN(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src, std::size_t n) {
    if (!ArgumentsUsable(op, dst, capacity, src)) {
        return dst;
    }
    const std::size_t length = BoundedLength(src, n);
    if (length < capacity) {
        CopyUnits(dst, src, length);
        // Padding stops at the buffer's end even when n is larger.
        const std::size_t padEnd = n < capacity ? n : capacity;
        for (std::size_t i = length; i < padEnd; ++i) {
            dst[i] = CharT{};
        }
        return dst;
    }
    return CopyCut(op, dst, capacity, src);
}

template <typename CharT>
CharT* AppendN(const Traced& op, CharT* dst, std::size_t capacity, const CharT* src,
               std::size_t n) {
    if (!ArgumentsUsable(op, dst, capacity, src)) {
        return dst;
    }
    const std::size_t used = BoundedLength(dst, capacity);
    const std::size_t length = BoundedLength(src, n);
    if (used < capacity && length + used < capacity) {
        CopyUnits(dst + used, src, length);
        dst[used + length] = CharT{};
        return dst;
    }
    const std::size_t room = used < capacity ? capacity - used - 1 : 0;
    CopyUnits(dst + (used < capacity ? used : capacity - 1), src, room);
    dst[capacity - 1] = CharT{};
    TracePrint(op.tag, op.cutAppend, capacity, room + 1, src);
    return dst;
}

template <typename CharT>
int Print(const char16_t* tag, const char16_t* cutTrace, CharT* out, int capacity,
          const CharT* format, std::span<const FormatArg> args) {
    if (out == nullptr) {
        TracePrint(tag, u"lpOut=NULL");
        return 0;
    }
    if (format == nullptr) {
        TracePrint(tag, u"lpFmt=NULL");
        return 0;
    }
    if (capacity < 1) {
        TracePrint(tag, u"nOutLen=%d", capacity);
        return 0;
    }
    const FormatResult result =
        FormatBounded(out, static_cast<std::size_t>(capacity), format, args);
    if (!result.truncated) {
        return static_cast<int>(result.length);
    }
    TracePrint(tag, cutTrace, capacity, format);
    return capacity - 1;
}

constexpr Traced kTcsCpy{u"B1@_TcsCpy: ", u"len=%d, src=\"%s\"", nullptr};
constexpr Traced kWcsCpy{u"B2@WcsCpy: ", u"len=%d, src=\"%ls\"", nullptr};
constexpr Traced kStrCpy{u"B3@StrCpy: ", u"len=%d, src=\"%hs\"", nullptr};
constexpr Traced kTcsCat{u"B4@_TcsCat: ", nullptr, u"len=%d, need=%d, src=\"%s\""};
constexpr Traced kWcsCat{u"B5@WcsCat: ", nullptr, u"len=%d, need=%d, src=\"%ls\""};
constexpr Traced kStrCat{u"B6@StrCat: ", nullptr, u"len=%d, need=%d, src=\"%hs\""};
constexpr Traced kTcsnCpy{u"B7@_TcsnCpy: ", u"len=%d, src=\"%s\"", nullptr};
constexpr Traced kWcsnCpy{u"B8@WcsnCpy: ", u"len=%d, src=\"%ls\"", nullptr};
constexpr Traced kStrnCpy{u"B9@StrnCpy: ", u"len=%d, src=\"%hs\"", nullptr};
constexpr Traced kTcsnCat{u"B10@_TcsnCat: ", nullptr, u"len=%d, need=%d, src=\"%s\""};
constexpr Traced kWcsnCat{u"B11@WcsnCat: ", nullptr, u"len=%d, need=%d, src=\"%ls\""};
constexpr Traced kStrnCat{u"B14@StrnCat: ", nullptr, u"len=%d, need=%d, src=\"%hs\""};

}  // namespace

char16_t* _TcsCpy(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return Copy(kTcsCpy, dst, capacity, src);
}
char16_t* WcsCpy(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return Copy(kWcsCpy, dst, capacity, src);
}
char* StrCpy(char* dst, std::size_t capacity, const char* src) {
    return Copy(kStrCpy, dst, capacity, src);
}

char16_t* _TcsCat(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return Append(kTcsCat, dst, capacity, src);
}
char16_t* WcsCat(char16_t* dst, std::size_t capacity, const char16_t* src) {
    return Append(kWcsCat, dst, capacity, src);
}
char* StrCat(char* dst, std::size_t capacity, const char* src) {
    return Append(kStrCat, dst, capacity, src);
}

char16_t* _TcsnCpy(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n) {
    return CopyN(kTcsnCpy, dst, capacity, src, n);
}
char16_t* WcsnCpy(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n) {
    return CopyN(kWcsnCpy, dst, capacity, src, n);
}
char* StrnCpy(char* dst, std::size_t capacity, const char* src, std::size_t n) {
    return CopyN(kStrnCpy, dst, capacity, src, n);
}

char16_t* _TcsnCat(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n) {
    return AppendN(kTcsnCat, dst, capacity, src, n);
}
char16_t* WcsnCat(char16_t* dst, std::size_t capacity, const char16_t* src, std::size_t n) {
    return AppendN(kWcsnCat, dst, capacity, src, n);
}
char* StrnCat(char* dst, std::size_t capacity, const char* src, std::size_t n) {
    return AppendN(kStrnCat, dst, capacity, src, n);
}

int WsPrintfV(char16_t* out, int capacity, const char16_t* format,
              std::span<const FormatArg> args) {
    return Print(u"B12@WsPrintf: ", u"len=%d, fmt=\"%s\"", out, capacity, format, args);
}
int WsPrintfAV(char* out, int capacity, const char* format, std::span<const FormatArg> args) {
    return Print(u"B13@WsPrintfA: ", u"len=%d, fmt=\"%hs\"", out, capacity, format, args);
}
