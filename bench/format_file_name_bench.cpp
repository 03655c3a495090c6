// FormatFileName as the builder runs it on every edit (validation and
// normalisation on, the format copied afresh each time) against hand-written
// printf code that produces the same names from the same record. The engine
// should stay within twice the time of the snprintf baseline.
#include <cstdio>
#include <cwchar>
#include <string>

#include <benchmark/benchmark.h>

#include "common/format/calendar.h"
#include "common/format/format_file_name.h"

namespace {

constexpr std::size_t kOutUnits = 260;
constexpr char16_t kDateFormat[] = u"<Y4>-<M2>-<D2>-<C4><Fo>";
constexpr char16_t kFolderFormat[] = u"<Y4><DIR><M2><DIR><h2><m2><s2>_<O5-8><Fl>";

std::uint64_t CaptureTime() {
    std::uint64_t fileTime = 0;
    CalendarToFileTime({2010, 5, 6, 14, 3, 9, 0}, &fileTime);
    return fileTime;
}

const SourceFileInfo kSource = SampleSourceFile(CaptureTime());

bool RunEngine(const char16_t* format, char16_t* out) {
    char16_t copy[64];
    std::size_t length = 0;
    for (; format[length] != u'\0'; ++length) {
        copy[length] = format[length];
    }
    copy[length] = u'\0';
    return FormatFileName(true, nullptr, out, kOutUnits, copy, static_cast<int>(length + 1),
                          &kSource);
}

// What the baseline needs of the record, worked out as the engine does per call.
struct Parts {
    CalendarTime time;
    std::string name;
    std::string extension;
};

Parts Prepare(const SourceFileInfo& source) {
    Parts parts;
    FileTimeToCalendar(*source.captureTime, &parts.time);
    std::string sourceName;
    for (const char16_t* p = source.sourceName; *p != u'\0'; ++p) {
        sourceName.push_back(static_cast<char>(*p));
    }
    const std::size_t dot = sourceName.rfind('.');
    parts.name = sourceName.substr(0, dot);
    parts.extension = dot == std::string::npos ? std::string() : sourceName.substr(dot);
    return parts;
}

template <typename CharT>
void Widen(const CharT* text, char16_t* out, bool lower) {
    std::size_t i = 0;
    for (; text[i] != 0 && i + 1 < kOutUnits; ++i) {
        const auto c = static_cast<char16_t>(text[i]);
        out[i] = lower && c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    out[i] = u'\0';
}

void DateBaselineNarrow(char16_t* out) {
    const Parts p = Prepare(kSource);
    char text[kOutUnits];
    std::snprintf(text, sizeof(text), "\\%04d-%02d-%02d-%04d%s", p.time.year, p.time.month,
                  p.time.day, *kSource.counter, p.extension.c_str());
    Widen(text, out, false);
}

void FolderBaselineNarrow(char16_t* out) {
    const Parts p = Prepare(kSource);
    char text[kOutUnits];
    std::snprintf(text, sizeof(text), "\\%04d\\%02d\\%02d%02d%02d_%.4s%s", p.time.year,
                  p.time.month, p.time.hour, p.time.minute, p.time.second,
                  p.name.size() > 4 ? p.name.c_str() + 4 : "", p.extension.c_str());
    Widen(text, out, true);
}

void DateBaselineWide(char16_t* out) {
    const Parts p = Prepare(kSource);
    const std::wstring extension(p.extension.begin(), p.extension.end());
    wchar_t text[kOutUnits];
    std::swprintf(text, kOutUnits, L"\\%04d-%02d-%02d-%04d%ls", p.time.year, p.time.month,
                  p.time.day, *kSource.counter, extension.c_str());
    Widen(text, out, false);
}

void FolderBaselineWide(char16_t* out) {
    const Parts p = Prepare(kSource);
    const std::wstring name(p.name.begin(), p.name.end());
    const std::wstring extension(p.extension.begin(), p.extension.end());
    wchar_t text[kOutUnits];
    std::swprintf(text, kOutUnits, L"\\%04d\\%02d\\%02d%02d%02d_%.4ls%ls", p.time.year,
                  p.time.month, p.time.hour, p.time.minute, p.time.second,
                  name.size() > 4 ? name.c_str() + 4 : L"", extension.c_str());
    Widen(text, out, true);
}

void BM_FormatFileName(benchmark::State& state, const char16_t* format) {
    char16_t out[kOutUnits];
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunEngine(format, out));
        benchmark::ClobberMemory();
    }
}

void BM_PrintfBaseline(benchmark::State& state, const char16_t* format,
                       void (*baseline)(char16_t*)) {
    // A baseline that produced other names would make the comparison meaningless.
    char16_t expected[kOutUnits];
    char16_t out[kOutUnits];
    baseline(out);
    if (!RunEngine(format, expected) || std::u16string(expected) != out) {
        state.SkipWithError("the baseline's name differs from the engine's");
        return;
    }
    for (auto _ : state) {
        baseline(out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(BM_FormatFileName, Date, kDateFormat);
BENCHMARK_CAPTURE(BM_PrintfBaseline, DateSnprintf, kDateFormat, DateBaselineNarrow);
BENCHMARK_CAPTURE(BM_PrintfBaseline, DateSwprintf, kDateFormat, DateBaselineWide);
BENCHMARK_CAPTURE(BM_FormatFileName, Folders, kFolderFormat);
BENCHMARK_CAPTURE(BM_PrintfBaseline, FoldersSnprintf, kFolderFormat, FolderBaselineNarrow);
BENCHMARK_CAPTURE(BM_PrintfBaseline, FoldersSwprintf, kFolderFormat, FolderBaselineWide);

}  // namespace
