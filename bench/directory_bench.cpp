// A camera card's listing: 50,000 pictures added through CDirectory::AddFile
// with typical names, paths and suffixes. Reports the time and the peak heap
// bytes per item beside the size of the fixed-buffer record the item
// replaces; the goal is at most 1 KB per item.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/allocation_meter.h"
#include "state/directory/directory.h"

namespace {

constexpr int kPictures = 50000;
constexpr int kPerFolder = 9999;

// The record with every text in a fixed buffer: find data, then paths,
// name, caller strings, label and suffix, and a children list whose 20
// slots are allocated with it.
struct FindDataW {
    std::uint32_t attributes;
    std::uint32_t times[6];
    std::uint32_t sizeHigh;
    std::uint32_t sizeLow;
    std::uint32_t reserved[2];
    char16_t fileName[260];
    char16_t alternateName[14];
};
struct PointerArray {
    std::int32_t count;
    std::int32_t capacity;
    void** items;
};
struct DescribedItem {
    std::uint64_t leading;
    FindDataW findData;
    char16_t fullPath[520];
    char16_t shortPath[260];
    char16_t name[260];
    std::uint32_t nameChecksum;
    PointerArray children;
    void* owner;
    char16_t strings[3][100];
    char16_t label[520];
    std::uint32_t labelChecksum;
    char16_t suffix[260];
    void* extra;
    void* data;
    std::uint32_t dataLength;
};
// The item, its 20 empty child slots and its slot in the directory's list.
constexpr std::size_t kDescribedBytesPerItem =
    sizeof(DescribedItem) + 20 * sizeof(void*) + sizeof(void*);

struct Picture {
    std::u16string name;
    std::u16string path;
    const char16_t* extension;
    const char16_t* suffix;
    std::uint64_t time;
};

std::vector<Picture> CardPictures() {
    std::vector<Picture> pictures;
    pictures.reserve(kPictures);
    for (int i = 0; i < kPictures; ++i) {
        std::u16string number = u"0000";
        for (int n = i % kPerFolder + 1, d = 3; d >= 0; --d, n /= 10) {
            number[static_cast<std::size_t>(d)] = static_cast<char16_t>(u'0' + n % 10);
        }
        const std::u16string folder =
            u"\\DCIM\\" + std::u16string(1, u'1') +
            std::u16string(1, static_cast<char16_t>(u'0' + i / kPerFolder)) + u"0CANON\\";
        const bool raw = i % 4 == 3;
        Picture picture;
        picture.name = u"IMG_" + number;
        picture.extension = raw ? u"CR2" : u"JPG";
        picture.path = folder + picture.name + u"." + picture.extension;
        picture.suffix = i % 2 == 0 ? u"_A" : nullptr;
        picture.time = 129177637890000000ULL + static_cast<std::uint64_t>(i) * 20000000ULL;
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

void BM_AddFile(benchmark::State& state) {
    const std::vector<Picture> pictures = CardPictures();
    std::size_t peakPerItem = 0;
    for (auto _ : state) {
        const std::size_t before = allocation_meter::Held();
        allocation_meter::ResetPeak();
        {
            CDirectory directory;
            directory.Init(u"C:\\Cache\\Camera");
            for (const Picture& picture : pictures) {
                directory.AddFile(picture.name.c_str(), picture.path.c_str(), picture.extension,
                                  4000000, &picture.time, nullptr, nullptr, 0, picture.suffix,
                                  0x20);
            }
            benchmark::DoNotOptimize(directory.Items().data());
            peakPerItem = (allocation_meter::Peak() - before) / kPictures;
        }
    }
    state.counters["time_per_item"] = benchmark::Counter(
        kPictures, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_bytes_per_item"] = static_cast<double>(peakPerItem);
    state.counters["described_record_bytes"] = static_cast<double>(kDescribedBytesPerItem);
    state.counters["item_object_bytes"] = static_cast<double>(sizeof(DirectoryItem));
}

BENCHMARK(BM_AddFile)->Unit(benchmark::kMillisecond);

}  // namespace
