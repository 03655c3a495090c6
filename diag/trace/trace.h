#pragma once
// Producer side of the trace: every traced function writes its lines through
// TracePrint. Lines go to the process's trace ring (trace_ring.h) once
// TraceInit has installed one; before that, and after TraceDeInit, nothing
// happens.
#include <array>
#include <cstdint>
#include <span>

#include "diag/text/format_arg.h"

// Tag + formatted message + "\r\n", cut to 519 units, into the ring.
void TracePrintV(const char16_t* tag, const char16_t* format, std::span<const FormatArg> args);

inline void TracePrint(const char16_t* tag) {
    TracePrintV(tag, nullptr, {});
}

template <typename... Args>
void TracePrint(const char16_t* tag, const char16_t* format, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    TracePrintV(tag, format, std::span<const FormatArg>(list));
}

// True while a ring is installed; lets callers skip work that only feeds the trace.
bool TraceIsOn();

// The fixed words that tell the kind of a line (the tag comes first).
void TraceEnter(const char16_t* tag);
void TraceLeave(const char16_t* tag);
void TraceLeave(const char16_t* tag, int exitPoint);
// "RETURN: RC=0x%08X (%s)", or "RETURN[n]: ..." for one of several exits.
void TraceReturn(const char16_t* tag, std::uint32_t rc, const char16_t* rcName);
void TraceReturn(const char16_t* tag, int exitPoint, std::uint32_t rc, const char16_t* rcName);
