#include "diag/trace/trace.h"

#include "diag/text/quiet_string.h"
#include "diag/trace/trace_line.h"
#include "diag/trace/trace_ring.h"

void TracePrintV(const char16_t* tag, const char16_t* format, std::span<const FormatArg> args) {
    if (tag == nullptr || !TraceIsOn()) {
        return;
    }
    char16_t text[kTraceTextUnits];
    const std::size_t used = CopyQuiet(text, kTraceTextUnits, tag);
    if (format != nullptr) {
        PrintQuietV(text + used, static_cast<int>(kTraceTextUnits - used), format, args);
    }
    // A cut line gets no line end here; the ring ends it with "...\r\n". No
    // trace of the cut itself: its quoted "\r\n" would split the log line.
    AppendQuiet(text, kTraceTextUnits, u"\r\n");
    TraceEnqueue(text, true);
}

void TraceEnter(const char16_t* tag) {
    TracePrint(tag, u"ENTER ");
}

void TraceLeave(const char16_t* tag) {
    TracePrint(tag, u"LEAVE ");
}

void TraceLeave(const char16_t* tag, int exitPoint) {
    TracePrint(tag, u"LEAVE[%d] ", exitPoint);
}

void TraceReturn(const char16_t* tag, std::uint32_t rc, const char16_t* rcName) {
    TracePrint(tag, u"RETURN: RC=0x%08X (%s)", rc, rcName);
}

void TraceReturn(const char16_t* tag, int exitPoint, std::uint32_t rc, const char16_t* rcName) {
    TracePrint(tag, u"RETURN[%d]: RC=0x%08X (%s)", exitPoint, rc, rcName);
}
