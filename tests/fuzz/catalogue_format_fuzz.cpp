// Feeds every formatting operation and composed accessor of the catalogue an
// arbitrary translated template, as a language file could carry it (also
// with raw conversions, which the reader would have doubled), into output
// buffers of exact size so that the sanitizers see any access beyond them.
//
// Input: one capacity byte, one byte of marker types, then the template's
// UTF-16LE units. The template becomes the translation of every plain id the
// operations below use, directly or as a piece.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/i18n_composed.h"
#include "common/catalogue/i18n_format.h"

namespace {

// Plain ids with every shape of English template, and composites that
// embed them.
constexpr std::int32_t kIds[] = {1,   23, 84,  85,  90,  101, 105, 108, 109,
                                 144, -1, -27, -28, -29, -31, -33, -35, -41};

constexpr std::int32_t kTranslated[] = {1,   16,  23,  27,  54,  55,  56,  57,  58,  63,
                                        66,  67,  68,  83,  84,  85,  86,  87,  90,  91,
                                        101, 102, 103, 105, 108, 109, 110, 113, 144, 174};

void Check(const std::vector<char16_t>& out, int written) {
    const auto capacity = static_cast<int>(out.size());
    if (written < 0 || (capacity > 0 && (written >= capacity || out[written] != u'\0'))) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const int capacity = data[0];
    // 0-4: the three marker types and two unknown ones.
    const auto type1 = static_cast<MarkerType>(data[1] % 5);
    const auto type2 = static_cast<MarkerType>(data[1] / 5 % 5);
    std::u16string pattern;
    for (std::size_t i = 2; i + 1 < size; i += 2) {
        pattern.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    if (const std::size_t nul = pattern.find(u'\0'); nul != std::u16string::npos) {
        pattern.resize(nul);
    }
    const std::vector<std::int32_t> ids(std::begin(kTranslated), std::end(kTranslated));
    const std::vector<std::u16string> texts(ids.size(), pattern);
    if (!InstallCatalogue(ids, texts)) {
        return 0;
    }
    std::vector<char16_t> out(static_cast<std::size_t>(capacity));
    char16_t* buffer = capacity > 0 ? out.data() : nullptr;
    for (std::int32_t id : kIds) {
        for (int useEnglish : {0, 1}) {
            Check(out, I18N_wsprintf(buffer, capacity, id, useEnglish));
            Check(out, I18N_wsprintf(buffer, capacity, id, type1, u"text", useEnglish));
            Check(out, I18N_wsprintf(buffer, capacity, id, type1, 42, useEnglish));
            Check(out, I18N_wsprintf(buffer, capacity, id, type1, type2, 7, -9, useEnglish));
            Check(out,
                  I18N_wsprintf(buffer, capacity, id, type1, type2, u"a", nullptr, useEnglish));
            Check(out, I18N_wsprintfI(buffer, capacity, id, type1, type2, u"b", 3, useEnglish));
        }
        Check(out, I18N_wsprintf_Internal(buffer, capacity, id, u"c", u"d", 5));
    }
    for (int useEnglish : {0, 1}) {
        I18N_TitleError(useEnglish);
        I18N_Size(useEnglish);
        I18N_ThirdParty(useEnglish);
        I18N_LocationCurrent(useEnglish);
        I18N_LocationPending(useEnglish);
        I18N_MapThisDeviceToDriveLetter(useEnglish);
        _MapXDeviceToDriveLetter(pattern.c_str(), useEnglish);
        _ErrorRegDereg(1, 5, useEnglish);
        I18N_ErrorDriveIcon(0, useEnglish);
    }
    I18N_DeInit();
    return 0;
}
