// The producer's cost of one trace line, with 1, 2 and 4 producing threads
// while the writer drains to a file, against spdlog's asynchronous logger
// (queue of 4096, overrun-oldest: its non-blocking policy) logging the same
// lines. Goal: a TracePrint call no slower than spdlog's.
#include <fcntl.h>
#include <unistd.h>

#include <memory>

#include <benchmark/benchmark.h>
#include <spdlog/async.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>

#include "diag/trace/trace.h"
#include "diag/trace/trace_ring.h"

namespace {

// The log file without a cross-process lock: natively there is one process.
class FileOutput final : public TraceOutput {
  public:
    explicit FileOutput(const char* path) : fd_(open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644)) {}
    ~FileOutput() override { close(fd_); }
    LockResult Lock(std::chrono::milliseconds) override { return LockResult::NoLock; }
    void Unlock() override {}
    void AppendAtEnd(const char* bytes, std::size_t count) override {
        benchmark::DoNotOptimize(write(fd_, bytes, count));
    }

  private:
    int fd_;
};

TraceRingPtr g_ring;
std::shared_ptr<spdlog::logger> g_spdlog;

void BM_TracePrint(benchmark::State& state) {
    if (state.thread_index() == 0) {
        g_ring = TraceInit(std::make_unique<FileOutput>("/tmp/camfolio-bench-trace.log"));
    }
    int line = 0;
    for (auto _ : state) {
        TracePrint(u"C10@CCache::Global_AdjustCacheContentToFit: ", u"nCnt=%d, name=%s", ++line,
                   u"DSC_0057.JPG");
    }
    if (state.thread_index() == 0) {
        g_ring.reset();
    }
}

void BM_SpdlogAsync(benchmark::State& state) {
    if (state.thread_index() == 0) {
        spdlog::init_thread_pool(4096, 1);
        auto sink = std::make_shared<spdlog::sinks::basic_file_sink_mt>(
            "/tmp/camfolio-bench-spdlog.log", true);
        g_spdlog = std::make_shared<spdlog::async_logger>(
            "bench", sink, spdlog::thread_pool(), spdlog::async_overflow_policy::overrun_oldest);
        g_spdlog->set_pattern("0x%016X, %Y-%m-%d %H:%M:%S.%f [PID=0x%P;TID=0x%t]: %v");
    }
    int line = 0;
    for (auto _ : state) {
        g_spdlog->info("C10@CCache::Global_AdjustCacheContentToFit: nCnt={}, name={}", ++line,
                       "DSC_0057.JPG");
    }
    if (state.thread_index() == 0) {
        g_spdlog.reset();
        spdlog::shutdown();
    }
}

}  // namespace

BENCHMARK(BM_SpdlogAsync)->Threads(1)->Threads(2)->Threads(4)->UseRealTime();
BENCHMARK(BM_TracePrint)->Threads(1)->Threads(2)->Threads(4)->UseRealTime();
