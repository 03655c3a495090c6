#include "tools/camfolio-tool/lng_check.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/catalogue/english_table.h"
#include "common/language/file_source.h"
#include "common/language/language_file.h"
#include "common/language/language_file_lines.h"
#include "diag/text/utf8.h"
#include "tools/camfolio-tool/lng_markers.h"

namespace {

// The Settings page's buffers for the language's names.
constexpr std::size_t kNameUnits = 50;

// Goes through every line, also past stopLine, where the applet stops.
void ListDoubtfulLines(const char16_t* path, std::size_t stopLine, std::ostream& out) {
    const std::unique_ptr<ByteSource> file = OpenFileSource(path);
    if (file == nullptr) {
        return;
    }
    LanguageLineReader lines(*file);
    std::u16string line;
    std::map<std::int32_t, std::size_t> firstLine;
    for (std::size_t number = 1; lines.Next(line); ++number) {
        if (number == 1 && !line.empty() && line[0] == u'\xFEFF') {
            line.erase(0, 1);
        }
        const LanguageLine parsed = ParseLanguageLine(line);
        if (parsed.kind != LanguageLine::Kind::Id) {
            continue;
        }
        const auto [first, isNew] = firstLine.emplace(parsed.id, number);
        if (!isNew) {
            out << "line " << number << ": duplicate id " << parsed.id << " (first on line "
                << first->second << ")"
                << (number == stopLine ? ", the applet reads no further" : "") << "\n";
            continue;
        }
        if (parsed.id < 1 || parsed.id > kLastPlainId) {
            out << "line " << number << ": id " << parsed.id
                << " is outside 1-198 and never shown\n";
            continue;
        }
        const char16_t* english = EnglishText(parsed.id);
        if (english != nullptr && !MarkersFit(parsed.value, SignatureOf(english))) {
            out << "line " << number << ": id " << parsed.id
                << ": the markers do not fit, English is shown instead (\""
                << Utf8FromUtf16(WithMarkers(english)) << "\")\n";
        }
    }
}

}  // namespace

int RunLngCheck(const char16_t* path, std::ostream& out) {
    std::vector<std::int32_t> ids;
    std::vector<std::u16string> strings;
    char16_t native[kNameUnits] = {};
    char16_t english[kNameUnits] = {};
    LanguageFileRequest request;
    request.ids = &ids;
    request.strings = &strings;
    request.langNative = {native, kNameUnits};
    request.langEnglish = {english, kNameUnits};
    const LanguageFileVerdict verdict = LoadLanguageFile(path, request);
    if (verdict.Accepted()) {
        out << "accepted: " << Utf8FromUtf16(native) << " (" << Utf8FromUtf16(english) << "), "
            << ids.size() << " texts\n";
    } else {
        out << "rejected: " << Utf8FromUtf16(DescribeProblem(verdict));
        if (verdict.stopLine != 0 && verdict.duplicateId == 0) {
            out << " (line " << verdict.stopLine << ")";
        }
        out << "\n";
    }
    if (verdict.problem != LanguageFileProblem::CannotOpen &&
        verdict.problem != LanguageFileProblem::NoByteOrderMark) {
        ListDoubtfulLines(path, verdict.stopLine, out);
    }
    return verdict.Accepted() ? 0 : 1;
}
