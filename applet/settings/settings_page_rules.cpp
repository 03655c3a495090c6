#include "applet/settings/settings_page_rules.h"

#include <algorithm>

#include "config/mapper_contract.h"
#include "diag/text/text_units.h"

namespace {

constexpr std::u16string_view kCacheFolder = u"Camfolio\\CAMFOLIO_CACHE";
constexpr std::u16string_view kProductFolder = u"Camfolio";

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(a, b,
                              [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

// Where folder begins when it is the last folder name (or names) of path,
// npos otherwise.
std::size_t TrailingFolder(std::u16string_view path, std::u16string_view folder) {
    if (path.size() <= folder.size()) {
        return std::u16string_view::npos;
    }
    const std::size_t start = path.size() - folder.size();
    return path[start - 1] == u'\\' && EqualNoCase(path.substr(start), folder)
               ? start
               : std::u16string_view::npos;
}

}  // namespace

std::u16string CleanPickedCacheRoot(std::u16string_view picked) {
    std::u16string path(picked);
    for (;;) {
        // A cut leaves the separator before it; look past it for the next one.
        std::u16string_view rest = path;
        if (rest.ends_with(u'\\')) {
            rest.remove_suffix(1);
        }
        std::size_t cut = TrailingFolder(rest, kCacheFolder);
        if (cut == std::u16string_view::npos) {
            cut = TrailingFolder(rest, kProductFolder);
        }
        if (cut == std::u16string_view::npos) {
            break;
        }
        path.resize(cut);
    }
    constexpr std::size_t kDriveRootLength = 3;
    if (path.size() != kDriveRootLength && path.ends_with(u'\\')) {
        path.pop_back();
    }
    return path;
}

std::size_t SelectedLanguageEntry(const std::vector<std::optional<std::u16string>>& entries,
                                  std::u16string_view stored) {
    std::size_t selected = 0;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const auto& path = entries[index];
        if (path ? EqualNoCase(*path, stored) : stored.empty()) {
            selected = index;
        }
    }
    return selected;
}

std::u16string_view LanguageFileName(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

int CacheSizeFromText(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || (text[at] >= u'\t' && text[at] <= u'\r'))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
        // Past the largest size the value only has to stay out of range.
        value = std::min<long long>(value * 10 + (text[at] - u'0'), contract::kMaxCacheSizeMiB + 1);
    }
    return static_cast<int>(negative ? -value : value);
}
