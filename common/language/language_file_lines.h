#pragma once
// The line structure of a language file (UTF-16LE text): how lines are read
// and what each line says. The rules about which lines make a file acceptable
// are the reader's (language_file.h).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/language/byte_source.h"

// The applet reads a language file through a line buffer of this many units,
// terminator included; a longer line arrives in pieces.
inline constexpr std::size_t kLanguageLineUnits = 1024;

// Reads lines of at most kLanguageLineUnits - 1 units; a line ends after
// U+000A. Trailing CR and LF units are removed and text after a NUL unit is
// dropped. A trailing odd byte is not a unit and is ignored.
class LanguageLineReader {
  public:
    explicit LanguageLineReader(ByteSource& source) : source_(source) {}
    // False at the end of the input.
    bool Next(std::u16string& line);

  private:
    bool NextUnit(char16_t& unit);

    ByteSource& source_;
    std::array<std::byte, 4096> buffer_{};
    std::size_t have_ = 0;
    std::size_t at_ = 0;
};

struct LanguageLine {
    enum class Kind : std::uint8_t {
        Ignored,  // empty, a ";" comment, or no "="
        Id,       // the key's decimal value is non-zero
        Keyword,  // any other key; whether it is a known one is the reader's call
    };
    Kind kind = Kind::Ignored;
    std::int32_t id = 0;
    std::u16string key;           // every space and tab removed
    std::u16string value;         // leading and trailing spaces and tabs removed
    std::size_t valueOffset = 0;  // where the value starts in the line
};

LanguageLine ParseLanguageLine(std::u16string_view line);

// Optional sign, then decimal digits; anything after them is ignored, no digits
// give 0, and values beyond 32 bits saturate.
std::int32_t DecimalValue(std::u16string_view text);

// value with every "%" doubled, so that the text serves as a printf template,
// cut to at most room units without splitting a doubled "%".
std::u16string DoublePercents(std::u16string_view value, std::size_t room);
