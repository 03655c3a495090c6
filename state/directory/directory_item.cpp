#include "state/directory/directory_item.h"

#include "diag/text/text_units.h"

std::size_t ItemTextUnits(ItemText which) {
    switch (which) {
        case ItemText::Path:
        case ItemText::Label:
            return kLongTextUnits;
        case ItemText::String1:
        case ItemText::String2:
        case ItemText::String3:
            return kShortTextUnits;
        case ItemText::Name:
        case ItemText::FileName:
        case ItemText::Suffix:
            break;
    }
    return kPathUnits;
}

DirectoryItem::DirectoryItem(const Texts& texts) {
    std::array<std::u16string_view, kItemTextCount> cut{};
    std::size_t total = 0;
    for (std::size_t i = 0; i < kItemTextCount; ++i) {
        cut[i] = texts[i].substr(0, ItemTextUnits(static_cast<ItemText>(i)) - 1);
        total += cut[i].size() + 1;
    }
    text_.reserve(total);
    for (std::size_t i = 0; i < kItemTextCount; ++i) {
        starts_[i] = static_cast<std::uint16_t>(text_.size());
        text_ += cut[i];
        text_ += u'\0';
    }
    starts_[kItemTextCount] = static_cast<std::uint16_t>(text_.size());
}

std::u16string_view DirectoryItem::Text(ItemText which) const {
    const auto i = static_cast<std::size_t>(which);
    return std::u16string_view(text_).substr(starts_[i], starts_[i + 1] - starts_[i] - 1);
}

const char16_t* DirectoryItem::CText(ItemText which) const {
    return text_.c_str() + starts_[static_cast<std::size_t>(which)];
}

std::u16string_view DirectoryItem::ShortPath() const {
    return Path().substr(0, kPathUnits - 1);
}
