#pragma once
// The token editor's content as HTML: the document it is written as, and the
// body HTML it reports, which the format conversions read. The content itself is
// a row of items, each a literal character or a token button.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct EditorItem {
    // A literal character (one code point, so one or two units), or the
    // caption a token button shows.
    std::u16string text;
    // The token a button stands for ("<Y4>"); empty for a literal character.
    std::u16string token;

    bool IsToken() const { return !token.empty(); }
    bool operator==(const EditorItem&) const = default;
};

// What the editor reports for a document without content.
inline constexpr std::u16string_view kEmptyEditorBody = u"<P>&nbsp;</P>";

// Everything the editor's document holds before its body content.
extern const std::u16string_view kEditorDocumentHeader;

// The whole document for a body: the header, the body, "</body></html>".
std::u16string ComposeEditorDocument(std::u16string_view body);

// The body of a composed document: the text after the header's body tag, up to
// the last "</body>" (or the end); nothing when the document has no body tag.
std::optional<std::u16string_view> EditorDocumentBody(std::u16string_view document);

// The items of body HTML, or of a fragment of it: entities of literal text are
// decoded, a button becomes a token when its value attribute holds one ("<",
// letters, digits or "-", ">"), and everything else is dropped: other markup,
// control characters, buttons without a token, and an unterminated tag or button
// with all that follows it. kEmptyEditorBody, in any letter case, has no items.
std::vector<EditorItem> ParseEditorHtml(std::u16string_view html);

// The body HTML as a browser reports it: kEmptyEditorBody for no items, else
// the literal text escaped and every token as its button, with the value
// attribute in double quotes.
std::u16string EditorBodyHtml(std::span<const EditorItem> items);
