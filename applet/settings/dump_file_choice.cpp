#include "applet/settings/dump_file_choice.h"

std::optional<std::u16string> DumpFileFilters(std::u16string_view logLabel,
                                              std::u16string_view allLabel, std::size_t capacity) {
    std::u16string list;
    const auto add = [&list](std::u16string_view label, std::u16string_view suffix,
                             std::u16string_view pattern) {
        list.append(label).append(suffix).push_back(u'\0');
        list.append(pattern).push_back(u'\0');
    };
    add(logLabel, u" (*.log)", u"*.log");
    add(allLabel, u" (*.*)", u"*.*");
    list.push_back(u'\0');
    if (list.size() > capacity) {
        return std::nullopt;
    }
    return list;
}

std::u16string DumpInitialFolder(std::u16string_view cacheFolder) {
    std::u16string_view path = cacheFolder;
    // A trailing separator ends no component of its own.
    while (path.size() > 1 && path.ends_with(u'\\')) {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos) {
        return {};
    }
    const bool driveRoot = slash == 2 && path[1] == u':';
    return std::u16string(path.substr(0, driveRoot ? slash + 1 : slash));
}
