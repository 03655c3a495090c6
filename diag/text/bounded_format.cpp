#include "diag/text/bounded_format.h"
#include "diag/text/text_units.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace {

// Widths and precisions beyond this are clamped: no buffer is that large.
constexpr int kMaxFieldWidth = 65536;

template <typename CharT>
class Sink {
  public:
    Sink(CharT* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

    void Put(char32_t unit) {
        if (length_ + 1 >= capacity_) {
            truncated_ = true;
            return;
        }
        out_[length_++] = static_cast<CharT>(unit);
    }
    // Copies a run of units of the same kind as the output.
    void PutRun(const CharT* units, std::size_t count) {
        const std::size_t room = capacity_ > length_ ? capacity_ - length_ - 1 : 0;
        if (count > room) {
            count = room;
            truncated_ = true;
        }
        for (std::size_t i = 0; i < count; ++i) {
            out_[length_ + i] = units[i];
        }
        length_ += count;
    }
    bool Full() const { return truncated_; }
    FormatResult Finish() {
        if (capacity_ > 0) {
            out_[length_] = CharT{};
        }
        return {length_, truncated_};
    }

  private:
    CharT* out_;
    std::size_t capacity_;
    std::size_t length_ = 0;
    bool truncated_ = false;
};

struct Directive {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    bool wide64 = false;
    char length = 0;  // 'h', 'l' or 0
    char letter = 0;  // the conversion letter
};

// A unit of the output kind from one unit of text of either kind. 8-bit
// output cannot carry non-ASCII UTF-16 units; they become '?'.
template <typename CharT>
char32_t Narrowed(char32_t unit) {
    if constexpr (sizeof(CharT) == 1) {
        return unit < 0x80 ? unit : U'?';
    } else {
        return unit;
    }
}

template <typename CharT>
void PutPadding(Sink<CharT>& sink, int count, char32_t fill) {
    for (int i = 0; i < count && !sink.Full(); ++i) {
        sink.Put(fill);
    }
}

template <typename CharT, typename Unit>
std::size_t TextLength(const Unit* text, std::size_t known, int precision) {
    const std::size_t limit = precision < 0 ? std::numeric_limits<std::size_t>::max()
                                            : static_cast<std::size_t>(precision);
    if (known != FormatArg::npos) {
        return known < limit ? known : limit;
    }
    std::size_t n = 0;
    while (n < limit && text[n] != Unit{}) {
        ++n;
    }
    return n;
}

template <typename CharT, typename Unit>
void PutConverted(Sink<CharT>& sink, const Unit* text, std::size_t n);

template <typename CharT, typename Unit>
void PutText(Sink<CharT>& sink, const Directive& directive, const Unit* text, std::size_t known) {
    const std::size_t n = TextLength<CharT>(text, known, directive.precision);
    const int pad =
        directive.width > static_cast<int>(n) ? directive.width - static_cast<int>(n) : 0;
    if (!directive.left) {
        PutPadding(sink, pad, U' ');
    }
    if constexpr (std::is_same_v<Unit, CharT>) {
        sink.PutRun(text, n);
    } else {
        PutConverted(sink, text, n);
    }
    if (directive.left) {
        PutPadding(sink, pad, U' ');
    }
}

template <typename CharT, typename Unit>
void PutConverted(Sink<CharT>& sink, const Unit* text, std::size_t n) {
    for (std::size_t i = 0; i < n && !sink.Full(); ++i) {
        if constexpr (sizeof(Unit) == 1) {
            sink.Put(Narrowed<CharT>(static_cast<unsigned char>(text[i])));
        } else {
            sink.Put(Narrowed<CharT>(static_cast<char32_t>(text[i])));
        }
    }
}

// Lays out sign, prefix and digits (already in `digits`, most significant first).
template <typename CharT>
void PutNumber(Sink<CharT>& sink, const Directive& directive, const char* sign, const char* prefix,
               const char* digits, int digitCount, bool zeroPadAllowed) {
    int signLen = 0;
    while (sign[signLen] != '\0') {
        ++signLen;
    }
    int prefixLen = 0;
    while (prefix[prefixLen] != '\0') {
        ++prefixLen;
    }
    const int precisionZeros =
        directive.precision > digitCount ? directive.precision - digitCount : 0;
    const int body = signLen + prefixLen + precisionZeros + digitCount;
    const int pad = directive.width > body ? directive.width - body : 0;
    const bool zeroPad = zeroPadAllowed && directive.zero && !directive.left;
    if (!directive.left && !zeroPad) {
        PutPadding(sink, pad, U' ');
    }
    for (int i = 0; i < signLen; ++i) {
        sink.Put(static_cast<unsigned char>(sign[i]));
    }
    for (int i = 0; i < prefixLen; ++i) {
        sink.Put(static_cast<unsigned char>(prefix[i]));
    }
    PutPadding(sink, (zeroPad ? pad : 0) + precisionZeros, U'0');
    for (int i = 0; i < digitCount && !sink.Full(); ++i) {
        sink.Put(static_cast<unsigned char>(digits[i]));
    }
    if (directive.left) {
        PutPadding(sink, pad, U' ');
    }
}

template <typename CharT>
void PutInteger(Sink<CharT>& sink, const Directive& directive, const FormatArg& arg) {
    const bool isSigned = directive.letter == 'd' || directive.letter == 'i';
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (isSigned) {
        const std::int64_t value =
            directive.wide64 ? arg.AsSigned() : static_cast<std::int32_t>(arg.AsUnsigned());
        negative = value < 0;
        magnitude =
            negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    } else {
        magnitude =
            directive.wide64 ? arg.AsUnsigned() : static_cast<std::uint32_t>(arg.AsUnsigned());
    }
    const unsigned base = (directive.letter == 'x' || directive.letter == 'X') ? 16 : 10;
    const char* alphabet = directive.letter == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[24];
    int count = 0;
    // A precision of 0 prints no digits for the value 0, as C does.
    if (magnitude != 0 || directive.precision != 0) {
        do {
            reversed[count++] = alphabet[magnitude % base];
            magnitude /= base;
        } while (magnitude != 0);
    }
    char digits[24];
    for (int i = 0; i < count; ++i) {
        digits[i] = reversed[count - 1 - i];
    }
    const char* sign =
        negative ? "-"
                 : (isSigned && directive.plus ? "+" : (isSigned && directive.space ? " " : ""));
    const char* prefix = "";
    if (directive.alternate && base == 16 && count > 0 && !(count == 1 && digits[0] == '0')) {
        prefix = directive.letter == 'X' ? "0X" : "0x";
    }
    PutNumber(sink, directive, sign, prefix, digits, count, directive.precision < 0);
}

template <typename CharT>
void PutDouble(Sink<CharT>& sink, const Directive& directive, double value) {
    const int precision =
        directive.precision < 0 ? 6 : (directive.precision > 64 ? 64 : directive.precision);
    // Plenty for the integral part of any double; snprintf cuts if not.
    char text[400];
    const int written = std::snprintf(text, sizeof text, "%.*f", precision, value);
    int n =
        written < 0 ? 0 : (written >= static_cast<int>(sizeof text) ? sizeof text - 1 : written);
    const char* digits = text;
    const char* sign = directive.plus ? "+" : (directive.space ? " " : "");
    if (n > 0 && text[0] == '-') {
        sign = "-";
        ++digits;
        --n;
    }
    const bool finite = value - value == 0.0;
    Directive numeric = directive;
    numeric.precision = -1;
    PutNumber(sink, numeric, sign, "", digits, n, finite);
}

template <typename CharT>
void PutChar(Sink<CharT>& sink, const Directive& directive, const FormatArg& arg) {
    const std::uint64_t value = arg.AsUnsigned();
    char32_t unit = value > 0xFFFF ? U'?' : static_cast<char32_t>(value);
    if constexpr (sizeof(CharT) == 1) {
        unit = value > 0xFF ? U'?' : unit;
    }
    const int pad = directive.width > 1 ? directive.width - 1 : 0;
    if (!directive.left) {
        PutPadding(sink, pad, U' ');
    }
    sink.Put(unit);
    if (directive.left) {
        PutPadding(sink, pad, U' ');
    }
}

template <typename CharT>
void PutMarker(Sink<CharT>& sink, const CharT* begin, const CharT* end) {
    sink.Put(U'(');
    sink.Put(U'?');
    for (const CharT* p = begin; p != end && !sink.Full(); ++p) {
        sink.Put(static_cast<std::make_unsigned_t<CharT>>(*p));
    }
    sink.Put(U')');
}

template <typename CharT>
int ReadNumber(const CharT*& p) {
    int value = 0;
    while (IsAsciiDigit(*p)) {
        value = value >= kMaxFieldWidth ? kMaxFieldWidth : value * 10 + (*p - '0');
        ++p;
    }
    return value > kMaxFieldWidth ? kMaxFieldWidth : value;
}

class ArgCursor {
  public:
    explicit ArgCursor(std::span<const FormatArg> args) : args_(args) {}
    const FormatArg* Next() { return next_ < args_.size() ? &args_[next_++] : nullptr; }

