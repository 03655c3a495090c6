#pragma once
// One argument of a printf-style template, with its type kept, so that the
// formatter can refuse a conversion that does not fit instead of reading
// memory it was never given.
#include <cstdint>
#include <string_view>
#include <type_traits>

class FormatArg {
  public:
    enum class Kind : std::uint8_t { Signed, Unsigned, Double, Text16, Text8, Char };

    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && std::is_signed_v<T> &&
             !std::is_same_v<T, char>) constexpr FormatArg(T v)
        : kind_(Kind::Signed), i_(static_cast<std::int64_t>(v)) {}

    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && std::is_unsigned_v<T> &&
             !std::is_same_v<T, char16_t> && !std::is_same_v<T, char8_t>) constexpr FormatArg(T v)
        : kind_(Kind::Unsigned), u_(static_cast<std::uint64_t>(v)) {}

    constexpr FormatArg(bool v) : kind_(Kind::Signed), i_(v ? 1 : 0) {}
    constexpr FormatArg(double v) : kind_(Kind::Double), d_(v) {}
    constexpr FormatArg(float v) : kind_(Kind::Double), d_(v) {}
    constexpr FormatArg(char c) : kind_(Kind::Char), u_(static_cast<unsigned char>(c)) {}
    constexpr FormatArg(char16_t c) : kind_(Kind::Char), u_(c) {}
    constexpr FormatArg(const char16_t* s) : kind_(Kind::Text16), s16_(s), len_(npos) {}
    constexpr FormatArg(char16_t* s) : FormatArg(static_cast<const char16_t*>(s)) {}
    constexpr FormatArg(std::u16string_view s)
        : kind_(Kind::Text16), s16_(s.data()), len_(s.size()) {}
    constexpr FormatArg(const char* s) : kind_(Kind::Text8), s8_(s), len_(npos) {}
    constexpr FormatArg(char* s) : FormatArg(static_cast<const char*>(s)) {}
    constexpr FormatArg(std::string_view s) : kind_(Kind::Text8), s8_(s.data()), len_(s.size()) {}
    // Pointers are printed only through an explicit cast to an integer.
    FormatArg(const void*) = delete;

    constexpr Kind kind() const { return kind_; }
    constexpr bool IsInteger() const {
        return kind_ == Kind::Signed || kind_ == Kind::Unsigned || kind_ == Kind::Char;
    }
    constexpr bool IsText() const { return kind_ == Kind::Text16 || kind_ == Kind::Text8; }
    constexpr std::int64_t AsSigned() const {
        return kind_ == Kind::Signed ? i_ : static_cast<std::int64_t>(u_);
    }
    constexpr std::uint64_t AsUnsigned() const {
        return kind_ == Kind::Signed ? static_cast<std::uint64_t>(i_) : u_;
    }
    constexpr double AsDouble() const { return d_; }
    // Null text is reported as a null pointer; a view may hold any length.
    constexpr const char16_t* Text16() const { return s16_; }
    constexpr const char* Text8() const { return s8_; }
    constexpr std::size_t TextLength() const { return len_; }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  private:
    Kind kind_;
    union {
        std::int64_t i_;
        std::uint64_t u_;
        double d_;
        const char16_t* s16_;
        const char* s8_;
    };
    std::size_t len_ = 0;
};
