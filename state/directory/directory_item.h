#pragma once
// One file or persistent directory of a camera's listing. The texts the
// fixed-size record kept in buffers of 100 to 520 units live here one after
// another in a single string, each cut to its buffer's room, so that a card of
// tens of thousands of pictures costs a few hundred bytes per picture.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class ItemText : std::uint8_t {
    Path,      // the path given, up to 519 units
    Name,      // up to 259
    FileName,  // name, "." and extension, up to 259
    Label,     // up to 519
    Suffix,    // up to 259
    String1,   // the three caller strings, up to 99 each
    String2,
    String3,
};
inline constexpr std::size_t kItemTextCount = 8;

// Room of each text, terminator included, as the fixed record had it.
inline constexpr std::size_t kLongTextUnits = 520;
inline constexpr std::size_t kShortTextUnits = 100;

// The find-data fields the listing fills (FILETIME-scale times).
struct ItemFindData {
    std::uint32_t attributes = 0;
    std::uint64_t creationTime = 0;
    std::uint64_t lastAccessTime = 0;
    std::uint64_t lastWriteTime = 0;
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;
};

// What the WIA library hangs on an item; destroyed with it.
class ItemExtra {
  public:
    virtual ~ItemExtra() = default;
};

class DirectoryItem {
  public:
    using Texts = std::array<std::u16string_view, kItemTextCount>;

    // Each text is cut to the room of its field.
    explicit DirectoryItem(const Texts& texts);

    std::u16string_view Text(ItemText which) const;
    // The same, terminated, for calls that want a C string.
    const char16_t* CText(ItemText which) const;
    std::u16string_view Path() const { return Text(ItemText::Path); }
    // The path cut to 259 units.
    std::u16string_view ShortPath() const;
    std::u16string_view Name() const { return Text(ItemText::Name); }
    std::u16string_view FileName() const { return Text(ItemText::FileName); }
    std::u16string_view Label() const { return Text(ItemText::Label); }
    std::u16string_view Suffix() const { return Text(ItemText::Suffix); }

    ItemFindData findData;
    std::uint32_t nameChecksum = 0;
    std::uint32_t labelChecksum = 0;
    // For the caller's use; empty when created.
    std::vector<void*> children;
    void* owner = nullptr;
    std::unique_ptr<ItemExtra> extra;
    std::vector<std::uint8_t> data;

  private:
    // Every text followed by a terminator; starts_[i] is where text i begins.
    std::u16string text_;
    std::array<std::uint16_t, kItemTextCount + 1> starts_{};
};

// The room of one text, terminator included.
std::size_t ItemTextUnits(ItemText which);
