#pragma once
// The token editor's body HTML as the editor reports it back, which is not
// quite as it was written: tag names in capitals and attribute values in
// double quotes.
#include <string>
#include <string_view>

// html as written by the editor's own button operations; literal text between
// the buttons is left alone.
inline std::u16string AsReported(std::u16string html) {
    constexpr std::u16string_view kWritten =
        u"<button contenteditable=false onresizestart='return false;' value='";
    constexpr std::u16string_view kReported =
        u"<BUTTON contenteditable=false onresizestart=\"return false;\" value=\"";
    constexpr std::u16string_view kClose = u"</button>";
    for (std::size_t at = html.find(kWritten); at != std::u16string::npos;
         at = html.find(kWritten, at)) {
        html.replace(at, kWritten.size(), kReported);
        at += kReported.size();
        const std::size_t valueEnd = html.find(u"'>", at);
        const std::size_t close = html.find(kClose, at);
        if (valueEnd == std::u16string::npos || close == std::u16string::npos) {
            break;
        }
        html[valueEnd] = u'"';
        html.replace(close, kClose.size(), u"</BUTTON>");
    }
    return html;
}
