#include "builder/convert/format_html.h"

#include <cstddef>
#include <iterator>
#include <vector>

#include "builder/convert/html_text.h"
#include "builder/convert/token_button_renderer.h"
#include "common/format/format_file_name.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"

namespace {

// The editor's description of a format may be far longer than the format:
// every token becomes a button of some hundred units. The engine cuts what
// does not fit, so a description that fills its buffer is made again in one
// twice as large; past the largest, the format is refused rather than cut.
// The largest holds any format a command line can carry (32767 units).
constexpr std::size_t kFirstDescriptionCapacity = 10240;
constexpr std::size_t kLargestDescriptionCapacity = std::size_t{1} << 20;

// What the editor reports when it holds nothing.
constexpr std::u16string_view kEmptyBody = u"<P>&nbsp;</P>";

constexpr std::u16string_view kButtonOpen = u"<button";
constexpr std::u16string_view kButtonClose = u"</button>";
constexpr std::u16string_view kValue = u"value=\"";

// The body without the one paragraph the editor may wrap it in.
std::u16string_view Unwrapped(std::u16string_view body) {
    if (body.starts_with(u"<P>") || body.starts_with(u"<p>")) {
        body.remove_prefix(3);
    }
    if (body.size() >= 4) {
        std::size_t close = body.find(u"</P>");
        if (close == std::u16string_view::npos) {
            close = body.find(u"</p>");
        }
        if (close == body.size() - 4) {
            body.remove_suffix(4);
        }
    }
    return body;
}

// The token in the value attribute of one button element (its start tag and
// caption); empty when it has none.
std::u16string_view ButtonToken(std::u16string_view element) {
    const std::size_t value = FindNoCase(element, kValue, 0);
    if (value == std::u16string_view::npos) {
        return {};
    }
    const std::size_t open = value + kValue.size();
    if (open >= element.size() || element[open] != u'<') {
        return {};
    }
    const std::size_t close = element.find(u'>', open);
    return close == std::u16string_view::npos ? std::u16string_view{}
                                              : element.substr(open, close - open + 1);
}

// Literal text as it is, each button as its token. The search for a value
// stays within its button, so that a button without one is dropped whole
// and the scan goes on after it; an unclosed button ends the scan.
std::u16string ScanButtons(std::u16string_view body) {
    std::u16string format;
    std::size_t at = 0;
    for (;;) {
        const std::size_t button = FindNoCase(body, kButtonOpen, at);
        if (button == std::u16string_view::npos) {
            format.append(body.substr(at));
            return format;
        }
        format.append(body.substr(at, button - at));
        const std::size_t close = FindNoCase(body, kButtonClose, button + kButtonOpen.size());
        if (close == std::u16string_view::npos) {
            return format;
        }
        format.append(ButtonToken(body.substr(button, close - button)));
        at = close + kButtonClose.size();
    }
}

// The engine copies literal text into the description as it is, where "&"
// would begin an entity: escaped beforehand, the editor reads back the
// format's own characters. No token holds "&".
std::vector<char16_t> EscapedFormatBuffer(std::u16string_view format) {
    std::vector<char16_t> buffer;
    buffer.reserve(format.size() + 1);
    for (const char16_t c : format) {
        if (c == u'&') {
            buffer.insert(buffer.end(), {u'&', u'a', u'm', u'p', u';'});
        } else {
            buffer.push_back(c);
        }
    }
    buffer.push_back(u'\0');
    return buffer;
}

std::size_t Length(const std::vector<char16_t>& text) {
    std::size_t n = 0;
    while (n < text.size() && text[n] != u'\0') {
        ++n;
    }
    return n;
}

void Replace(std::u16string& text, char16_t what, char16_t with) {
    for (char16_t& c : text) {
        if (c == what) {
            c = with;
        }
    }
}

}  // namespace

FormatHtml FormatToHtml(std::u16string_view format) {
    while (format.starts_with(u'"')) {
        format.remove_prefix(1);
    }
    while (format.ends_with(u'"')) {
        format.remove_suffix(1);
    }
    if (format.starts_with(u'\\')) {
        format.remove_prefix(1);
    }

    for (std::size_t capacity = kFirstDescriptionCapacity; capacity <= kLargestDescriptionCapacity;
         capacity *= 2) {
        std::vector<char16_t> buffer = EscapedFormatBuffer(format);
        std::vector<char16_t> description(capacity, u'\0');
        CTokenButtonRenderer renderer;
        if (!FormatFileName(true, &renderer, description.data(), description.size(), buffer.data(),
                            static_cast<int>(buffer.size()), nullptr)) {
            return {};
        }
        const std::size_t length = Length(description);
        if (length + 1 < capacity) {
            FormatHtml html;
            html.ok = true;
            // The description is a path: it begins with "\".
            html.bodyHtml.assign(description.data() + 1, length - 1);
            html.caseIndex = renderer.CaseIndex();
            return html;
        }
    }
    return {};
}

std::u16string HtmlToFormat(std::u16string_view bodyHtml, int caseIndex) {
    std::u16string format =
        bodyHtml == kEmptyBody ? std::u16string() : ScanButtons(Unwrapped(bodyHtml));
    if (!format.empty()) {
        // Only the tokens hold "<" and ">", and "/" and "\" cannot be typed:
        // hidden as those, the tokens pass through the text conversion whole.
        Replace(format, u'<', u'/');
        Replace(format, u'>', u'\\');
        format = HtmlToText(format);
        Replace(format, u'/', u'<');
        Replace(format, u'\\', u'>');
    }
    // In the order of the case list: "Unchanged", "Lowercase", "Uppercase".
    constexpr const char16_t* kCaseTokens[] = {u"<Fo>", u"<Fl>", u"<Fu>"};
    if (caseIndex >= 0 && caseIndex < static_cast<int>(std::size(kCaseTokens))) {
        format.append(kCaseTokens[caseIndex]);
    }
    return format;
}
