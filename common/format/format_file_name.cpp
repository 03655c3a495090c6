#include "common/format/format_file_name.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>

#include "common/format/calendar.h"
#include "common/format/format_expansion.h"
#include "diag/strings/bounded_string.h"
#include "diag/text/text_units.h"
#include "diag/text/text_utils.h"

namespace {

constexpr std::size_t kMaxResultLength = 260;
// Every caller outside describe mode passes 260; larger outputs go to the heap.
constexpr std::size_t kLocalExpansionUnits = 260;
constexpr std::size_t kMaxNamePartLength = 255;
constexpr std::size_t kMaxNameRangeLength = 100;
constexpr int kDefaultNameRangeEnd = 100;

std::size_t Length(const char16_t* text) {
    std::size_t n = 0;
    while (text[n] != u'\0') {
        ++n;
    }
    return n;
}

const char16_t* FindUnit(const char16_t* text, char16_t unit) {
    for (; *text != u'\0'; ++text) {
        if (*text == unit) {
            return text;
        }
    }
    return nullptr;
}

// Digits at *text, saturated at INT_MAX; *text moves past them.
int ReadDigits(const char16_t** text) {
    long long value = 0;
    const char16_t* p = *text;
    for (; IsAsciiDigit(*p); ++p) {
        if (value <= INT_MAX) {
            value = value * 10 + (*p - u'0');
        }
    }
    *text = p;
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// As a C decimal conversion reads it: leading white space, a sign, digits,
// saturated to the int range. Without digits the value is 0 and *text stays.
int ReadDecimal(const char16_t** text) {
    const char16_t* p = *text;
    while (*p == u' ' || (*p >= u'\t' && *p <= u'\r')) {
        ++p;
    }
    const bool negative = *p == u'-';
    if (*p == u'-' || *p == u'+') {
        ++p;
    }
    if (!IsAsciiDigit(*p)) {
        return 0;
    }
    const long long magnitude = ReadDigits(&p);
    *text = p;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool HasForbiddenCharacter(const char16_t* format) {
    for (const char16_t* p = format; *p != u'\0'; ++p) {
        switch (*p) {
            case u':':
            case u'"':
            case u'/':
            case u'\\':
            case u'|':
            case u'?':
            case u'*':
                return true;
            default:
                break;
        }
    }
    return false;
}

// The source name's last path component, split at its last dot; each part is
// cut to the length the platform's path splitting allows.
struct NameParts {
    const char16_t* name = u"";
    std::size_t nameLength = 0;
    const char16_t* extension = u"";
    std::size_t extensionLength = 0;
};

NameParts SplitSourceName(const char16_t* path) {
    NameParts parts;
    if (path == nullptr) {
        return parts;
    }
    const char16_t* base = path;
    const char16_t* dot = nullptr;
    const char16_t* end = path;
    for (; *end != u'\0'; ++end) {
        if (*end == u'\\' || *end == u'/') {
            base = end + 1;
            dot = nullptr;
        } else if (*end == u'.') {
            dot = end;
        }
    }
    const char16_t* nameEnd = dot != nullptr ? dot : end;
    parts.name = base;
    parts.nameLength = std::min<std::size_t>(nameEnd - base, kMaxNamePartLength);
    parts.extension = nameEnd;
    parts.extensionLength = std::min<std::size_t>(end - nameEnd, kMaxNamePartLength);
    return parts;
}

enum class Field {
    kYear4,
    kMonth2,
    kDay2,
    kYear2,
    kMonth1,
    kDay1,
    kHour2,
    kMinute2,
    kSecond2,
    kHour12,
    kMinute1,
    kSecond1,
    kAmPm,
    kSeparator,
    kCamera,
    kWidth,
    kHeight,
    kDirectory,
};

// Tokens whose name is followed at once by ">". No name is a prefix of
// another, so the order in which they are tested cannot change a match.
struct PlainToken {
    char16_t name[4];  // held in place: the table is searched for every token
    std::size_t length;
    Field field;
    const char16_t* (TokenRenderer::*describe)();
};

constexpr PlainToken kPlainTokens[] = {
    {u"Y4", 2, Field::kYear4, &TokenRenderer::YearLong},
    {u"M2", 2, Field::kMonth2, &TokenRenderer::MonthLong},
    {u"D2", 2, Field::kDay2, &TokenRenderer::DayLong},
    {u"Y2", 2, Field::kYear2, &TokenRenderer::YearShort},
    {u"M1", 2, Field::kMonth1, &TokenRenderer::MonthShort},
    {u"D1", 2, Field::kDay1, &TokenRenderer::DayShort},
    {u"h2", 2, Field::kHour2, &TokenRenderer::HourLong},
    {u"m2", 2, Field::kMinute2, &TokenRenderer::MinuteLong},
    {u"s2", 2, Field::kSecond2, &TokenRenderer::SecondLong},
    {u"h1", 2, Field::kHour12, &TokenRenderer::HourShort},
    {u"m1", 2, Field::kMinute1, &TokenRenderer::MinuteShort},
    {u"s1", 2, Field::kSecond1, &TokenRenderer::SecondShort},
    {u"AP", 2, Field::kAmPm, &TokenRenderer::AmPm},
    {u"DIR", 3, Field::kSeparator, &TokenRenderer::DirectorySeparator},
    {u"X1", 2, Field::kCamera, &TokenRenderer::CameraName},
    {u"X2", 2, Field::kWidth, &TokenRenderer::ImageWidth},
    {u"X3", 2, Field::kHeight, &TokenRenderer::ImageHeight},
    // "C", "O" and "F" have a syntax of their own and are read apart.
    {u"P", 1, Field::kDirectory, &TokenRenderer::OriginalDirectory},
};

bool StartsWith(const char16_t* text, const PlainToken& token) {
    for (std::size_t i = 0; i < token.length; ++i) {
        if (text[i] != token.name[i]) {
            return false;
        }
    }
    return true;
}

// For each ASCII first letter, the plain tokens that begin with it, chained in
// table order (-1 ends a chain): the builder re-expands the format on every
// edit, and a walk through the whole table per token showed in its profile.
struct PlainTokenIndex {
    std::int16_t head[128];
    std::int16_t next[std::size(kPlainTokens)];
};

constexpr PlainTokenIndex MakePlainTokenIndex() {
    PlainTokenIndex index{};
    for (std::int16_t& head : index.head) {
        head = -1;
    }
    for (int i = static_cast<int>(std::size(kPlainTokens)) - 1; i >= 0; --i) {
        const char16_t first = kPlainTokens[i].name[0];
        index.next[i] = index.head[first];
        index.head[first] = static_cast<std::int16_t>(i);
    }
    return index;
}

constexpr PlainTokenIndex kPlainTokenIndex = MakePlainTokenIndex();

const PlainToken* FindPlainToken(const char16_t* name) {
    if (name[0] >= std::size(kPlainTokenIndex.head)) {
        return nullptr;
    }
    for (int i = kPlainTokenIndex.head[name[0]]; i >= 0; i = kPlainTokenIndex.next[i]) {
        if (StartsWith(name, kPlainTokens[i])) {
            return &kPlainTokens[i];
        }
    }
    return nullptr;
}

enum class TokenOutcome {
    kContinue,      // scanning goes on after the token
    kMalformed,     // failure; the rest of the format is appended as it is
    kUnrecognised,  // the rest is appended as it is, without failure
};

// Step 7 of the engine: the scan of the trimmed format into the expansion.
class FormatScanner {
  public:
    FormatScanner(const SourceFileInfo& source, const CalendarTime& time, const NameParts& name,
                  TokenRenderer* renderer, FormatExpansion* expansion)
        : source_(source), time_(time), name_(name), renderer_(renderer), out_(expansion) {}

    void Scan(const char16_t* format);

    bool Failed() const { return failed_; }
    CaseMode Case() const { return caseMode_; }
    // Units from the start of the format to the "<" of its last <P>, -1 when none.
    std::ptrdiff_t DirectoryTokenAt() const { return directoryTokenAt_; }

  private:
    TokenOutcome Token(const char16_t* name, std::ptrdiff_t at, const char16_t** next);
    TokenOutcome CounterToken(const char16_t* digits, const char16_t** next);
    TokenOutcome NameToken(const char16_t* range, const char16_t** next);
    TokenOutcome CaseToken(const char16_t* letter, const char16_t** next);
    void ExpandField(Field field);
    void ExpandNameRange(int first, int last);

    const SourceFileInfo& source_;
    const CalendarTime& time_;
    const NameParts& name_;
    TokenRenderer* renderer_;
    FormatExpansion* out_;
    bool failed_ = false;
    CaseMode caseMode_ = CaseMode::kNone;
    std::ptrdiff_t directoryTokenAt_ = -1;
};

void FormatScanner::Scan(const char16_t* format) {
    const char16_t* rest = format;
    for (;;) {
        const char16_t* open = FindUnit(rest, u'<');
        if (open == nullptr) {
            out_->AppendText(rest);
            return;
        }
        out_->AppendUnits(rest, static_cast<std::size_t>(open - rest));
        switch (Token(open + 1, open - format, &rest)) {
            case TokenOutcome::kContinue:
                break;
            case TokenOutcome::kMalformed:
                failed_ = true;
                out_->AppendText(open + 1);
                return;
            case TokenOutcome::kUnrecognised:
                // There is no escape for "<", so a stray one ends the tokens.
                out_->AppendText(open + 1);
                return;
        }
    }
}

TokenOutcome FormatScanner::Token(const char16_t* name, std::ptrdiff_t at, const char16_t** next) {
    if (const PlainToken* token = FindPlainToken(name); token != nullptr) {
        if (name[token->length] != u'>') {
            return TokenOutcome::kMalformed;
        }
        if (token->field == Field::kDirectory) {
            directoryTokenAt_ = at;
        }
        if (renderer_ != nullptr) {
            out_->AppendText((renderer_->*token->describe)());
        } else {
            ExpandField(token->field);
        }
        *next = name + token->length + 1;
        return TokenOutcome::kContinue;
    }
    switch (name[0]) {
        case u'C':
            return CounterToken(name + 1, next);
        case u'O':
            return NameToken(name + 1, next);
        case u'F':
            return CaseToken(name + 1, next);
        default:
            return TokenOutcome::kUnrecognised;
    }
}

TokenOutcome FormatScanner::CounterToken(const char16_t* digits, const char16_t** next) {
    const char16_t* p = digits;
    const int width = ReadDigits(&p);
    if (*p != u'>') {
        return TokenOutcome::kMalformed;
    }
    if (renderer_ != nullptr) {
        out_->AppendText(renderer_->Counter(width));
    } else if (source_.counter.has_value()) {
        out_->AppendNumber(*source_.counter, width);
    }
    *next = p + 1;
    return TokenOutcome::kContinue;
}

TokenOutcome FormatScanner::NameToken(const char16_t* range, const char16_t** next) {
    if (!IsAsciiDigit(range[0])) {
        if (range[0] != u'>') {
            return TokenOutcome::kMalformed;
        }
        if (renderer_ != nullptr) {
            out_->AppendText(renderer_->OriginalName());
        } else {
            ExpandNameRange(1, kDefaultNameRangeEnd);
        }
        *next = range + 1;
        return TokenOutcome::kContinue;
    }
    const char16_t* p = range;
    const int first = ReadDigits(&p);
    // The "-" is searched for, not expected at once: "<O5x-8>" is a range too.
    const char16_t* dash = FindUnit(p, u'-');
    if (dash == nullptr) {
        return TokenOutcome::kMalformed;
    }
    p = dash + 1;
    const int last = ReadDecimal(&p);
    if (first < 1 || last < 1 || first > last || *p != u'>') {
        return TokenOutcome::kMalformed;
    }
    if (renderer_ != nullptr) {
        out_->AppendText(renderer_->OriginalNameRange(first, last));
    } else {
        ExpandNameRange(first, last);
    }
    *next = p + 1;
    return TokenOutcome::kContinue;
}

TokenOutcome FormatScanner::CaseToken(const char16_t* letter, const char16_t** next) {
    CaseMode mode;
    switch (letter[0]) {
        case u'o':
            mode = CaseMode::kUnchanged;
            break;
        case u'l':
            mode = CaseMode::kLower;
            break;
        case u'u':
            mode = CaseMode::kUpper;
            break;
        case u'>':
            // <F> fails the format but, unlike other bad tokens, does not end the scan.
            failed_ = true;
            *next = letter + 1;
            return TokenOutcome::kContinue;
        default:
            return TokenOutcome::kMalformed;
    }
    if (letter[1] != u'>') {
        return TokenOutcome::kMalformed;
    }
    caseMode_ = mode;
    *next = letter + 2;
    return TokenOutcome::kContinue;
}

void FormatScanner::ExpandField(Field field) {
    switch (field) {
        case Field::kYear4:
            return out_->AppendNumber(time_.year, 4);
        case Field::kMonth2:
            return out_->AppendNumber(time_.month, 2);
        case Field::kDay2:
            return out_->AppendNumber(time_.day, 2);
        case Field::kYear2:
            return out_->AppendNumber(time_.year % 100, 2);
        case Field::kMonth1:
            return out_->AppendNumber(time_.month, 0);
        case Field::kDay1:
            return out_->AppendNumber(time_.day, 0);
        case Field::kHour2:
            return out_->AppendNumber(time_.hour, 2);
        case Field::kMinute2:
            return out_->AppendNumber(time_.minute, 2);
        case Field::kSecond2:
            return out_->AppendNumber(time_.second, 2);
        case Field::kHour12:
            return out_->AppendNumber(time_.hour % 12 == 0 ? 12 : time_.hour % 12, 0);
        case Field::kMinute1:
            return out_->AppendNumber(time_.minute, 0);
        case Field::kSecond1:
            return out_->AppendNumber(time_.second, 0);
        case Field::kAmPm:
            return out_->AppendText(time_.hour < 12 ? u"AM" : u"PM");
        case Field::kSeparator:
            return out_->AppendText(u"\\");
        case Field::kCamera:
            return out_->AppendText(source_.cameraName);
        case Field::kWidth:
            return out_->AppendText(source_.imageWidth);
        case Field::kHeight:
            return out_->AppendText(source_.imageHeight);
        case Field::kDirectory: {
            const char16_t* directory = source_.sourceDirectory;
            if (directory != nullptr && directory[0] == u'\\') {
                ++directory;
            }
            return out_->AppendText(directory);
        }
    }
}

void FormatScanner::ExpandNameRange(int first, int last) {
    const auto start = static_cast<std::size_t>(first - 1);
    if (start >= name_.nameLength) {
        return;
    }
    std::size_t count = static_cast<std::size_t>(last) - start;
    count = std::min(count, name_.nameLength - start);
    count = std::min(count, kMaxNameRangeLength);
    out_->AppendUnits(name_.name + start, count);
}

// The expansion may not exceed the result, so it gets outCapacity units.
class ExpansionStorage {
  public:
    explicit ExpansionStorage(std::size_t units) {
        if (units > kLocalExpansionUnits) {
            heap_.reset(new (std::nothrow) char16_t[units]);
            data_ = heap_.get();
        }
    }
    // Null when the heap had no room.
    char16_t* Data() { return data_; }

  private:
    char16_t local_[kLocalExpansionUnits];
    char16_t* data_ = local_;
    std::unique_ptr<char16_t[]> heap_;
};

void ApplyCase(char16_t* text, CaseMode mode) {
    // Only ASCII letters change: the result is a file name on any code page.
    if (mode == CaseMode::kUpper) {
        for (; *text != u'\0'; ++text) {
            if (*text >= u'a' && *text <= u'z') {
                *text = static_cast<char16_t>(*text - u'a' + u'A');
            }
        }
    } else if (mode == CaseMode::kLower) {
        for (; *text != u'\0'; ++text) {
            if (*text >= u'A' && *text <= u'Z') {
                *text = static_cast<char16_t>(*text - u'A' + u'a');
            }
        }
    }
}

bool Contains(const char16_t* text, const char16_t* what) {
    for (const char16_t* p = FindUnit(text, what[0]); p != nullptr; p = FindUnit(p + 1, what[0])) {
        std::size_t i = 1;
        while (what[i] != u'\0' && p[i] == what[i]) {
            ++i;
        }
        if (what[i] == u'\0') {
            return true;
        }
    }
    return false;
}

void ReplaceAll(char16_t* buffer, std::size_t capacity, const char16_t* what,
                const char16_t* with) {
    // The quick test first: these texts seldom need a replacement, and the
    // builder normalises on every edit.
    if (!Contains(buffer, what)) {
        return;
    }
    while (ReplaceFirst(buffer, capacity, what, with)) {
    }
}

bool StartsWithNoCase(const char16_t* text, const char16_t* prefix) {
    const auto fold = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    for (; *prefix != u'\0'; ++text, ++prefix) {
        if (fold(*text) != fold(*prefix)) {
            return false;
        }
    }
    return true;
}

// The format side of normalisation, run only once the result is accepted so
// that a rejected format reaches the caller as it was typed (trimmed).
void NormaliseFormat(char16_t* format, std::size_t capacity, bool resultIsRooted) {
    ReplaceAll(format, capacity, u"<DIR><DIR>", u"<DIR>");
    // A leading separator would only repeat the root's "\".
    while (resultIsRooted && StartsWithNoCase(format, u"<DIR>") &&
           ReplaceFirst(format, capacity, u"<DIR>", u"")) {
    }
    // <P> already ends with the source directory's trailing "\".
    ReplaceAll(format, capacity, u"<P><DIR>", u"<P>");
    ReplaceAll(format, capacity, u"..", u".");
}

}  // namespace

bool FormatFileName(bool validate, TokenRenderer* renderer, char16_t* out, std::size_t outCapacity,
                    char16_t* format, int formatCapacity, const SourceFileInfo* source) {
    static const SourceFileInfo kNoSource;
    const bool describe = renderer != nullptr;
    if (describe && source == nullptr) {
        source = &kNoSource;
    }
    if (out == nullptr || outCapacity == 0 || format == nullptr || format[0] == u'\0' ||
        source == nullptr) {
        return false;
    }
    if (!describe && (source->sourceName == nullptr || !source->captureTime.has_value())) {
        return false;
    }
    TrimTrailing(format, u' ', u'\t');
    StripLeading(format, u' ', u'\t');
    if (validate && HasForbiddenCharacter(format)) {
        return false;
    }
    CalendarTime time;
    if (source->captureTime.has_value() && !FileTimeToCalendar(*source->captureTime, &time)) {
        return false;
    }
    const NameParts name = SplitSourceName(source->sourceName);

    ExpansionStorage storage(outCapacity);
    if (storage.Data() == nullptr) {
        return false;
    }
    FormatExpansion expansion(storage.Data(), outCapacity);
    FormatScanner scanner(*source, time, name, renderer, &expansion);
    scanner.Scan(format);
    if (scanner.Failed() || scanner.Case() == CaseMode::kNone) {
        return false;
    }

    WcsCpy(out, outCapacity, u"\\");
    WcsCat(out, outCapacity, expansion.Text());
    WcsnCat(out, outCapacity, name.extension, name.extensionLength);
    if (describe) {
        renderer->CaseToken(scanner.Case());
        return true;
    }
    ApplyCase(out, scanner.Case());
    if (!validate) {
        return true;
    }
    // -1 is the documented "no normalisation"; any negative size means the same.
    const bool normalise = formatCapacity >= 0;
    if (normalise) {
        ReplaceAll(out, outCapacity, u"\\\\", u"\\");
        if (scanner.DirectoryTokenAt() > 0) {
            return false;
        }
        ReplaceAll(out, outCapacity, u"..", u".");
    }
    if (Length(out) > kMaxResultLength) {
        return false;
    }
    if (normalise) {
        NormaliseFormat(format, static_cast<std::size_t>(formatCapacity), out[0] == u'\\');
    }
    return true;
}

bool IsUsableFileName(bool ok, const char16_t* result) {
    return ok && result != nullptr && !(result[0] == u'\\' && result[1] == u'.');
}
