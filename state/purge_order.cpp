#include "state/purge_order.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

// Folder names are compared as Windows does, without regard to case; device
// folder names are ASCII.
std::u16string GroupKey(std::u16string_view relativePath) {
    std::u16string key(relativePath.substr(0, relativePath.find(u'\\')));
    for (char16_t& unit : key) {
        if (unit >= u'a' && unit <= u'z') {
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        }
    }
    return key;
}

}  // namespace

std::vector<std::size_t> PurgeOrder(std::span<const PurgeCandidate> files) {
    // Heap sort on (time, index): the keys stay small and contiguous however
    // large the records are.
    std::vector<std::pair<std::uint64_t, std::size_t>> byAge;
    byAge.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        byAge.emplace_back(files[i].lastWrite, i);
    }
    std::make_heap(byAge.begin(), byAge.end());
    std::sort_heap(byAge.begin(), byAge.end());

    std::unordered_map<std::u16string, std::size_t> newestOfGroup;
    for (std::size_t position = 0; position < byAge.size(); ++position) {
        const std::u16string_view path = files[byAge[position].second].relativePath;
        if (path.find(u'\\') != std::u16string_view::npos) {
            newestOfGroup[GroupKey(path)] = position;
        }
    }
    std::vector<bool> kept(byAge.size(), false);
    for (const auto& [group, position] : newestOfGroup) {
        kept[position] = true;
    }

    std::vector<std::size_t> order;
    order.reserve(byAge.size() - newestOfGroup.size());
    for (std::size_t position = 0; position < byAge.size(); ++position) {
        if (!kept[position]) {
            order.push_back(byAge[position].second);
        }
    }
    return order;
}
