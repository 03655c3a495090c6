#include "builder/app/builder_arguments.h"
#include "diag/text/text_units.h"

namespace {

std::optional<unsigned> HexDigit(char16_t c) {
    if (IsAsciiDigit(c)) {
        return static_cast<unsigned>(c - u'0');
    }
    if (c >= u'a' && c <= u'f') {
        return static_cast<unsigned>(c - u'a' + 10);
    }
    if (c >= u'A' && c <= u'F') {
        return static_cast<unsigned>(c - u'A' + 10);
    }
    return std::nullopt;
}

bool IsHandleSwitch(std::u16string_view argument) {
    return argument.size() >= 2 && (argument[0] == u'/' || argument[0] == u'-') &&
           (argument[1] == u'h' || argument[1] == u'H');
}

}  // namespace

std::optional<std::uint32_t> ParseHexHandle(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) {
        ++at;
    }
    if (text.size() - at >= 3 && text[at] == u'0' &&
        (text[at + 1] == u'x' || text[at + 1] == u'X') && HexDigit(text[at + 2])) {
        at += 2;
    }
    constexpr std::uint32_t kLimit = ~std::uint32_t{0} >> 4;
    std::optional<std::uint32_t> value;
    for (; at < text.size(); ++at) {
        const std::optional<unsigned> digit = HexDigit(text[at]);
        if (!digit) {
            break;
        }
        if (value.value_or(0) > kLimit) {
            return std::nullopt;
        }
        value = (value.value_or(0) << 4) | *digit;
    }
    return value;
}

BuilderArguments ParseBuilderArguments(std::span<const std::u16string_view> args) {
    BuilderArguments result;
    if (args.size() >= 2 && IsHandleSwitch(args[0])) {
        if (const std::optional<std::uint32_t> bits = ParseHexHandle(args[1])) {
            result.target = static_cast<std::uintptr_t>(
                static_cast<std::intptr_t>(static_cast<std::int32_t>(*bits)));
        }
    }
    if (args.size() >= 3) {
        result.initialFormat = args[2];
    }
    return result;
}
