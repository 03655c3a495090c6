#pragma once
// The text of trace lines: pure functions, so that the line format can be
// tested without threads or files.
#include <cstddef>
#include <cstdint>

#include "diag/trace/trace_platform.h"

inline constexpr std::size_t kTraceTextUnits = 520;   // traced text, terminator included
inline constexpr std::size_t kTraceFieldBytes = 520;  // ANSI field of a ring entry
inline constexpr std::size_t kTraceLineBytes = 580;   // whole line in the file

// Aligns the printed fraction of the second with the wall clock at start:
// frac(frac(c0 / f) - ms / 1000); 0 without a counter.
double TraceFractionOffset(std::int64_t counter, std::int64_t frequency, int milliseconds);

// Exactly six digits of the fraction of the second at which a line was made.
void TraceSecondFraction(std::int64_t counter, std::int64_t frequency, double offset,
                         int milliseconds, char (&out)[7]);

// The ANSI field of an entry. Text of 519 or more units was cut when it was
// built; it then ends in "...\r\n", as does text whose conversion does not fit.
void TraceFillField(const char16_t* text, std::size_t units, char (&field)[kTraceFieldBytes]);

struct TraceLineParts {
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    bool timestamped = false;
    TraceTime time;
    std::int64_t counter = 0;
    const char* text = "";
};

// The line as written to the file; returns its length in bytes (< kTraceLineBytes).
std::size_t TraceFormatLine(const TraceLineParts& parts, int waits, std::int64_t frequency,
                            double offset, char (&line)[kTraceLineBytes]);
