#include "state/cache_file_list.h"

bool CacheFileList::Add(std::u16string_view folder, std::u16string_view name, std::uint64_t size,
                        std::uint64_t lastWrite) {
    // The full path is folder, "\" unless folder ends in one, and name.
    const bool separate = folder.empty() || folder.back() != u'\\';
    const std::size_t fullLength = folder.size() + (separate ? 1 : 0) + name.size();
    if (fullLength >= kRecordPathUnits || folder.size() < base_.size()) {
        return false;
    }
    const std::size_t start = text_.size();
    text_ += folder.substr(base_.size());
    if (separate) {
        text_ += u'\\';
    }
    text_ += name;
    const std::u16string_view below = std::u16string_view(text_).substr(start);

    std::u16string_view relative = below;
    while (!relative.empty() && relative.front() == u'\\') {
        relative.remove_prefix(1);
    }
    // Only the file name's extension goes; a dot in a folder name stays, so
    // the folder part keeps naming the device.
    const std::size_t dot = relative.rfind(u'.');
    const std::size_t slash = relative.rfind(u'\\');
    if (dot != std::u16string_view::npos && (slash == std::u16string_view::npos || dot > slash)) {
        relative = relative.substr(0, dot);
    }
    files_.push_back({size, lastWrite, start, static_cast<std::uint16_t>(below.size()),
                      static_cast<std::uint16_t>(relative.data() - below.data()),
                      static_cast<std::uint16_t>(relative.size())});
    return true;
}

std::u16string_view CacheFileList::RelativePath(std::size_t i) const {
    const File& file = files_[i];
    return std::u16string_view(text_).substr(file.start + file.relativeOffset, file.relativeLength);
}

std::u16string CacheFileList::FullPath(std::size_t i) const {
    const File& file = files_[i];
    std::u16string path;
    path.reserve(base_.size() + file.length);
    path = base_;
    path += std::u16string_view(text_).substr(file.start, file.length);
    return path;
}
