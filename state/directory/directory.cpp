#include "state/directory/directory.h"

#include <algorithm>
#include <new>

#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"
#include "state/directory/crc32.h"
#include "state/directory/directory_tags.h"
#include "state/directory/first_use_time.h"
#include "state/directory/item_label.h"
#include "state/directory/wildcard.h"
#include "wialib/names/result_name.h"

namespace {

constexpr std::int64_t kFileTimeTicksPerMinute = 600000000;
constexpr std::size_t kFirstListRoom = 20;

std::u16string_view ViewOf(const char16_t* text) {
    return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

// A negative offset never takes a time before the calendar's start.
std::uint64_t Shifted(std::uint64_t fileTime, std::int32_t minutes) {
    const std::int64_t delta = minutes * kFileTimeTicksPerMinute;
    if (delta < 0 && fileTime < static_cast<std::uint64_t>(-delta)) {
        return 0;
    }
    return fileTime + static_cast<std::uint64_t>(delta);
}

std::u16string FileNameOf(std::u16string_view name, std::u16string_view extension) {
    std::u16string fileName(name);
    if (!extension.empty()) {
        fileName += u'.';
        fileName += extension;
    }
    return fileName;
}

}  // namespace

CDirectory::~CDirectory() {
    Cleanup(true);
}

void CDirectory::Init(const char16_t* root) {
    TraceEnter(kInitTag);
    Cleanup(false);
    if (root != nullptr) {
        SetRootDir(root);
    }
    AddPersistentDirectory(true, u"\\", 0, nullptr);
    TraceLeave(kInitTag);
}

void CDirectory::Cleanup(bool all) {
    TraceEnter(kCleanupTag);
    items_.clear();
    persistent_.clear();
    propertyNames_.clear();
    propertyValues_.clear();
    if (all) {
        exclusions_.clear();
    }
    total_ = 0;
    TraceLeave(kCleanupTag);
}

void CDirectory::SetRootDir(const char16_t* root) {
    TraceEnter(kSetRootDirTag);
    _TcsCpy(rootDir_, std::size(rootDir_), root != nullptr ? root : u"");
    TraceLeave(kSetRootDirTag);
}

const char16_t* CDirectory::GetRootDir() const {
    TraceEnter(kGetRootDirTag);
    TraceLeave(kGetRootDirTag);
    return rootDir_;
}

void CDirectory::SetFlags(int flags) {
    TraceEnter(kSetFlagsTag);
    flags_ = flags;
    TraceLeave(kSetFlagsTag);
}

int CDirectory::GetFlags() const {
    TraceEnter(kGetFlagsTag);
    TraceReturn(kGetFlagsTag, static_cast<std::uint32_t>(flags_),
                ResultName(static_cast<std::uint32_t>(flags_)));
    return flags_;
}

void CDirectory::AddExclusionPattern(std::u16string_view pattern) {
    exclusions_.emplace_back(pattern);
}

std::int64_t CDirectory::AddSize(std::int32_t delta) {
    TraceEnter(kAddSizeTag);
    total_ += delta;
    if (total_ < 0) {
        TracePrint(kAddSizeTag, u"Negative total size");
        total_ = 0;
    }
    TracePrint(kAddSizeTag, u"RETURN: %I64u", static_cast<std::uint64_t>(total_));
    return total_;
}

bool CDirectory::AddFile(const char16_t* name, const char16_t* path, const char16_t* extension,
                         std::uint32_t size, const std::uint64_t* fileTime, void* owner,
                         const char16_t* const* strings, int stringCount, const char16_t* suffix,
                         std::uint32_t attributes) {
    TraceEnter(kAddFileTag);
    ItemArgs args;
    args.name = name;
    args.path = path;
    args.extension = extension;
    args.attributes = attributes;
    args.size = size;
    args.fileTime = fileTime;
    args.owner = owner;
    args.strings = strings;
    args.stringCount = stringCount;
    args.suffix = suffix;
    const bool added = _AddItem(false, args, items_, nullptr);
    TraceReturn(kAddFileTag, added ? 1 : 0, ResultName(added ? 1 : 0));
    return added;
}

bool CDirectory::AddPersistentDirectory(bool atFront, const char16_t* path,
                                        std::uint32_t attributes, DirectoryItem** item) {
    TraceEnter(kAddPersistentDirectoryTag);
    const std::uint64_t firstUse = FirstUseFileTime();
    const std::u16string_view given = ViewOf(path);
    std::u16string_view name = given;
    if (given != u"\\") {
        const std::u16string_view bounded = given.substr(0, kPathUnits - 1);
        if (bounded.empty() || bounded.back() != u'\\') {
            TraceReturn(kAddPersistentDirectoryTag, 1, 0, ResultName(0));
            return false;
        }
        const std::u16string_view inner = bounded.substr(0, bounded.size() - 1);
        const std::size_t slash = inner.rfind(u'\\');
        name = slash == std::u16string_view::npos ? inner : inner.substr(slash + 1);
    }
    const std::u16string nameText(name);
    ItemArgs args;
    args.name = nameText.c_str();
    args.path = path;
    args.attributes = attributes | kDirectoryAttribute;
    args.fileTime = &firstUse;
    const bool added = _AddItem(atFront, args, persistent_, item);
    TraceReturn(kAddPersistentDirectoryTag, added ? 1 : 0, ResultName(added ? 1 : 0));
    return added;
}

bool CDirectory::IsExcluded(std::u16string_view extension) const {
    for (const std::u16string& pattern : exclusions_) {
        if (MatchesWildcard(pattern, extension)) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<DirectoryItem> CDirectory::MakeItem(const ItemArgs& args) const {
    const std::u16string_view name = ViewOf(args.name);
    const std::uint64_t time = args.fileTime != nullptr ? *args.fileTime : FirstUseFileTime();
    const std::u16string_view suffix = ViewOf(args.suffix);
    // The label keeps the name as its field holds it.
    const std::u16string label =
        ItemLabel(name.substr(0, ItemTextUnits(ItemText::Name) - 1), time, suffix);
    const std::u16string fileName = FileNameOf(name, ViewOf(args.extension));
    DirectoryItem::Texts texts{};
    texts[static_cast<std::size_t>(ItemText::Path)] = ViewOf(args.path);
    texts[static_cast<std::size_t>(ItemText::Name)] = name;
    texts[static_cast<std::size_t>(ItemText::FileName)] = fileName;
    texts[static_cast<std::size_t>(ItemText::Label)] = label;
    texts[static_cast<std::size_t>(ItemText::Suffix)] = suffix;
    if (args.stringCount == 3 && args.strings != nullptr) {
        for (std::size_t i = 0; i < 3; ++i) {
            texts[static_cast<std::size_t>(ItemText::String1) + i] = ViewOf(args.strings[i]);
        }
    }
    auto item = std::make_unique<DirectoryItem>(texts);
    item->nameChecksum = Crc32OfLowBytes(item->Name());
    item->labelChecksum = Crc32OfLowBytes(item->Label());

    ItemFindData& find = item->findData;
    find.attributes = args.attributes;
    find.creationTime = Shifted(time, timeOffsetMinutes_);
    find.lastWriteTime = find.creationTime;
    find.sizeLow = args.size == kUnknownFileSize ? 0 : args.size;
    item->owner = args.owner;
    if (args.data != nullptr && args.dataLength != 0) {
        const auto* bytes = static_cast<const std::uint8_t*>(args.data);
        try {
            item->data.assign(bytes, bytes + args.dataLength);
        } catch (const std::bad_alloc&) {
            // The item is kept without its data.
            item->data.clear();
        }
    }
    return item;
}

bool CDirectory::_AddItem(bool atFront, const ItemArgs& args, DirectoryItems& target,
                          DirectoryItem** item) {
    TraceEnter(kAddItemTag);
    // Patterns sort out files by extension; directories have none to match,
    // so that a pattern such as "*" cannot take the root "\" away.
    if (args.extension != nullptr && IsExcluded(args.extension)) {
        TraceReturn(kAddItemTag, 1, 0, ResultName(0));
        return false;
    }
    std::unique_ptr<DirectoryItem> made;
    try {
        made = MakeItem(args);
        // Room first, so that inserting below cannot fail with the item half-owned.
        if (target.size() == target.capacity()) {
            target.reserve(target.capacity() * 2 + kFirstListRoom);
        }
    } catch (const std::bad_alloc&) {
        TraceReturn(kAddItemTag, 2, 0, ResultName(0));
        return false;
    }
    const std::u16string_view label = made->Label();
    TracePrint(kAddItemTag, u"TS = %s",
               label.substr(std::min(label.size(), made->Name().size() + 1)));
    TracePrint(kAddItemTag, u"FN = %s", made->FileName());
    if (item != nullptr) {
        *item = made.get();
    }
    target.insert(atFront ? target.begin() : target.end(), std::move(made));
    TraceReturn(kAddItemTag, 1, ResultName(1));
    return true;
}
