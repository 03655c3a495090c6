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
// Producers inside TracePrint; the ring is freed only when none is left.
std::atomic<int> g_producers{0};

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

    ~TraceRing() {
        Stop();
        WriteRemaining();
    }

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
            const auto lag =
                static_cast<std::int32_t>(entry->sequence.load(std::memory_order_acquire) - claim);
            if (lag < 0) {
                return;  // the slot's previous line is not consumed yet: full
            }
            if (lag == 0 &&
                write_.compare_exchange_weak(claim, claim + 1, std::memory_order_relaxed)) {
                break;
            }
            if (lag > 0) {
                claim = write_.load(std::memory_order_relaxed);
            }
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

    void FlushLocked() {
        const auto result =
            output_->Lock(std::chrono::duration_cast<std::chrono::milliseconds>(kFinalLockLimit));
        if (!Owns(result) && result != TraceOutput::LockResult::NoLock) {
            return;
        }
        WriteWaiting(false);
        if (Owns(result)) {
            output_->Unlock();
        }
    }

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

    void WriteWaiting(bool stopAware) {
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
            int waits = 0;
            while (entry.sequence.load(std::memory_order_acquire) != next + 1) {
                if (waits == kReadyWaits || (stopAware && stopping_.load())) {
                    // The producer is still filling it; it is written next round.
                    return;
                }
                std::this_thread::sleep_for(kReadyWait);
                ++waits;
            }
            WriteEntry(entry, waits);
            entry.text[0] = '\0';
            entry.sequence.store(next + kSlots, std::memory_order_release);
            read_.store(next + 1, std::memory_order_release);
        }
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

    void WriteRemaining() { FlushLocked(); }

    std::unique_ptr<TraceOutput> output_;
    Entry entries_[kSlots];
    // Lines claimed and lines consumed so far; they wrap around together.
    std::atomic<std::uint32_t> write_{0};
    std::atomic<std::uint32_t> read_{0};
    trace_platform::WakeSignal wake_;
    std::atomic<bool> writerSleeping_{false};
    std::mutex consumer_;
    std::atomic<bool> stopping_{false};
    std::int64_t frequency_ = 0;
    double offset_ = 0.0;
    std::thread writer_;
};

void TraceRingDeleter::operator()(TraceRing* ring) const {
    TraceRing* expected = ring;
    g_active.compare_exchange_strong(expected, nullptr);
    while (g_producers.load() != 0) {
        std::this_thread::yield();
    }
    delete ring;
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

void TraceEnqueue(const char16_t* text, bool timestamped) {
    if (text == nullptr || g_active.load(std::memory_order_relaxed) == nullptr) {
        return;
    }
    g_producers.fetch_add(1);
    if (TraceRing* ring = g_active.load(); ring != nullptr) {
        std::size_t units = 0;
        while (units < kTraceTextUnits && text[units] != u'\0') {
            ++units;
        }
        ring->Enqueue(text, units, timestamped);
    }
    g_producers.fetch_sub(1);
}
