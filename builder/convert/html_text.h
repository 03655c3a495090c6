#pragma once
// The text of a piece of HTML, as the token editor's literal text needs it:
// character references decoded, markup dropped. Safe on any input.
#include <string>
#include <string_view>

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; (to U+00A0) and numeric
// references &#NNN; and &#xHH; (any code point but 0 and surrogates); a
// reference that is unknown, invalid or lacks its ";" stays as written. A "<"
// followed by a letter, "/", "!" or "?" opens markup, which is dropped up to
// its closing ">" (quoted attribute values and comments may hold ">"), or to
// the end when it is not closed; any other "<" is text.
std::u16string HtmlToText(std::u16string_view html);
