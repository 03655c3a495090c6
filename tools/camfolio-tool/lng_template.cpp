#include "tools/camfolio-tool/lng_template.h"

#include <cstddef>
#include <string>
#include <vector>

#include "common/catalogue/english_table.h"
#include "diag/text/utf8.h"
#include "tools/camfolio-tool/file_output.h"
#include "tools/camfolio-tool/lng_markers.h"

namespace {

std::u16string LanguageTemplateText() {
    std::u16string text =
        u"; Camfolio language file: every text of the program in English.\r\n"
        u"; Keep it UTF-16LE with a byte-order mark. Translate the text after \"=\";\r\n"
        u"; #1 and #2 stand for the values the program puts in and may change places.\r\n"
        u"; An id left out shows in English.\r\n"
        u"LangID=0x0409\r\n"
        u"LangNative=English\r\n"
        u"LangEnglish=English\r\n"
        u"LangVer=1\r\n";
    for (std::int32_t id = 1; id <= kLastPlainId; ++id) {
        const char16_t* english = EnglishText(id);
        if (english == nullptr) {
            continue;
        }
        text += Utf16FromUtf8(std::to_string(id));
        text += u'=';
        text += WithMarkers(english);
        text += u"\r\n";
    }
    return text;
}

}  // namespace

int RunLngTemplate(const char16_t* path, std::ostream& err) {
    std::u16string text(1, u'\xFEFF');
    text += LanguageTemplateText();
    std::vector<std::byte> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    if (!WriteWholeFile(path, bytes)) {
        err << "camfolio-tool lng template: cannot write " << Utf8FromUtf16(path) << "\n";
        return 1;
    }
    return 0;
}
