#pragma once
// Reading the properties of a device or item: listed, collected into a
// directory's property lists, interpreted into the device texts and the item
// record, and, for a file item, turned into a directory entry.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diag/text/text_units.h"
#include "state/directory/directory_item.h"
#include "wialib/wia/wia_context_win32.h"

// Device name, description and manufacturer; a value is taken only when it fits.
struct DeviceTexts {
    char16_t name[kShortTextUnits] = {};
    char16_t description[kShortTextUnits] = {};
    char16_t manufacturer[kShortTextUnits] = {};
};

// What a walk keeps of one item.
struct WiaItemInfo {
    char16_t fullItemName[kLongTextUnits] = {};
    char16_t formatGuid[40] = {};
    char16_t extension[kPathUnits] = {};
    char16_t itemName[kPathUnits] = {};
    std::vector<std::uint8_t> thumbnail;
};

// Property flags: keep width (2) and height (4) as the entry's strings.
inline constexpr int kWantWidth = 2;
inline constexpr int kWantHeight = 4;

struct PropertyReading {
    CDirectory* directory = nullptr;
    DeviceTexts* texts = nullptr;
    const char16_t* headerSuffix = u"";
    WiaItemInfo* info = nullptr;
    int quiet = 0;
    IWiaItem* item = nullptr;
    int propertyFlags = 0;
    int collect = 0;
    const char16_t* pathPrefix = nullptr;
};

HRESULT ProcessProperties(WiaLibContext* context, IWiaPropertyStorage* storage,
                          const PropertyReading& reading);

// The reference a directory entry holds on its item, given back with the entry.
class WiaItemReference final : public ItemExtra {
  public:
    explicit WiaItemReference(IWiaItem* item) : item_(item) { item_->AddRef(); }

  private:
    ComRef<IWiaItem> item_;
};
