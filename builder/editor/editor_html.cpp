#include "builder/editor/editor_html.h"

#include <cstddef>

#include "builder/convert/html_text.h"
#include "builder/convert/token_button_html.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"

const std::u16string_view kEditorDocumentHeader =
    u"<html>  <meta http-equiv='MSThemeCompatible' content='yes' />  <head>"
    u"    <style type='text/css'>      html   {overflow:auto;}"
    u"      body   {overflow:auto; margin: 5px; font-family: Tahoma, Verdana; font-size: 12pt;"
    u" font-weight: bold; text-align: left;}"
    u"      button {color:#000; margin: 1px 5px 1px 5px; font-weight:bold; text-align:center;"
    u" padding:.17em 0 .2em .17em; border-style:solid; border-width:1px;"
    u" border-color:#003c74 #003c74 #003c74 #003c74; background: url(BtnBg.gif) repeat-x;"
    u" font-family: Tahoma, Verdana; font-size: 8pt;}     </style>  </head>"
    u"  <body contenteditable=true>";

namespace {

constexpr std::u16string_view kBodyTag = u"<body contenteditable=true>";
constexpr std::u16string_view kDocumentEnd = u"</body></html>";
constexpr std::size_t kLongestToken = 16;

bool StartsWithIgnoringCase(std::u16string_view text, std::size_t at, std::u16string_view prefix) {
    return at <= text.size() && EqualsNoCase(text.substr(at, prefix.size()), prefix);
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Only tokens of the engine's shape are kept, which also keeps the value
// attribute free of quotes and markup when it is written again.
bool IsTokenText(std::u16string_view text) {
    if (text.size() < 3 || text.size() > kLongestToken || text.front() != u'<' ||
        text.back() != u'>') {
        return false;
    }
    for (char16_t c : text.substr(1, text.size() - 2)) {
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != u'-') {
            return false;
        }
    }
    return true;
}

// The index of the ">" that closes the tag opened at html[at], skipping quoted
// attribute values; npos when the tag is not closed.
std::size_t TagEnd(std::u16string_view html, std::size_t at) {
    char16_t quote = 0;
    for (std::size_t i = at + 1; i < html.size(); ++i) {
        const char16_t c = html[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// The value attribute of a start tag's text (its attributes, without "<" and
// ">"), quoted with either quote or unquoted; empty when there is none.
std::u16string_view ValueAttribute(std::u16string_view attributes) {
    std::size_t i = 0;
    while (i < attributes.size()) {
        while (i < attributes.size() && (IsSpace(attributes[i]) || attributes[i] == u'/')) {
            ++i;
        }
        const std::size_t nameStart = i;
        while (i < attributes.size() && !IsSpace(attributes[i]) && attributes[i] != u'=' &&
               attributes[i] != u'/') {
            ++i;
        }
        const std::u16string_view name = attributes.substr(nameStart, i - nameStart);
        while (i < attributes.size() && IsSpace(attributes[i])) {
            ++i;
        }
        std::u16string_view value;
        if (i < attributes.size() && attributes[i] == u'=') {
            ++i;
            while (i < attributes.size() && IsSpace(attributes[i])) {
                ++i;
            }
            if (i < attributes.size() && (attributes[i] == u'"' || attributes[i] == u'\'')) {
                const std::size_t close = attributes.find(attributes[i], i + 1);
                const std::size_t end =
                    close == std::u16string_view::npos ? attributes.size() : close;
                value = attributes.substr(i + 1, end - i - 1);
                i = end + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < attributes.size() && !IsSpace(attributes[i])) {
                    ++i;
                }
                value = attributes.substr(valueStart, i - valueStart);
            }
        }
        if (EqualsNoCase(name, u"value")) {
            return value;
        }
    }
    return {};
}

// One item per code point of decoded text; control characters are dropped.
void AppendLiteralText(std::u16string_view text, std::vector<EditorItem>& items) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < u' ' || c == 0x7F) {
            continue;
        }
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            items.push_back({std::u16string(text.substr(i, 2)), {}});
            ++i;
        } else {
            items.push_back({std::u16string(1, c), {}});
        }
    }
}

