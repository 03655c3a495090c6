#pragma once
// How the Profiles page starts the Filename Format Builder over itself.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The format the builder is given: the profile's, or the built-in one when
// the profile has none of its own.
std::u16string_view FormatToEdit(std::u16string_view current);

// builderPath (quoted where it holds a blank), " /h " and the window as
// eight hexadecimal digits, then a blank and the format in double quotes when
// it is not empty. Bounded to 260 units with the terminator; nullopt when it
// does not fit, because a cut line would hand the builder a cut format that
// its OK would store.
std::optional<std::u16string> BuilderCommandLine(std::u16string_view builderPath,
                                                 std::uint32_t window, std::u16string_view format);
