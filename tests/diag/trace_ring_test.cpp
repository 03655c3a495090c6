#include "diag/trace/trace_ring.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

}  // namespace