bool OpensMarkup(std::u16string_view html, std::size_t at) {
    if (at + 1 >= html.size()) {
        return false;
    }
    const char16_t next = html[at + 1];
    return IsAsciiLetter(next) || next == u'/' || next == u'!' || next == u'?';
}

bool IsButtonStartTag(std::u16string_view html, std::size_t at) {
    constexpr std::u16string_view kButton = u"<button";
    if (!StartsWithIgnoringCase(html, at, kButton)) {
        return false;
    }
    const std::size_t after = at + kButton.size();
    return after < html.size() && (IsSpace(html[after]) || html[after] == u'>');
}

void AppendEscaped(std::u16string_view text, std::u16string& out) {
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'\u00A0':
                out += u"&nbsp;";
                break;
            default:
                out.push_back(c);
        }
    }
}

// The button as a browser reports it: the value attribute in double quotes.
std::u16string ReportedButtonHtml(const EditorItem& item) {
    std::u16string caption;
    AppendEscaped(item.text, caption);
    std::u16string html = TokenButtonHtml(item.token, caption);
    const std::u16string written = u"value='" + item.token + u"'";
    const std::size_t at = html.find(written);
    if (at != std::u16string::npos) {
        html.replace(at, written.size(), u"value=\"" + item.token + u"\"");
    }
    return html;
}

}  // namespace

std::u16string ComposeEditorDocument(std::u16string_view body) {
    std::u16string document(kEditorDocumentHeader);
    document += body;
    document += kDocumentEnd;
    return document;
}

std::optional<std::u16string_view> EditorDocumentBody(std::u16string_view document) {
    const std::size_t tag = FindNoCase(document, kBodyTag, 0);
    if (tag == std::u16string_view::npos) {
        return std::nullopt;
    }
    const std::u16string_view body = document.substr(tag + kBodyTag.size());
    constexpr std::u16string_view kBodyEnd = u"</body>";
    for (std::size_t at = body.size(); at >= kBodyEnd.size(); --at) {
        if (StartsWithIgnoringCase(body, at - kBodyEnd.size(), kBodyEnd)) {
            return body.substr(0, at - kBodyEnd.size());
        }
    }
    return body;
}

std::vector<EditorItem> ParseEditorHtml(std::u16string_view html) {
    std::vector<EditorItem> items;
    if (EqualsNoCase(html, kEmptyEditorBody)) {
        return items;
    }
    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] != u'<') {
            const std::size_t next = html.find(u'<', i);
            const std::size_t end = next == std::u16string_view::npos ? html.size() : next;
            AppendLiteralText(HtmlToText(html.substr(i, end - i)), items);
            i = end;
            continue;
        }
        if (!OpensMarkup(html, i)) {
            items.push_back({u"<", {}});
            ++i;
            continue;
        }
        if (StartsWithIgnoringCase(html, i, u"<!--")) {
            const std::size_t close = html.find(u"-->", i + 4);
            if (close == std::u16string_view::npos) {
                break;
            }
            i = close + 3;
            continue;
        }
        const std::size_t tagEnd = TagEnd(html, i);
        if (tagEnd == std::u16string_view::npos) {
            break;
        }
        if (!IsButtonStartTag(html, i)) {
            i = tagEnd + 1;
            continue;
        }
        const std::size_t captionStart = tagEnd + 1;
        const std::size_t close = FindNoCase(html, u"</button", captionStart);
        const std::size_t closeEnd =
            close == std::u16string_view::npos ? close : html.find(u'>', close);
        if (closeEnd == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view token = ValueAttribute(html.substr(i + 1, tagEnd - i - 1));
        if (IsTokenText(token)) {
            items.push_back({HtmlToText(html.substr(captionStart, close - captionStart)),
                             std::u16string(token)});
        }
        i = closeEnd + 1;
    }
    return items;
}

std::u16string EditorBodyHtml(std::span<const EditorItem> items) {
    if (items.empty()) {
        return std::u16string(kEmptyEditorBody);
    }
    std::u16string html;
    for (const EditorItem& item : items) {
        if (item.IsToken()) {
            html += ReportedButtonHtml(item);
        } else {
            AppendEscaped(item.text, html);
        }
    }
    return html;
}