  private:
    std::span<const FormatArg> args_;
    std::size_t next_ = 0;
};

// Takes a '*' width or precision from the arguments; false when that argument
// is missing or not an integer.
bool TakeStar(ArgCursor& cursor, int& value) {
    const FormatArg* arg = cursor.Next();
    if (arg == nullptr || !arg->IsInteger()) {
        return false;
    }
    const std::int64_t v = static_cast<std::int32_t>(arg->AsUnsigned());
    value = v > kMaxFieldWidth ? kMaxFieldWidth
                               : (v < -kMaxFieldWidth ? -kMaxFieldWidth : static_cast<int>(v));
    return true;
}

// Parses one conversion after '%'; returns false when the text is not a
// complete conversion or a '*' argument is unusable.
template <typename CharT>
bool ParseSpec(const CharT*& p, Directive& directive, ArgCursor& cursor) {
    for (;; ++p) {
        if (*p == '-') {
            directive.left = true;
        } else if (*p == '0') {
            directive.zero = true;
        } else if (*p == '+') {
            directive.plus = true;
        } else if (*p == ' ') {
            directive.space = true;
        } else if (*p == '#') {
            directive.alternate = true;
        } else {
            break;
        }
    }
    bool usable = true;
    if (*p == '*') {
        ++p;
        usable = TakeStar(cursor, directive.width);
        if (directive.width < 0) {
            directive.left = true;
            directive.width = -directive.width;
        }
    } else {
        directive.width = ReadNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++p;
            usable = TakeStar(cursor, directive.precision) && usable;
        } else {
            directive.precision = ReadNumber(p);
        }
    }
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        directive.wide64 = true;
        p += 3;
    } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
        p += 3;
    } else if (p[0] == 'l' && p[1] == 'l') {
        directive.wide64 = true;
        p += 2;
    } else if (*p == 'l' || *p == 'h' || *p == 'w') {
        directive.length = *p == 'h' ? 'h' : 'l';
        ++p;
    }
    switch (*p) {
        case 's':
        case 'S':
        case 'c':
        case 'C':
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'f':
        case 'F':
            directive.letter = static_cast<char>(*p);
            ++p;
            return usable;
        default:
            if (*p != CharT{}) {
                ++p;  // the unknown conversion letter belongs to the marker
            }
            return false;
    }
}

