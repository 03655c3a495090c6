#include "common/catalogue/catalogue.h"

#include <optional>
#include <vector>

#include "common/catalogue/catalogue_block.h"
#include "common/catalogue/composite_expansion.h"
#include "common/catalogue/english_table.h"
#include "common/language/language_file.h"
#include "diag/trace/trace.h"

namespace {

constexpr int kLanguageFileVersion = 1;

std::optional<CatalogueBlock>& Loaded() {
    static std::optional<CatalogueBlock> loaded;
    return loaded;
}

bool HoldsReference(const char16_t* text) {
    for (; *text != u'\0'; ++text) {
        if (*text == u'[') {
            return true;
        }
    }
    return false;
}

}  // namespace

void I18N_InitFromFile(const char16_t* path) {
    constexpr const char16_t* kTag = u"I4@I18N_InitFromFile: ";
    TraceEnter(kTag);
    if (!Loaded().has_value() && path != nullptr) {
        std::vector<std::int32_t> ids;
        std::vector<std::u16string> strings;
        if (I18N_LoadFile(path, &ids, &strings, kLanguageFileVersion, nullptr, 0, nullptr, 0,
                          nullptr, 0) != 0 &&
            ids.size() == strings.size()) {
            TracePrint(kTag, u"strings=%d", ids.size());
            InstallCatalogue(ids, strings);
        }
    }
    TraceLeave(kTag);
}

bool InstallCatalogue(std::span<const std::int32_t> ids, std::span<const std::u16string> texts) {
    std::optional<CatalogueBlock> block = CatalogueBlock::Build(ids, texts);
    if (!block.has_value()) {
        return false;
    }
    Loaded() = std::move(block);
    return true;
}

void I18N_DeInit() {
    constexpr const char16_t* kTag = u"I2@I18N_DeInit: ";
    TraceEnter(kTag);
    Loaded().reset();
    TraceLeave(kTag);
}

const char16_t* _GetI18NString(std::int32_t id) {
    const std::optional<CatalogueBlock>& loaded = Loaded();
    return loaded.has_value() ? loaded->Find(id) : nullptr;
}

const char16_t* _GetResource(std::int32_t id, int useEnglish, std::u16string* built,
                             int rawFallback) {
    if (IsPlainId(id)) {
        return useEnglish != 0 ? EnglishText(id) : _GetI18NString(id);
    }
    const char16_t* pattern = CompositeTemplate(id);
    if (pattern == nullptr) {
        return nullptr;
    }
    if (_BuildStringIndirect(pattern, built) != 0) {
        return built->c_str();
    }
    // Only a template without references is usable raw: one whose piece is
    // missing would show its [NNN] references.
    return rawFallback != 0 && !HoldsReference(pattern) ? pattern : nullptr;
}

const char16_t* CatalogueText(std::int32_t id, int useEnglish) {
    if (!IsPlainId(id)) {
        return nullptr;
    }
    const char16_t* text = _GetResource(id, useEnglish, nullptr, 0);
    return text != nullptr ? text : EnglishText(id);
}
