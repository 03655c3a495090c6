// The oldest-file purge's listing and choice (CCache::PlanPurgeActive) over a
// cache of 100,000 small files in 50 device folders, against a bare walk of
// the same tree by the same process. Goal: within 1.2 times the walk. The
// measuring of the device folders (Global_BuildCache) is timed the same way,
// and what the purge's list of files costs at its peak is read from the counting
// operator new of this program.
//
// Runs are interleaved (the order alternates between repetitions) after one
// warm-up run of each, so that a slow phase of the machine or a cold file
// cache weighs on all of them alike; medians are reported, the ratio as the
// median of the repetitions' ratios. Tracing is off, as it is unless logging
// is enabled.
//
// Usage: camfolio_purge_bench [repetitions]
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/allocation_meter.h"
#include "bench/bare_walk_win32.h"
#include "bench/cache_tree_win32.h"
#include "bench/race.h"
#include "bench/stopwatch_win32.h"
#include "diag/text/bounded_format.h"
#include "state/cache_win32.h"
#include "state/shared_block_layout.h"
#include "state/super_globals_win32.h"

namespace {

constexpr int kDevices = 50;
constexpr int kFilesPerDevice = 2000;
constexpr int kDefaultRepetitions = 15;
constexpr double kGoal = 1.2;

template <typename... Args>
void Print(const char* format, const Args&... args) {
    char line[256];
    FormatBoundedArgs(line, std::size(line), format, args...);
    std::fputs(line, stdout);
    std::fflush(stdout);
}

struct MemoryUse {
    std::size_t peak = 0;  // at the busiest moment of the run
    std::size_t kept = 0;  // what the run's result still holds afterwards
};

template <typename Run>
MemoryUse Measure(Run run) {
    const std::size_t before = allocation_meter::Held();
    allocation_meter::ResetPeak();
    MemoryUse use;
    {
        [[maybe_unused]] const auto result = run();
        use.kept = allocation_meter::Held() - before;
    }
    use.peak = allocation_meter::Peak() - before;
    return use;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRepetitions;

    Print("Building a cache of %d files in %d device folders...\n", kDevices * kFilesPerDevice,
          kDevices);
    CacheTree tree;
    {
        const Stopwatch watch;
        if (!tree.Build(kDevices, kFilesPerDevice)) {
            Print("Could not build the cache folder (error %lu)\n", GetLastError());
            return 1;
        }
        Print("Built %I64u files, %I64u bytes, in %.0f ms\n", tree.Files(), tree.Bytes(),
              watch.Milliseconds());
    }

    // Not attached to a shared block: the listing, the choice and the
    // measuring need none, and no connected device changes what they do.
    CSuperGlobals globals;
    CCache cache(tree.Folder(), globals);
    std::array<shared_block::CacheFolderEntry, shared_block::kCacheFolders> table;
    const auto measureDevices = [&] {
        for (shared_block::CacheFolderEntry& entry : table) {
            shared_block::ResetCacheFolder(entry);
        }
        cache.Global_BuildCache(table.data(), 0);
        std::uint64_t measured = 0;
        for (const shared_block::CacheFolderEntry& entry : table) {
            measured += entry.size;
        }
        return measured;
    };

    // The warm-up run doubles as the check that every contender saw the
    // whole tree and that each device keeps its newest file.
    {
        const WalkTally walked = BareWalk(tree.Folder());
        const PurgePlan plan = cache.PlanPurgeActive();
        const std::uint64_t measured = measureDevices();
        const std::uint64_t kept = plan.files.Count() - plan.order.size();
        if (walked.files != tree.Files() || plan.files.Count() != tree.Files() ||
            kept != static_cast<std::uint64_t>(kDevices) || measured != tree.Bytes()) {
            Print(
                "The runs disagree: walk %I64u files, plan %I64u files with %I64u kept, "
                "measured %I64u bytes\n",
                walked.files, static_cast<std::uint64_t>(plan.files.Count()), kept, measured);
            return 1;
        }
    }

    std::vector<Contender> contenders{
        {"bare walk (FindFirstFileW/FindNextFileW)", [&] { BareWalk(tree.Folder()); }, {}},
        {"PlanPurgeActive (list and choose)", [&] { cache.PlanPurgeActive(); }, {}},
        {"Global_BuildCache (measure devices)", [&] { measureDevices(); }, {}},
    };
    Print("%d repetitions, interleaved, after one warm-up run of each\n", repetitions);
    Race(contenders, repetitions);

    const Contender& walk = contenders[0];
    Print("%-42s %10s %10s %8s\n", "", "median ms", "min ms", "ratio");
    for (const Contender& contender : contenders) {
        Print("%-42s %10.1f %10.1f %8.3f\n", contender.name, Median(contender.milliseconds),
              *std::min_element(contender.milliseconds.begin(), contender.milliseconds.end()),
              MedianRatio(contender, walk));
    }
    const double ratio = MedianRatio(contenders[1], walk);
    Print("Goal: PlanPurgeActive within %.1fx the bare walk: %s (%.3fx)\n", kGoal,
          ratio <= kGoal ? "met" : "MISSED", ratio);

    const MemoryUse walkMemory = Measure([&] { return BareWalk(tree.Folder()); });
    const MemoryUse planMemory = Measure([&] { return cache.PlanPurgeActive(); });
    const auto files = static_cast<double>(tree.Files());
    Print("Peak memory, bare walk: %I64u bytes\n", static_cast<std::uint64_t>(walkMemory.peak));
    Print(
        "Peak memory, PlanPurgeActive: %I64u bytes (%.0f a file); the plan holds %I64u bytes "
        "(%.0f a file)\n",
        static_cast<std::uint64_t>(planMemory.peak), static_cast<double>(planMemory.peak) / files,
        static_cast<std::uint64_t>(planMemory.kept), static_cast<double>(planMemory.kept) / files);
    Print("Removing the cache folder...\n");
    return 0;
}
