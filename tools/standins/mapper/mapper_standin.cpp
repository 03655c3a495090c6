// Stand-in for the mapper program. It carries the product's version and
// icon, and, for tests, behaves as the mapper does towards the shared block:
// it attaches with the same layout, publishes device mappings and cache
// folder entries, writes trace lines into the shared log and stays attached
// until told to go.
//
//   Camfolio.exe [--device LETTER] [--cache NAME:DRIVEINDEX:BYTES]...
//                [--trace TEXT]... [--trace-lines N] [--ready EVENT] [--until EVENT]
#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/ownership_win32.h"
#include "common/win32/wide_win32.h"
#include "config/mapper_contract.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "diag/trace/trace_output_win32.h"
#include "diag/trace/trace_ring.h"
#include "state/shared_block_layout.h"
#include "state/shared_handle_win32.h"

namespace {

struct Options {
    std::vector<char16_t> devices;
    struct Cache {
        std::u16string name;
        std::int32_t driveIndex;
        std::uint64_t size;
    };
    std::vector<Cache> caches;
    std::vector<std::u16string> traces;
    int numberedLines = 0;  // "mapper-line-0" ... written after the traces
    std::u16string ready;
    std::u16string until;
};

bool ParseCache(const std::u16string& text, Options::Cache& cache) {
    const std::size_t first = text.find(u':');
    const std::size_t second = text.find(u':', first + 1);
    if (first == std::u16string::npos || second == std::u16string::npos) {
        return false;
    }
    cache.name = text.substr(0, first);
    const std::u16string drive = text.substr(first + 1, second - first - 1);
    const std::u16string size = text.substr(second + 1);
    wchar_t* end = nullptr;
    cache.driveIndex = static_cast<std::int32_t>(std::wcstol(AsWide(drive.c_str()), &end, 10));
    if (drive.empty() || *end != L'\0') {
        return false;
    }
    cache.size = std::wcstoull(AsWide(size.c_str()), &end, 10);
    return !size.empty() && *end == L'\0';
}

bool Parse(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::u16string option = AsU16(argv[i]);
        const std::u16string value = AsU16(argv[i + 1]);
        Options::Cache cache;
        if (option == u"--device" && !value.empty()) {
            options.devices.push_back(value[0]);
        } else if (option == u"--cache" && ParseCache(value, cache)) {
            options.caches.push_back(cache);
        } else if (option == u"--trace") {
            options.traces.push_back(value);
        } else if (option == u"--trace-lines") {
            options.numberedLines = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        } else if (option == u"--ready") {
            options.ready = value;
        } else if (option == u"--until") {
            options.until = value;
        } else {
            return false;
        }
    }
    return (argc - 1) % 2 == 0;
}

void Publish(shared_block::Block& block, const Options& options) {
    for (char16_t letter : options.devices) {
        const int index = (letter | 0x20) - u'a';
        if (index >= 0 && index < shared_block::kDevices) {
            WcsCpy(block.devices[index].mapping, std::size(block.devices[index].mapping),
                   u"standin");
        }
    }
    for (const Options::Cache& cache : options.caches) {
        for (shared_block::CacheFolderEntry& entry : block.cacheFolders) {
            if (entry.name[0] == u'\0' || cache.name == entry.name) {
                WcsCpy(entry.name, std::size(entry.name), cache.name.c_str());
                entry.driveIndex = cache.driveIndex;
                entry.size = cache.size;
                break;
            }
        }
    }
}

int Run(const Options& options) {
    UniqueHandle mapping(
        OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, AsWide(contract::kSharedBlockName)));
    if (!mapping.IsValid()) {
        return 3;  // the stand-in only ever joins a block the applet made
    }
    auto* block = static_cast<shared_block::Block*>(
        MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, contract::kSharedBlockSize));
    if (block == nullptr || block->magic != shared_block::kBlockMagic) {
        return 4;
    }
    std::atomic_ref<std::int32_t>(block->attachCount).fetch_add(1);
    CSharedHandle fileTable(block->logFile);
    CSharedHandle mutexTable(block->logMutex);
    UniqueHandle logMutex(mutexTable.Duplicate());
    UniqueHandle logFile(fileTable.Duplicate());
    TraceRingPtr trace =
        TraceInit(std::make_unique<Win32TraceOutput>(logFile.Get(), logMutex.Get()));
    Publish(*block, options);
    for (const std::u16string& text : options.traces) {
        TracePrint(u"M1@MapperStandIn: ", u"%s", text.c_str());
    }
    for (int i = 0; i < options.numberedLines; ++i) {
        TracePrint(u"M1@MapperStandIn: ", u"mapper-line-%d", i);
    }
    if (!options.ready.empty()) {
        UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, AsWide(options.ready.c_str())));
        SetEvent(ready.Get());
    }
    if (!options.until.empty()) {
        UniqueHandle until(OpenEventW(SYNCHRONIZE, FALSE, AsWide(options.until.c_str())));
        WaitForSingleObject(until.Get(), 60000);
    }
    TraceDeInit(std::move(trace));
    fileTable.Remove(logFile.Get());
    mutexTable.Remove(logMutex.Get());
    std::atomic_ref<std::int32_t>(block->attachCount).fetch_sub(1);
    UnmapViewOfFile(block);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    struct ArgvFree {
        void operator()(wchar_t** argv) const { LocalFree(argv); }
    };
    const std::unique_ptr<wchar_t*, ArgvFree> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    Options options;
    if (argv == nullptr || !Parse(argc, argv.get(), options)) {
        return 2;
    }
    return argc > 1 ? Run(options) : 0;
}
