#include "bench/bare_walk_win32.h"

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "common/paths/folder_listing_win32.h"
#include "common/win32/wide_win32.h"

namespace {

// One path buffer for the whole walk: each level appends its name and cuts
// it off again, so the baseline allocates nothing.
class Walker {
  public:
    WalkTally Run(std::u16string_view folder) {
        if (Append(folder)) {
            Walk();
        }
        return tally_;
    }

  private:
    bool Append(std::u16string_view part) {
        if (length_ + part.size() >= std::size(path_)) {
            return false;
        }
        length_ += part.copy(path_ + length_, part.size());
        path_[length_] = u'\0';
        return true;
    }

    void Walk() {
        const std::size_t folderLength = length_;
        if (!Append(u"\\*")) {
            return;
        }
        WIN32_FIND_DATAW entry;
        const FindHandle find(FindFirstFileW(AsWide(path_), &entry));
        length_ = folderLength;
        if (!find.IsValid()) {
            return;
        }
        do {
            if (IsDotEntry(entry.cFileName)) {
                continue;
            }
            if (!IsFolder(entry)) {
                ++tally_.files;
                tally_.bytes +=
                    (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            } else if (!IsLink(entry) && Append(u"\\") && Append(AsU16(entry.cFileName))) {
                Walk();
            }
            length_ = folderLength;
        } while (FindNextFileW(find.Get(), &entry));
    }

    char16_t path_[1024] = {};
    std::size_t length_ = 0;
    WalkTally tally_;
};

}  // namespace

WalkTally BareWalk(const char16_t* folder) {
    Walker walker;
    return walker.Run(folder);
}
