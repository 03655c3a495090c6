#include "common/language/language_file.h"

#include <array>
#include <unordered_set>

#include "common/language/file_source.h"
#include "common/language/language_file_lines.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/bounded_format.h"
#include "diag/trace/trace.h"
#include "wialib/names/result_name.h"

namespace {

constexpr const char16_t* kTag = u"I56@I18N_LoadFile: ";

// The header keywords; each must appear exactly once.
constexpr std::array<const char16_t*, 4> kKeywords = {u"LangID", u"LangNative", u"LangEnglish",
                                                      u"LangVer"};
constexpr std::size_t kLangVer = 3;

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char16_t c) {
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

int KeywordIndex(std::u16string_view key) {
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        if (EqualNoCase(key, kKeywords[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const LanguageNameBuffer& NameBuffer(const LanguageFileRequest& request, std::size_t keyword) {
    return keyword == 0 ? request.langId : keyword == 1 ? request.langNative : request.langEnglish;
}

class Reader {
  public:
    Reader(ByteSource& source, const LanguageFileRequest& request)
        : lines_(source),
          request_(request),
          keep_(request.ids != nullptr && request.strings != nullptr) {
        verdict_.expectedVersion = request.expectedVersion;
    }

    LanguageFileVerdict Run() {
        std::u16string line;
        if (!lines_.Next(line) || line.empty() || line[0] != u'\xFEFF') {
            verdict_.problem = LanguageFileProblem::NoByteOrderMark;
            return verdict_;
        }
        line.erase(0, 1);
        std::size_t number = 1;
        do {
            if (!Take(ParseLanguageLine(line))) {
                verdict_.stopLine = number;
                break;
            }
            ++number;
        } while (lines_.Next(line));
        if (verdict_.Accepted()) {
            CheckHeader();
        }
        return verdict_;
    }

  private:
    // False when the line ends the reading.
    bool Take(const LanguageLine& line) {
        switch (line.kind) {
            case LanguageLine::Kind::Ignored:
                return true;
            case LanguageLine::Kind::Id:
                return TakeId(line);
            case LanguageLine::Kind::Keyword:
                return TakeKeyword(line);
        }
        return true;
    }

    bool TakeId(const LanguageLine& line) {
        // Repeats are caught even when only checking, so that a file offered
        // in the language list is one the catalogue will load.
        if (!seenIds_.insert(line.id).second) {
            TracePrint(kTag, u"Duplicate id: %d", line.id);
            verdict_.duplicateId = line.id;
            return false;
        }
        if (keep_) {
            request_.ids->push_back(line.id);
            // The applet doubles within its line buffer, where the value
            // starts at its offset.
            request_.strings->push_back(
                DoublePercents(line.value, kLanguageLineUnits - 1 - line.valueOffset));
        }
        return true;
    }

    bool TakeKeyword(const LanguageLine& line) {
        const int index = KeywordIndex(line.key);
        if (index < 0) {
            Refuse(LanguageFileProblem::UnsupportedKeyword, line.key);
            return false;
        }
        const auto keyword = static_cast<std::size_t>(index);
        ++seenKeywords_[keyword];
        if (keyword == kLangVer) {
            verdict_.foundVersion = DecimalValue(line.value);
            if (verdict_.foundVersion != request_.expectedVersion) {
                Refuse(LanguageFileProblem::WrongVersion, {});
                return false;
            }
            return true;
        }
        const LanguageNameBuffer& buffer = NameBuffer(request_, keyword);
        if (buffer.text != nullptr) {
            _TcsCpy(buffer.text, buffer.capacity, line.value.c_str());
        }
        return true;
    }

    void CheckHeader() {
        for (std::size_t i = 0; i < kKeywords.size(); ++i) {
            if (seenKeywords_[i] != 1) {
                Refuse(seenKeywords_[i] == 0 ? LanguageFileProblem::MissingKeyword
                                             : LanguageFileProblem::RepeatedKeyword,
                       kKeywords[i]);
                return;
            }
        }
    }

    void Refuse(LanguageFileProblem problem, std::u16string_view keyword) {
        verdict_.problem = problem;
        verdict_.keyword = keyword;
    }

    LanguageLineReader lines_;
    const LanguageFileRequest& request_;
    const bool keep_;
    LanguageFileVerdict verdict_;
    std::unordered_set<std::int32_t> seenIds_;
    std::array<int, kKeywords.size()> seenKeywords_{};
};

void TraceResult(const LanguageFileVerdict& verdict) {
    // A file that cannot be opened was already traced with its path.
    if (!verdict.Accepted() && verdict.problem != LanguageFileProblem::CannotOpen) {
        TracePrint(kTag, u"%s", DescribeProblem(verdict).c_str());
    }
    const std::uint32_t rc = verdict.Accepted() ? 1 : 0;
    TraceReturn(kTag, rc, ResultName(rc));
}

}  // namespace

std::u16string DescribeProblem(const LanguageFileVerdict& verdict) {
    char16_t text[kLanguageLineUnits + 64];
    const auto format = [&](const char16_t* pattern, const auto&... args) {
        FormatBoundedArgs(text, std::size(text), pattern, args...);
        return std::u16string(text);
    };
    switch (verdict.problem) {
        case LanguageFileProblem::None:
            return {};
        case LanguageFileProblem::CannotOpen:
            return u"Cannot open the file";
        case LanguageFileProblem::NoByteOrderMark:
            return u"No byte-order mark: the file is not UTF-16LE";
        case LanguageFileProblem::WrongVersion:
            return format(u"Invalid language file version. Found: %d, expected: %d",
                          verdict.foundVersion, verdict.expectedVersion);
        case LanguageFileProblem::UnsupportedKeyword:
            return format(u"Unsupported keyword: %s", verdict.keyword.c_str());
        case LanguageFileProblem::MissingKeyword:
            return format(u"Missing keyword: %s", verdict.keyword.c_str());
        case LanguageFileProblem::RepeatedKeyword:
            return format(u"Repeated keyword: %s", verdict.keyword.c_str());
    }
    return {};
}

LanguageFileVerdict ReadLanguageFile(ByteSource& source, const LanguageFileRequest& request) {
    TraceEnter(kTag);
    LanguageFileVerdict verdict = Reader(source, request).Run();
    if (!verdict.Accepted() && request.ids != nullptr && request.strings != nullptr) {
        request.ids->clear();
        request.strings->clear();
    }
    TraceResult(verdict);
    return verdict;
}

LanguageFileVerdict LoadLanguageFile(const char16_t* path, const LanguageFileRequest& request) {
    const std::unique_ptr<ByteSource> file = OpenFileSource(path);
    if (file != nullptr) {
        return ReadLanguageFile(*file, request);
    }
    TraceEnter(kTag);
    TracePrint(kTag, u"Cannot open %s", path);
    LanguageFileVerdict verdict;
    verdict.problem = LanguageFileProblem::CannotOpen;
    verdict.expectedVersion = request.expectedVersion;
    if (request.ids != nullptr && request.strings != nullptr) {
        request.ids->clear();
        request.strings->clear();
    }
    TraceResult(verdict);
    return verdict;
}

int I18N_LoadFile(const char16_t* path, std::vector<std::int32_t>* ids,
                  std::vector<std::u16string>* strings, int expectedVersion, char16_t* langId,
                  std::size_t langIdSize, char16_t* langNative, std::size_t langNativeSize,
                  char16_t* langEnglish, std::size_t langEnglishSize) {
    LanguageFileRequest request;
    request.ids = ids;
    request.strings = strings;
    request.expectedVersion = expectedVersion;
    request.langId = {langId, langIdSize};
    request.langNative = {langNative, langNativeSize};
    request.langEnglish = {langEnglish, langEnglishSize};
    return LoadLanguageFile(path, request).Accepted() ? 1 : 0;
}
