#include "diag/trace/trace_ring.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "diag/trace/trace.h"
#include "tests/support/trace_capture.h"

namespace {

using ::testing::ElementsAre;

const std::regex kWholeLine(
    R"(0x[0-9A-F]{16}, \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{6} \[PID=0x[0-9A-F]{8};TID=0x[0-9A-F]{8}\]: (##\d+## )?[^\r\n]*\r\n)");

void ProduceLines(int producer, int count) {
    for (int i = 0; i < count; ++i) {
        TracePrint(u"X1@Stress: ", u"producer=%d line=%d", producer, i);
    }
}

// Parses "producer=P line=N" back out of a traced text.
std::pair<int, int> LineId(const std::string& line) {
    int producer = -1;
    int number = -1;
    const std::size_t at = line.find("producer=");
    if (at != std::string::npos) {
        std::sscanf(line.c_str() + at, "producer=%d line=%d", &producer, &number);
    }
    return {producer, number};
}

// A producer held between claiming its slot and filling it, as one that
// TerminateThread ended there stays for good.
class StuckProducer {
  public:
    StuckProducer() {
        holding_ = false;
        stuck_ = false;
        released_ = false;
        TraceSetClaimedHook(&HoldTheFirst);
        thread_ = std::thread([] { TracePrint(u"X1@Stuck: ", u"never written"); });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!stuck_.load() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        TraceSetClaimedHook(nullptr);
        EXPECT_TRUE(stuck_.load()) << "the producer never claimed its slot";
    }
    ~StuckProducer() { Release(); }
    StuckProducer(const StuckProducer&) = delete;
    StuckProducer& operator=(const StuckProducer&) = delete;

    // Lets it fill its slot at last and end.
    void Release() {
        released_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }

  private:
    static void HoldTheFirst() {
        if (holding_.exchange(true)) {
            return;
        }
        stuck_ = true;
        while (!released_.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    static inline std::atomic<bool> holding_{false};
    static inline std::atomic<bool> stuck_{false};
    static inline std::atomic<bool> released_{false};
    std::thread thread_;
};

bool WaitUntilWritten(TraceCapture& trace, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (trace.Written().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Lines numbered from first on, in batches the ring holds, each written
// before the next starts.
void ProducePaced(TraceCapture& trace, int first, int count) {
    constexpr int kBatch = 3000;
    for (int start = first; start < first + count; start += kBatch) {
        const int end = std::min(start + kBatch, first + count);
        for (int i = start; i < end; ++i) {
            TracePrint(u"X2@After: ", u"producer=0 line=%d", i);
        }
        ASSERT_TRUE(WaitUntilWritten(trace, "line=" + std::to_string(end - 1) + "\r\n"));
    }
}

// Every line numbered 0 ... count - 1 written once, in order, and nothing of
// the stuck producer.
void ExpectAllAfterLines(const std::vector<std::string>& texts, int count) {
    int expected = 0;
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("never written"), std::string::npos);
        if (LineId(text).second == expected) {
            ++expected;
        }
    }
    EXPECT_EQ(expected, count);
    EXPECT_EQ(static_cast<int>(texts.size()), count);
}

TEST(TraceRing, NothingIsTracedWhileTheFacilityIsOff) {
    EXPECT_FALSE(TraceIsOn());
    TracePrint(u"X1@Off: ", u"%d", 1);
    TraceCapture trace;
    EXPECT_TRUE(TraceIsOn());
    TracePrint(u"X2@On: ", u"n=%d", 2);
    EXPECT_THAT(trace.Texts(), ElementsAre("X2@On: n=2"));
    EXPECT_FALSE(TraceIsOn());
    TracePrint(u"X3@After: ");
}

TEST(TraceRing, OnlyOneRingPerProcess) {
    TraceCapture trace;
    MemoryTraceOutput::Shared other;
    EXPECT_EQ(TraceInit(std::make_unique<MemoryTraceOutput>(other)), nullptr);
}

TEST(TraceRing, KindWordsFollowTheTag) {
    TraceCapture trace;
    TraceEnter(u"Q1@Registry_Get_CacheRoot: ");
    TraceLeave(u"Q1@Registry_Get_CacheRoot: ");
    TraceLeave(u"Q1@Registry_Get_CacheRoot: ", 2);
    TraceReturn(u"Q1@Registry_Get_CacheRoot: ", 0x80070005u, u"E_ACCESSDENIED");
    TraceReturn(u"Q1@Registry_Get_CacheRoot: ", 1, 0u, u"S_OK");
    EXPECT_THAT(trace.Texts(), ElementsAre("Q1@Registry_Get_CacheRoot: ENTER ",
                                           "Q1@Registry_Get_CacheRoot: LEAVE ",
                                           "Q1@Registry_Get_CacheRoot: LEAVE[2] ",
                                           "Q1@Registry_Get_CacheRoot: RETURN: RC=0x80070005 "
                                           "(E_ACCESSDENIED)",
                                           "Q1@Registry_Get_CacheRoot: RETURN[1]: RC=0x00000000 "
                                           "(S_OK)"));
}

TEST(TraceRing, LongMessageIsWrittenCut) {
    TraceCapture trace;
    const std::u16string message(600, u'm');
    TracePrint(u"X1@Long: ", u"%s", message.c_str());
    const std::vector<std::string> lines = trace.Finish();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(lines[0], kWholeLine));
    const std::string expectedEnd = std::string(5, 'm') + "...\r\n";
    EXPECT_EQ(lines[0].substr(lines[0].size() - expectedEnd.size()), expectedEnd);
    // The prefix and the cut text together are bounded to one line of 579 bytes.
    EXPECT_EQ(lines[0].size(), 579u);
}

TEST(TraceRing, FloodWhileTheWriterIsHeldKeeps4095WholeLines) {
    TraceCapture trace;
    trace.Block();
    std::vector<std::thread> producers;
    producers.reserve(4);
    for (int p = 0; p < 4; ++p) {
        producers.emplace_back(ProduceLines, p, 1250);
    }
    for (std::thread& t : producers) {
        t.join();
    }
    const std::vector<std::string> lines = trace.Finish();
    EXPECT_EQ(lines.size(), 4095u);
    std::set<std::pair<int, int>> seen;
    for (const std::string& line : lines) {
        ASSERT_TRUE(std::regex_match(line, kWholeLine)) << line;
        EXPECT_TRUE(seen.insert(LineId(line)).second) << "written twice: " << line;
    }
}

TEST(TraceRing, ProducersAgainstASlowedWriterLoseNothingButWhatDidNotFit) {
    TraceCapture trace;
    constexpr int kProducers = 4;
    constexpr int kLines = 6000;
    std::atomic<bool> done{false};
    // Holds the writer off in bursts, so the ring fills and drains repeatedly.
    std::thread slower([&] {
        while (!done.load()) {
            trace.Block();
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
            trace.Unblock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    std::vector<std::thread> producers;
    producers.reserve(kProducers);
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back(ProduceLines, p, kLines);
    }
    for (std::thread& t : producers) {
        t.join();
    }
    done = true;
    slower.join();
    // With the ring drained, a producer that does not outrun it loses nothing.
    trace.Drain();
    for (int i = 0; i < 200; ++i) {
        TracePrint(u"X1@Stress: ", u"producer=%d line=%d", kProducers, i);
    }

    std::vector<int> lastOf(kProducers + 1, -1);
    int pacedLines = 0;
    for (const std::string& line : trace.Finish()) {
        ASSERT_TRUE(std::regex_match(line, kWholeLine)) << line;
        const auto [producer, number] = LineId(line);
        ASSERT_GE(producer, 0) << line;
        ASSERT_LE(producer, kProducers) << line;
        // Each producer's lines come in order and at most once.
        EXPECT_GT(number, lastOf[producer]) << line;
        lastOf[producer] = number;
        pacedLines += producer == kProducers ? 1 : 0;
    }
    EXPECT_EQ(pacedLines, 200);
}

TEST(TraceRing, LinesAfterAStuckProducerComeOutLapAfterLapAndTheStopReturns) {
    TraceCapture trace;
    StuckProducer stuck;
    // Over two laps of the ring: its producers pass the given-up slot by.
    ProducePaced(trace, 0, 9000);
    const auto stopStart = std::chrono::steady_clock::now();
    const std::vector<std::string> texts = trace.Texts();
    EXPECT_LT(std::chrono::steady_clock::now() - stopStart, std::chrono::seconds(4));
    stuck.Release();
    ExpectAllAfterLines(texts, 9000);
}

TEST(TraceRing, ASlotFilledAfterItWasGivenUpServesAgain) {
    TraceCapture trace;
    StuckProducer stuck;
    ProducePaced(trace, 0, 1);
    // Too late for its line; the ring goes on whole.
    stuck.Release();
    ProducePaced(trace, 1, 12000);
    ExpectAllAfterLines(trace.Texts(), 12001);
}

TEST(TraceRing, StopRightAfterAStuckClaimStillWritesTheLinesBehindIt) {
    TraceCapture trace;
    StuckProducer stuck;
    TracePrint(u"X2@After: ", u"producer=0 line=%d", 0);
    const auto stopStart = std::chrono::steady_clock::now();
    const std::vector<std::string> texts = trace.Texts();
    EXPECT_LT(std::chrono::steady_clock::now() - stopStart, std::chrono::seconds(4));
    stuck.Release();
    ExpectAllAfterLines(texts, 1);
}

}  // namespace
