// Feeds the token editor's conversions arbitrary input, in two ways:
// - as body HTML: HtmlToFormat and HtmlToText must stay within their input
//   (they only drop and decode) for any text;
// - as a format: once described and read back, a format must come back
//   unchanged from a second round, whatever the first one changed (numbers
//   rewritten, a button cut off at the end of a long description).
//
// Input: one flags byte (bit 0 selects the format, bits 1-3 the case index
// -1 to 6), then the text, one unit per byte except that bytes 1 to 7 stand
// for pieces of the editor's markup, which random bytes would rarely spell.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "builder/convert/format_html.h"
#include "builder/convert/html_text.h"
#include "tests/builder/reported_html.h"

namespace {

constexpr std::u16string_view kPieces[] = {
    u"<button value=\"", u"\">", u"</button>", u"<P>", u"</P>", u"&nbsp;", u"<Fo>",
};

std::u16string Text(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 1 && data[i] <= std::size(kPieces)) {
            text.append(kPieces[data[i] - 1]);
        } else {
            text.push_back(data[i]);
        }
    }
    return text;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Whether the description holds brackets outside its buttons: the text after
// an unrecognised token, which the next round reads as tokens again.
bool HasBareBrackets(std::u16string_view body) {
    constexpr std::u16string_view kOpen = u"<button ";
    constexpr std::u16string_view kClose = u"</button>";
    std::size_t at = 0;
    for (std::size_t button = body.find(kOpen); button != std::u16string_view::npos;
         button = body.find(kOpen, at)) {
        if (body.substr(at, button - at).find_first_of(u"<>") != std::u16string_view::npos) {
            return true;
        }
        const std::size_t close = body.find(kClose, button);
        if (close == std::u16string_view::npos) {
            return false;  // cut off at the end of the description
        }
        at = close + kClose.size();
    }
    return body.substr(at).find_first_of(u"<>") != std::u16string_view::npos;
}

void CheckHtml(const std::u16string& html, int caseIndex) {
    Check(HtmlToText(html).size() <= html.size());
    Check(HtmlToFormat(html, caseIndex).size() <= html.size() + 4);
}

void CheckFormat(const std::u16string& format, int caseIndex) {
    const FormatHtml first = FormatToHtml(format);
    if (!first.ok) {
        return;
    }
    CheckHtml(first.bodyHtml, caseIndex);
    // Bare brackets become tokens on the way back, which changes the format
    // once more in the next round.
    if (HasBareBrackets(first.bodyHtml)) {
        return;
    }
    const std::u16string back = HtmlToFormat(AsReported(first.bodyHtml), first.caseIndex);
    const FormatHtml second = FormatToHtml(back);
    Check(second.ok);
    Check(second.caseIndex == first.caseIndex);
    // The engine trims the blanks the first round kept in front.
    const std::u16string trimmed = back.substr(back.find_first_not_of(u" \t"));
    Check(HtmlToFormat(AsReported(second.bodyHtml), second.caseIndex) == trimmed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned flags = data[0];
    const int caseIndex = static_cast<int>((flags >> 1) & 7) - 1;
    const std::u16string text = Text(data + 1, size - 1);
    if ((flags & 1) != 0) {
        CheckFormat(text, caseIndex);
    } else {
        CheckHtml(text, caseIndex);
    }
    return 0;
}
