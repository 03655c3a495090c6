#pragma once
// The in-memory listing of one camera's storage: files in the order added,
// persistent directories with the root "\" first, the properties the WIA
// library reads, and a running byte total.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diag/text/text_units.h"
#include "state/directory/directory_item.h"

// A file whose size is not known.
inline constexpr std::uint32_t kUnknownFileSize = 0xFFFFFFFFU;
inline constexpr std::uint32_t kDirectoryAttribute = 0x10;

using DirectoryItems = std::vector<std::unique_ptr<DirectoryItem>>;

class CDirectory {
  public:
    CDirectory() = default;
    ~CDirectory();
    CDirectory(const CDirectory&) = delete;
    CDirectory& operator=(const CDirectory&) = delete;

    // Empties the listing (keeping the exclusion patterns), sets the root when
    // given and adds the persistent root "\".
    void Init(const char16_t* root);
    // With all, the exclusion patterns go too.
    void Cleanup(bool all);

    void SetRootDir(const char16_t* root);
    const char16_t* GetRootDir() const;
    void SetFlags(int flags);
    int GetFlags() const;
    // Minutes added to the time stamps of items added from now on.
    void SetTimeOffset(std::int32_t minutes) { timeOffsetMinutes_ = minutes; }
    // A file whose extension matches a pattern ("*", "?", case-blind) is not added.
    void AddExclusionPattern(std::u16string_view pattern);

    // Never below 0.
    std::int64_t AddSize(std::int32_t delta);

    // fileTime may be null (the first-use time stands for it); strings are
    // kept when stringCount is 3; suffix may be null.
    bool AddFile(const char16_t* name, const char16_t* path, const char16_t* extension,
                 std::uint32_t size, const std::uint64_t* fileTime, void* owner,
                 const char16_t* const* strings, int stringCount, const char16_t* suffix,
                 std::uint32_t attributes);
    // path is "\" or ends in "\"; the name is its last part.
    bool AddPersistentDirectory(bool atFront, const char16_t* path, std::uint32_t attributes,
                                DirectoryItem** item);

    struct ItemArgs {
        const char16_t* name = nullptr;
        const char16_t* path = nullptr;
        const char16_t* extension = nullptr;
        std::uint32_t attributes = 0;
        std::uint32_t size = 0;
        const std::uint64_t* fileTime = nullptr;
        void* owner = nullptr;
        const char16_t* const* strings = nullptr;
        int stringCount = 0;
        const char16_t* suffix = nullptr;
        const void* data = nullptr;
        std::uint32_t dataLength = 0;
    };
    bool _AddItem(bool atFront, const ItemArgs& args, DirectoryItems& target, DirectoryItem** item);

    const DirectoryItems& Items() const { return items_; }
    const DirectoryItems& PersistentDirectories() const { return persistent_; }
    std::int64_t Total() const { return total_; }
    // Filled by the WIA library with a device's property names and values.
    std::vector<std::u16string>& PropertyNames() { return propertyNames_; }
    std::vector<std::u16string>& PropertyValues() { return propertyValues_; }

  private:
    bool IsExcluded(std::u16string_view extension) const;
    std::unique_ptr<DirectoryItem> MakeItem(const ItemArgs& args) const;

    DirectoryItems items_;
    DirectoryItems persistent_;
    std::vector<std::u16string> propertyNames_;
    std::vector<std::u16string> propertyValues_;
    std::vector<std::u16string> exclusions_;
    std::int64_t total_ = 0;
    char16_t rootDir_[kPathUnits] = {};
    std::int32_t timeOffsetMinutes_ = 0;
    int flags_ = 0;
};