template <typename CharT>
bool PutConversion(Sink<CharT>& sink, const Directive& directive, const FormatArg* arg) {
    if (arg == nullptr) {
        return false;
    }
    switch (directive.letter) {
        case 's':
        case 'S':
            if (!arg->IsText()) {
                return false;
            }
            if (arg->kind() == FormatArg::Kind::Text16) {
                const char16_t* text = arg->Text16();
                PutText(sink, directive, text != nullptr ? text : u"(null)",
                        text != nullptr ? arg->TextLength() : FormatArg::npos);
            } else {
                const char* text = arg->Text8();
                PutText(sink, directive, text != nullptr ? text : "(null)",
                        text != nullptr ? arg->TextLength() : FormatArg::npos);
            }
            return true;
        case 'c':
        case 'C':
            if (!arg->IsInteger()) {
                return false;
            }
            PutChar(sink, directive, *arg);
            return true;
        case 'f':
        case 'F':
            if (arg->kind() != FormatArg::Kind::Double) {
                return false;
            }
            PutDouble(sink, directive, arg->AsDouble());
            return true;
        default:
            if (!arg->IsInteger()) {
                return false;
            }
            PutInteger(sink, directive, *arg);
            return true;
    }
}

template <typename CharT>
FormatResult Run(CharT* out, std::size_t capacity, const CharT* format,
                 std::span<const FormatArg> args) {
    if (out == nullptr) {
        return {};
    }
    Sink<CharT> sink(out, capacity);
    if (format == nullptr) {
        return sink.Finish();
    }
    ArgCursor cursor(args);
    const CharT* p = format;
    while (*p != CharT{} && !sink.Full()) {
        if (*p != '%') {
            const CharT* literal = p;
            while (*p != CharT{} && *p != '%') {
                ++p;
            }
            sink.PutRun(literal, static_cast<std::size_t>(p - literal));
            continue;
        }
        if (p[1] == '%') {
            sink.Put(U'%');
            p += 2;
            continue;
        }
        const CharT* start = p++;
        Directive directive;
        const bool parsed = ParseSpec(p, directive, cursor);
        if (!parsed || !PutConversion(sink, directive, cursor.Next())) {
            PutMarker(sink, start, p);
        }
    }
    return sink.Finish();
}

}  // namespace

FormatResult FormatBounded(char16_t* out, std::size_t capacity, const char16_t* format,
                           std::span<const FormatArg> args) {
    return Run(out, capacity, format, args);
}

FormatResult FormatBounded(char* out, std::size_t capacity, const char* format,
                           std::span<const FormatArg> args) {
    return Run(out, capacity, format, args);
}
