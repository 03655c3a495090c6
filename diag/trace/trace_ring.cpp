#include "diag/trace/trace_ring.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "diag/trace/trace_line.h"
#include "diag/trace/trace_platform.h"

namespace {

constexpr std::uint32_t kSlots = 4096;
constexpr std::uint32_t kMask = kSlots - 1;
constexpr std::uint32_t kMaxWaiting = kSlots - 1;
// How long the writer waits for a claimed slot to be filled before it leaves
// the slot for its next round: 100 waits of 10 ms.
constexpr int kReadyWaits = 100;
constexpr auto kReadyWait = std::chrono::milliseconds(10);
// A slot still unfilled after 5 s of waiting belongs to a producer that died
// between claim and fill (TerminateThread); a live one fills in microseconds.
// The writer gives the slot up and goes on with the next line.
constexpr int kGiveUpWaits = 500;
// How long a stop waits for the producers inside the ring to leave it.
constexpr auto kProducersLeaveLimit = std::chrono::seconds(1);
// The writer looks at its stop request this often while the log is locked
// by another process.
constexpr auto kLockPoll = std::chrono::milliseconds(50);
// Lines still waiting at the end are dropped if the log stays locked this long.
constexpr auto kFinalLockLimit = std::chrono::seconds(5);

struct Entry {
    // Claim number + 1 once the producer has filled the slot; the claim number
    // of the slot's next lap once the writer has consumed it.
    std::atomic<std::uint32_t> sequence{0};
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;
    std::int32_t timestamped = 0;
    TraceTime time;
    char text[kTraceFieldBytes] = {};
    std::int64_t counter = 0;
};

std::atomic<TraceRing*> g_active{nullptr};
// Producers between reading g_active and counting themselves in that ring.
std::atomic<int> g_entering{0};
std::atomic<void (*)()> g_claimedHook{nullptr};

bool WaitFor(const std::atomic<int>& count) {
    const auto deadline = std::chrono::steady_clock::now() + kProducersLeaveLimit;
    while (count.load() != 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

class TraceRing {
  public:
    explicit TraceRing(std::unique_ptr<TraceOutput> output) : output_(std::move(output)) {
        for (std::uint32_t i = 0; i < kSlots; ++i) {
            entries_[i].sequence.store(i, std::memory_order_relaxed);
        }
        frequency_ = trace_platform::CounterFrequency();
        const std::int64_t c0 = frequency_ > 0 ? trace_platform::CounterNow() : 0;
        offset_ = TraceFractionOffset(c0, frequency_, trace_platform::LocalTimeNow().milliseconds);
        writer_ = std::thread([this] { WriterLoop(); });
    }

    ~TraceRing() { Stop(); }

    TraceRing(const TraceRing&) = delete;
    TraceRing& operator=(const TraceRing&) = delete;

    void Enqueue(const char16_t* text, std::size_t units, bool timestamped) {
        std::uint32_t claim = write_.load(std::memory_order_relaxed);
        Entry* entry = nullptr;
        for (;;) {
            if (claim - read_.load(std::memory_order_acquire) >= kMaxWaiting) {
                return;  // full: drop the new line
            }
            entry = &entries_[claim & kMask];
            if (entry->sequence.load(std::memory_order_acquire) == claim) {
                if (write_.compare_exchange_weak(claim, claim + 1, std::memory_order_relaxed)) {
                    break;
                }
                continue;
            }
            const std::uint32_t current = write_.load(std::memory_order_relaxed);
            if (current != claim) {
                claim = current;  // another producer took it
                continue;
            }
            // The writer has passed this slot's earlier line (the ring is not
            // full) without freeing it: its producer was given up. Pass it by.
            if (write_.compare_exchange_weak(claim, claim + 1, std::memory_order_relaxed)) {
                ++claim;
            }
        }
        if (void (*hook)() = g_claimedHook.load(std::memory_order_relaxed); hook != nullptr) {
            hook();
        }
        entry->processId = trace_platform::ProcessId();
        entry->threadId = trace_platform::ThreadId();
        TraceFillField(text, units, entry->text);
        entry->timestamped = timestamped ? 1 : 0;
        if (timestamped) {
            entry->time = trace_platform::LocalTimeNow();
            entry->counter = frequency_ > 0 ? trace_platform::CounterNow() : 0;
        }
        entry->sequence.store(claim + 1, std::memory_order_release);
        // Wake the writer only when it sleeps: a semaphore release per line
        // would cost a system call on every line.
        std::atomic_thread_fence(std::memory_order_seq_cst);
        if (writerSleeping_.load(std::memory_order_relaxed) && writerSleeping_.exchange(false)) {
            wake_.Release();
        }
    }

    void FlushLocked() { FlushLocked(kGiveUpWaits); }

    void Enter() { producers_.fetch_add(1); }
    void Leave() { producers_.fetch_sub(1); }

    // Stops the writer and writes what waits. False when a producer may still
    // be inside the ring: then it must never be freed.
    bool Close(bool entering) {
        const bool alone = entering && WaitFor(producers_);
        Stop();
        // With no producer left, an unfilled slot will never be filled.
        FlushLocked(alone ? 0 : kReadyWaits);
        output_.reset();
        return alone;
    }

    // Kept for good by a ring that could not be freed.
    TraceRing* strandedNext = nullptr;

  private:
    static bool Owns(TraceOutput::LockResult result) {
        return result == TraceOutput::LockResult::Obtained ||
               result == TraceOutput::LockResult::Abandoned;
    }

    bool Empty() const { return read_.load() == write_.load(); }

    void WriterLoop() {
        for (;;) {
            if (Empty()) {
                // Announce the sleep, then look again: a producer either sees
                // the announcement or its line is seen here.
                writerSleeping_.store(true);
                if (Empty() && !stopping_.load()) {
                    wake_.Acquire();
                }
                writerSleeping_.store(false);
            }
            // One round writes every waiting line; further wake-ups are spent.
            while (wake_.TryAcquire()) {
            }
            if (stopping_.load(std::memory_order_acquire)) {
                return;
            }
            if (!LockAndWrite()) {
                return;
            }
        }
    }

    // False when a stop request arrived while waiting for the log.
    bool LockAndWrite() {
        for (;;) {
            const TraceOutput::LockResult result = output_->Lock(kLockPoll);
            if (Owns(result) || result == TraceOutput::LockResult::NoLock) {
                WriteWaiting(true);
                if (Owns(result)) {
                    output_->Unlock();
                }
                return true;
            }
            if (stopping_.load(std::memory_order_acquire)) {
                return false;
            }
            if (result == TraceOutput::LockResult::Failed) {
                return true;  // try again at the next wake-up
            }
        }
    }

    void FlushLocked(int giveUpWaits) {
        const auto result =
            output_->Lock(std::chrono::duration_cast<std::chrono::milliseconds>(kFinalLockLimit));
        if (!Owns(result) && result != TraceOutput::LockResult::NoLock) {
            return;
        }
        WriteWaiting(false, giveUpWaits);
        if (Owns(result)) {
            output_->Unlock();
        }
    }

    void WriteWaiting(bool stopAware, int giveUpWaits = kGiveUpWaits) {
        // The log lock may be missing; a flush on another thread must still
        // not consume alongside the writer.
        std::lock_guard consuming(consumer_);
        for (;;) {
            const std::uint32_t next = read_.load(std::memory_order_relaxed);
            if (next == write_.load(std::memory_order_acquire)) {
                return;
            }
            if (stopAware && stopping_.load(std::memory_order_acquire)) {
                return;
            }
            Entry& entry = entries_[next & kMask];
            int roundWaits = 0;
            for (;;) {
                const std::uint32_t sequence = entry.sequence.load(std::memory_order_acquire);
                if (sequence == next + 1) {
                    WriteEntry(entry, stalledClaim_ == next ? stalledWaits_ : 0);
                    entry.text[0] = '\0';
                    entry.sequence.store(next + kSlots, std::memory_order_release);
                    break;
                }
                if (sequence != next) {
                    PassGivenUp(entry, sequence, next);
                    break;
                }
                // Claimed in this lap and not filled yet.
                if (stalledClaim_ != next) {
                    stalledClaim_ = next;
                    stalledWaits_ = 0;
                }
                if (stalledWaits_ >= giveUpWaits) {
                    break;  // given up: from now on the slot is passed by
                }
                if (roundWaits == kReadyWaits || (stopAware && stopping_.load())) {
                    // The producer is still filling it; it is written next round.
                    return;
                }
                std::this_thread::sleep_for(kReadyWait);
                ++roundWaits;
                ++stalledWaits_;
            }
            read_.store(next + 1, std::memory_order_release);
        }
    }

    // A slot whose producer was given up in an earlier lap, and that the
    // producers of this lap passed by.
    static void PassGivenUp(Entry& entry, std::uint32_t sequence, std::uint32_t next) {
        if (((sequence - next) & kMask) == 1) {
            // Its producer came back and filled it at last: too late for its
            // line, but the slot serves again from the next lap on.
            entry.sequence.store(next + kSlots, std::memory_order_release);
            return;
        }
        // Still unfilled: keep its number within a lap of the counters, so
        // that comparisons never wrap around.
        entry.sequence.compare_exchange_strong(sequence, next, std::memory_order_acq_rel);
    }

    void WriteEntry(const Entry& entry, int waits) {
        TraceLineParts parts;
        parts.processId = entry.processId;
        parts.threadId = entry.threadId;
        parts.timestamped = entry.timestamped != 0;
        parts.time = entry.time;
        parts.counter = entry.counter;
        parts.text = entry.text;
        char line[kTraceLineBytes];
        const std::size_t length = TraceFormatLine(parts, waits, frequency_, offset_, line);
        output_->AppendAtEnd(line, length);
    }

    void Stop() {
        if (!writer_.joinable()) {
            return;
        }
        stopping_.store(true, std::memory_order_release);
        wake_.Release();
        writer_.join();
    }

    std::unique_ptr<TraceOutput> output_;
    Entry entries_[kSlots];
    // Lines claimed and lines consumed so far; they wrap around together.
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
    trace_platform::WakeSignal wake_;
    std::atomic<bool> writerSleeping_{false};
    std::mutex consumer_;
    // The claim the writer waits for, and how often it has waited for it.
    std::uint32_t stalledClaim_ = 0;
    int stalledWaits_ = 0;
    std::atomic<int> producers_{0};
    std::atomic<bool> stopping_{false};
    std::int64_t frequency_ = 0;
    double offset_ = 0.0;
    std::thread writer_;
};

namespace {

// Rings whose stop could not be sure that every producer had left them; they
// stay allocated, so such a producer still writes into live memory.
std::atomic<TraceRing*> g_stranded{nullptr};

void Strand(TraceRing* ring) {
    ring->strandedNext = g_stranded.load();
    while (!g_stranded.compare_exchange_weak(ring->strandedNext, ring)) {
    }
}

}  // namespace

void TraceRingDeleter::operator()(TraceRing* ring) const {
    TraceRing* expected = ring;
    g_active.compare_exchange_strong(expected, nullptr);
    // A producer that died inside TracePrint never leaves: wait for a bound only.
    if (ring->Close(WaitFor(g_entering))) {
        delete ring;
    } else {
        Strand(ring);
    }
}

TraceRingPtr TraceInit(std::unique_ptr<TraceOutput> output) {
    if (output == nullptr) {
        return nullptr;
    }
    TraceRingPtr ring(new TraceRing(std::move(output)));
    TraceRing* expected = nullptr;
    if (!g_active.compare_exchange_strong(expected, ring.get())) {
        return nullptr;
    }
    return ring;
}

void TraceDeInit(TraceRingPtr ring) {
    ring.reset();
}

void TraceFlush(TraceRing& ring) {
    ring.FlushLocked();
}

bool TraceIsOn() {
    return g_active.load(std::memory_order_acquire) != nullptr;
}

void TraceSetClaimedHook(void (*hook)()) {
    g_claimedHook.store(hook);
}

void TraceEnqueue(const char16_t* text, bool timestamped) {
    if (text == nullptr || g_active.load(std::memory_order_relaxed) == nullptr) {
        return;
    }
    g_entering.fetch_add(1);
    TraceRing* ring = g_active.load();
    if (ring != nullptr) {
        ring->Enter();
    }
    g_entering.fetch_sub(1);
    if (ring == nullptr) {
        return;
    }
    std::size_t units = 0;
    while (units < kTraceTextUnits && text[units] != u'\0') {
        ++units;
    }
    ring->Enqueue(text, units, timestamped);
    ring->Leave();
}
