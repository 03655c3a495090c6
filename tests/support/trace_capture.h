#pragma once
// Runs the real trace ring into memory so tests can read the lines written.
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "diag/trace/trace_output.h"
#include "diag/trace/trace_ring.h"

// A log "file" in memory; its lock can be held shut to slow the writer down.
class MemoryTraceOutput final : public TraceOutput {
  public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        std::string bytes;
        bool blocked = false;
        bool held = false;
    };

    explicit MemoryTraceOutput(Shared& shared) : shared_(shared) {}
    LockResult Lock(std::chrono::milliseconds timeout) override;
    void Unlock() override;
    void AppendAtEnd(const char* bytes, std::size_t count) override;

  private:
    Shared& shared_;
};

class TraceCapture {
  public:
    TraceCapture();
    ~TraceCapture();

    // Keeps the writer from writing until Unblock.
    void Block();
    void Unblock();
    // Writes every waiting line now, as the writer would.
    void Drain();
    // What the writer has written so far, while the facility runs.
    std::string Written();
    // Ends the facility (writing what waits) and returns every line written.
    std::vector<std::string> Finish();
    // The traced texts (after the prefix), each without its "\r\n".
    std::vector<std::string> Texts();

  private:
    MemoryTraceOutput::Shared shared_;
    TraceRingPtr ring_;
};
