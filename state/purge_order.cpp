#include "state/purge_order.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::size_t kNoGroup = static_cast<std::size_t>(-1);

std::u16string_view GroupName(std::u16string_view relativePath) {
    return relativePath.substr(0, relativePath.find(u'\\'));
}

char16_t Upper(char16_t unit) {
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// Folder names are compared as Windows does, without regard to case; device
// folder names are ASCII.
bool SameGroup(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

std::u16string GroupKey(std::u16string_view name) {
    std::u16string key(name);
    std::transform(key.begin(), key.end(), key.begin(), Upper);
    return key;
}

// The newest file of each group: the one sorted last, i.e. with the greatest
// (time, index). Files come folder by folder, so a file's group is mostly
// its predecessor's and the table is consulted once a run.
std::vector<bool> NewestOfEachGroup(std::span<const PurgeCandidate> files) {
    std::vector<bool> newest(files.size(), false);
    std::unordered_map<std::u16string, std::size_t> groups;  // group key -> index of newest
    std::u16string_view runName;
    std::size_t* runNewest = nullptr;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::u16string_view path = files[i].relativePath;
        if (path.find(u'\\') == std::u16string_view::npos) {
            continue;
        }
        const std::u16string_view name = GroupName(path);
        if (runNewest == nullptr || !SameGroup(name, runName)) {
            runName = name;
            runNewest = &groups.try_emplace(GroupKey(name), kNoGroup).first->second;
        }
        // Indices rise, so an equal time makes the later file the newer one.
        if (*runNewest == kNoGroup || files[i].lastWrite >= files[*runNewest].lastWrite) {
            *runNewest = i;
        }
    }
    for (const auto& [key, index] : groups) {
        newest[index] = true;
    }
    return newest;
}

}  // namespace

std::vector<std::size_t> PurgeOrder(std::span<const PurgeCandidate> files) {
    // Sorted as (time, index) pairs: small contiguous keys, and no two alike,
    // so the order does not depend on how the sort treats equal keys.
    std::vector<std::pair<std::uint64_t, std::size_t>> byAge;
    byAge.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        byAge.emplace_back(files[i].lastWrite, i);
    }
    std::sort(byAge.begin(), byAge.end());

    const std::vector<bool> kept = NewestOfEachGroup(files);
    std::vector<std::size_t> order;
    order.reserve(files.size());
    for (const auto& [time, index] : byAge) {
        if (!kept[index]) {
            order.push_back(index);
        }
    }
    return order;
}
