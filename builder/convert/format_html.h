#pragma once
// The token editor's two conversions: a stored format into the body HTML of
// the editor (literal text and one button per token), and the body HTML the
// editor reports, with the case list's selection, back into a format.
#include <string>
#include <string_view>

struct FormatHtml {
    bool ok = false;  // false: the editor starts empty
    std::u16string bodyHtml;
    int caseIndex = 0;  // the case list's entry for the format's case token
};

// Accepts the format with surrounding double quotes and one leading "\", as
// the command line may carry it. Literal text is escaped, so that it reads
// back unchanged. Fails for a format the engine refuses when validating (a
// forbidden character, a malformed token, no case token) and for one whose
// description would not fit in some million units: never a cut description.
FormatHtml FormatToHtml(std::u16string_view format);

// Literal text keeps its characters (references decoded, markup dropped); each
// button gives the token of its value attribute, written value="<..>" as the
// editor reports it. caseIndex 0, 1 and 2 append <Fo>, <Fl> and <Fu>; any other
// value appends nothing.
std::u16string HtmlToFormat(std::u16string_view bodyHtml, int caseIndex);
