#include "diag/trace/trace_line.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "diag/text/quiet_string.h"

namespace {

double Frac(double x) {
    return x - std::trunc(x);
}

// How a cut line ends, in the ring and in the file.
constexpr char kCutEnd[] = "...\r\n";
constexpr std::size_t kCutEndLength = sizeof kCutEnd - 1;

}  // namespace

double TraceFractionOffset(std::int64_t counter, std::int64_t frequency, int milliseconds) {
    if (frequency <= 0) {
        return 0.0;
    }
    return Frac(Frac(static_cast<double>(counter) / static_cast<double>(frequency)) -
                milliseconds / 1000.0);
}

void TraceSecondFraction(std::int64_t counter, std::int64_t frequency, double offset,
                         int milliseconds, char (&out)[7]) {
    char text[32];
    if (frequency > 0) {
        const double t = static_cast<double>(counter) / static_cast<double>(frequency) - offset;
        double fraction = Frac(t);
        if (fraction < 0) {
            fraction += 1.0;
        }
        char printed[32];
        PrintQuiet(printed, static_cast<int>(sizeof printed), "%f", fraction);
        // The digits after the point ("0.123456" gives "123456").
        const char* point = printed;
        while (*point != '\0' && *point != '.') {
            ++point;
        }
        CopyQuiet(text, sizeof text, *point == '.' ? point + 1 : "");
    } else {
        PrintQuiet(text, static_cast<int>(sizeof text), "%03d000", milliseconds);
    }
    std::size_t i = 0;
    for (; i < 6 && text[i] != '\0'; ++i) {
        out[i] = text[i];
    }
    for (; i < 6; ++i) {
        out[i] = '0';
    }
    out[6] = '\0';
}

void TraceFillField(const char16_t* text, std::size_t units, char (&field)[kTraceFieldBytes]) {
    constexpr std::size_t kLastTextUnit = kTraceTextUnits - 1;
    constexpr std::size_t kKeptWhenCut = kTraceFieldBytes - 1 - kCutEndLength;  // 514
    if (units < kLastTextUnit) {
        const AnsiConversion whole =
            trace_platform::ToAnsi(text, units, field, kTraceFieldBytes - 1);
        if (whole.units == units) {
            field[whole.bytes] = '\0';
            return;
        }
    }
    const AnsiConversion kept = trace_platform::ToAnsi(text, units, field, kKeptWhenCut);
    field[kept.bytes] = '\0';
    AppendQuiet(field, kTraceFieldBytes, kCutEnd);
}

std::size_t TraceFormatLine(const TraceLineParts& parts, int waits, std::int64_t frequency,
                            double offset, char (&line)[kTraceLineBytes]) {
    line[0] = '\0';
    std::size_t length = 0;
    if (parts.timestamped) {
        char fraction[7];
        TraceSecondFraction(parts.counter, frequency, offset, parts.time.milliseconds, fraction);
        length = static_cast<std::size_t>(PrintQuiet(
            line, static_cast<int>(kTraceLineBytes),
            "0x%016I64X, %04d-%02d-%02d %02d:%02d:%02d.%s [PID=0x%08X;TID=0x%08X]: ", parts.counter,
            parts.time.year, parts.time.month, parts.time.day, parts.time.hour, parts.time.minute,
            parts.time.second, fraction, parts.processId, parts.threadId));
    }
    if (waits > 0) {
        length += static_cast<std::size_t>(PrintQuiet(
            line + length, static_cast<int>(kTraceLineBytes - length), "##%d## ", waits));
    }
    const std::size_t textLength = std::string_view(parts.text).size();
    const bool cut = length + textLength > kTraceLineBytes - 1;
    length = AppendQuiet(line, kTraceLineBytes, parts.text);
    // A line cut here still ends the way a cut text does, so that the next
    // line starts on a line of its own.
    if (cut) {
        CopyQuiet(line + length - kCutEndLength, kCutEndLength + 1, kCutEnd);
    }
    return length;
}
