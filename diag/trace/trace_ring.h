#pragma once
// The per-process trace ring: producers put lines into 4096 slots without
// locking; one writer thread moves them into the shared log file while
// holding the cross-process log mutex. At most 4095 lines wait; a line that
// finds the ring full is dropped and disturbs nothing else.
#include <memory>

#include "diag/trace/trace_output.h"

class TraceRing;

struct TraceRingDeleter {
    void operator()(TraceRing* ring) const;
};
using TraceRingPtr = std::unique_ptr<TraceRing, TraceRingDeleter>;

// Starts the writer and makes the ring the target of TracePrint. Only one ring
// is active per process; starting another while one runs returns null.
TraceRingPtr TraceInit(std::unique_ptr<TraceOutput> output);

// Stops TracePrint, ends the writer and writes what still waits. Resetting a
// TraceRingPtr does the same. Never waits for good on a producer that died
// inside TracePrint: its line is given up, and a ring it may still be inside
// is kept allocated rather than freed.
void TraceDeInit(TraceRingPtr ring);

// Writes every waiting line now, holding the log lock, on the caller's thread.
void TraceFlush(TraceRing& ring);

// Puts one built line (tag, message and "\r\n") into the active ring.
void TraceEnqueue(const char16_t* text, bool timestamped);

// Test seam: runs in every producer between claiming its slot and filling it,
// so that a test can hold or end a producer there. Null (the default): none.
void TraceSetClaimedHook(void (*hook)());
