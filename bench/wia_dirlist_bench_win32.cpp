// A camera's folder list (WiaLib_GetDirlist) of 20,000 pictures in two
// folders, read from the in-process WIA stand-in into a CDirectory, against
// adding the same 20,000 entries to a CDirectory directly. Reported per item:
// the time and the peak memory, each as a ratio to the baseline. Tracing is
// off, as it is unless logging is enabled.
//
// Usage: camfolio_wia_dirlist_bench [repetitions]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/allocation_meter.h"
#include "bench/race.h"
#include "diag/text/bounded_format.h"
#include "state/directory/directory.h"
#include "tools/standins/wia_camera/fake_wia_camera_win32.h"
#include "wialib/wia/wialib_win32.h"

namespace {

constexpr int kPicturesPerFolder = 10000;
constexpr int kDefaultRepetitions = 9;

template <typename... Args>
void Print(const char* format, const Args&... args) {
    char line[256];
    FormatBoundedArgs(line, std::size(line), format, args...);
    std::fputs(line, stdout);
    std::fflush(stdout);
}

struct Picture {
    std::u16string name;
    std::u16string path;
    std::u16string suffix;
};

// The entries the folder list makes, as plain data for the baseline.
std::vector<Picture> PicturesOf(FakeItem& root) {
    std::vector<Picture> pictures;
    for (const auto& folder : root.children[0]->children) {
        for (const auto& picture : folder->children) {
            pictures.push_back(
                {picture->Name(), picture->FullName(), u"\\DCIM\\" + folder->Name() + u"\\"});
        }
    }
    return pictures;
}

void AddDirectly(CDirectory& directory, const std::vector<Picture>& pictures) {
    directory.Cleanup(false);
    directory.Init(u"0000\\Root");
    const std::uint64_t time = 132683238050000000ULL;
    const char16_t* strings[3] = {u"Bench Camera", nullptr, nullptr};
    for (const Picture& picture : pictures) {
        directory.AddFile(picture.name.c_str(), picture.path.c_str(), u"JPG", 4, &time, nullptr,
                          strings, 3, picture.suffix.c_str(), 0);
    }
}

std::size_t PeakOf(void (*run)(void*), void* data) {
    const std::size_t before = allocation_meter::Held();
    allocation_meter::ResetPeak();
    run(data);
    return allocation_meter::Peak() - before;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRepetitions;
    FakeWia wia;
    FakeDevice& camera = AddCamera(wia, u"bench", u"Bench Camera", u"");
    FakeItem& dcim = camera.root->AddFolder(u"DCIM");
    AddPictures(dcim.AddFolder(u"100BENCH"), kPicturesPerFolder, 1);
    AddPictures(dcim.AddFolder(u"101BENCH"), kPicturesPerFolder, kPicturesPerFolder + 1);
    SetCurrentFakeWia(&wia);
    SetWiaDeviceManagerSource(CreateFakeWiaDeviceManager);
    const std::vector<Picture> pictures = PicturesOf(*camera.root);

    WiaLibContext* context = nullptr;
    if (FAILED(WiaLib_CreateContext(&context, 0, 1, nullptr))) {
        Print("No context\n");
        return 1;
    }
    struct Run {
        WiaLibContext* context;
        CDirectory directory;
        const std::vector<Picture>* pictures;
    };
    Run listed{context, {}, &pictures};
    Run direct{nullptr, {}, &pictures};
    const auto list = [](void* data) {
        auto* run = static_cast<Run*>(data);
        WiaLib_GetDirlist(run->context, u"bench", &run->directory, 1, 0, nullptr, 0);
    };
    const auto add = [](void* data) {
        auto* run = static_cast<Run*>(data);
        AddDirectly(run->directory, *run->pictures);
    };

    // The warm-up runs check that both made every entry.
    list(&listed);
    add(&direct);
    if (listed.directory.Items().size() != pictures.size() ||
        direct.directory.Items().size() != pictures.size()) {
        Print("The runs disagree: %I64u listed, %I64u added, %I64u pictures\n",
              static_cast<std::uint64_t>(listed.directory.Items().size()),
              static_cast<std::uint64_t>(direct.directory.Items().size()),
              static_cast<std::uint64_t>(pictures.size()));
        return 1;
    }

    std::vector<Contender> contenders{
        {"CDirectory::AddFile of 20,000 entries", [&] { add(&direct); }, {}},
        {"WiaLib_GetDirlist of 20,000 pictures", [&] { list(&listed); }, {}},
    };
    Print("%d repetitions, interleaved, after one warm-up run of each\n", repetitions);
    Race(contenders, repetitions);
    const double items = static_cast<double>(pictures.size());
    Print("%-40s %12s %8s\n", "", "us an item", "ratio");
    for (const Contender& contender : contenders) {
        Print("%-40s %12.2f %8.3f\n", contender.name,
              Median(contender.milliseconds) * 1000.0 / items,
              MedianRatio(contender, contenders[0]));
    }

    // Peak memory from an empty directory each: what one full listing costs.
    listed.directory.Cleanup(false);
    direct.directory.Cleanup(false);
    const std::size_t addPeak = PeakOf(add, &direct);
    const std::size_t listPeak = PeakOf(list, &listed);
    Print("Peak memory an item: AddFile %.0f bytes, GetDirlist %.0f bytes (ratio %.3f)\n",
          static_cast<double>(addPeak) / items, static_cast<double>(listPeak) / items,
          static_cast<double>(listPeak) / static_cast<double>(addPeak));
    listed.directory.Cleanup(true);
    WiaLib_DestroyContext(&context);
    SetWiaDeviceManagerSource(nullptr);
    SetCurrentFakeWia(nullptr);
    return 0;
}
