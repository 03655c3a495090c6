#pragma once
// The builder's command line as the applet writes it: " /h %08X" with the
// handle of the window that started it, then the format in double quotes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct BuilderArguments {
    // The handle named after the switch; whether it is a window is for the
    // caller to find out. The applet may be a 64-bit program: the text holds
    // a handle's 32 significant bits, widened here with their sign as Windows
    // widens handles between 32- and 64-bit programs, so that the handle the
    // applet wrote comes back whole in either build of the builder.
    std::optional<std::uintptr_t> target;
    std::u16string initialFormat;
};

// args: the arguments after the program's path, split and unquoted. The switch
// is "/" or "-" with "h" or "H" and needs a second argument; a third argument
// is the initial format whatever the first two are.
BuilderArguments ParseBuilderArguments(std::span<const std::u16string_view> args);

// Reads a handle's 32 significant bits as "%X" does: blanks, an optional
// "0x", then hexadecimal digits in either case up to the first other
// character. Nothing without a digit, or when the number needs more bits.
std::optional<std::uint32_t> ParseHexHandle(std::u16string_view text);
