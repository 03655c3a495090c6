// Feeds the language file reader arbitrary bytes, as a file in the data
// folder could hold, with name buffers of exact, small sizes; an accepted
// file is then installed as the catalogue and its texts are looked up.
//
// Input: one byte choosing the name buffers' size, then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_composed.h"
#include "common/language/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t nameUnits = data[0] % 64;
    std::vector<char16_t> langId(nameUnits);
    std::vector<char16_t> native(nameUnits);
    std::vector<char16_t> english(nameUnits);
    std::vector<std::int32_t> ids;
    std::vector<std::u16string> strings;
    LanguageFileRequest request;
    request.ids = &ids;
    request.strings = &strings;
    request.langId = {nameUnits > 0 ? langId.data() : nullptr, nameUnits};
    request.langNative = {nameUnits > 0 ? native.data() : nullptr, nameUnits};
    request.langEnglish = {nameUnits > 0 ? english.data() : nullptr, nameUnits};
    MemorySource source(std::as_bytes(std::span(data + 1, size - 1)));
    const LanguageFileVerdict verdict = ReadLanguageFile(source, request);
    if (ids.size() != strings.size() || (!verdict.Accepted() && !ids.empty())) {
        std::abort();
    }
    for (const std::u16string& text : strings) {
        if (text.size() >= 1024) {
            std::abort();
        }
    }
    if (verdict.Accepted() && InstallCatalogue(ids, strings)) {
        for (std::int32_t id : ids) {
            CatalogueText(id, 0);
        }
        I18N_TitleError(0);
        I18N_DeInit();
    }
    return 0;
}
