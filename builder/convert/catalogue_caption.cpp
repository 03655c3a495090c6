#include "builder/convert/catalogue_caption.h"

#include "common/catalogue/catalogue.h"
#include "common/catalogue/english_table.h"

std::u16string CatalogueCaption(std::int32_t id) {
    if (IsCompositeId(id)) {
        std::u16string built;
        const char16_t* text = _GetResource(id, 0, &built, 0);
        return text != nullptr ? text : u"";
    }
    const char16_t* text = CatalogueText(id, 0);
    return text != nullptr ? text : u"";
}
