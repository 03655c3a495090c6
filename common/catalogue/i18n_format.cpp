#include "common/catalogue/i18n_format.h"

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "common/catalogue/catalogue.h"
#include "common/catalogue/english_table.h"
#include "common/catalogue/i18n_trace.h"
#include "common/catalogue/template_choice.h"
#include "common/catalogue/template_conversions.h"
#include "diag/strings/bounded_string.h"
#include "diag/trace/trace.h"

namespace {

int Emit(char16_t* out, int capacity, const char16_t* pattern, std::span<const FormatArg> args) {
    if (pattern == nullptr) {
        // Callers show the buffer whatever the result; never leave it unset.
        if (out != nullptr && capacity > 0) {
            out[0] = u'\0';
        }
        return 0;
    }
    return WsPrintfV(out, capacity, pattern, args);
}

// Formats id with the chosen template; two arguments are passed in the other
// order when the translation named "#2" first.
int FormatChosen(const char16_t* tag, char16_t* out, int capacity, std::int32_t id, int markerCount,
                 MarkerType type1, MarkerType type2, std::initializer_list<FormatArg> args,
                 int useEnglish) {
    TraceEnter(tag);
    ChosenTemplate chosen;
    ChooseTemplate(id, markerCount, type1, type2, useEnglish, chosen);
    std::vector<FormatArg> ordered(args);
    if (chosen.swapped && ordered.size() == 2) {
        std::swap(ordered[0], ordered[1]);
    }
    const int written = Emit(out, capacity, chosen.text, ordered);
    TraceReturnCount(tag, written);
    return written;
}

}  // namespace

int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, int useEnglish) {
    return FormatChosen(u"I98@I18N_wsprintf: ", out, capacity, id, 0, MarkerType::String,
                        MarkerType::String, {}, useEnglish);
}

int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1,
                  const FormatArg& arg, int useEnglish) {
    return FormatChosen(u"I50@I18N_wsprintf: ", out, capacity, id, 1, type1, MarkerType::String,
                        {arg}, useEnglish);
}

int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                  int arg1, int arg2, int useEnglish) {
    return FormatChosen(u"I88@I18N_wsprintf: ", out, capacity, id, 2, type1, type2, {arg1, arg2},
                        useEnglish);
}

int I18N_wsprintf(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                  const char16_t* arg1, const char16_t* arg2, int useEnglish) {
    return FormatChosen(u"I52@I18N_wsprintf: ", out, capacity, id, 2, type1, type2, {arg1, arg2},
                        useEnglish);
}

int I18N_wsprintfI(char16_t* out, int capacity, std::int32_t id, MarkerType type1, MarkerType type2,
                   const char16_t* text, int number, int useEnglish) {
    return FormatChosen(u"I120@I18N_wsprintfI: ", out, capacity, id, 2, type1, type2,
                        {text, number}, useEnglish);
}

int I18N_wsprintf_Internal(char16_t* out, int capacity, std::int32_t id, const char16_t* text1,
                           const char16_t* text2, int number) {
    constexpr const char16_t* kTag = u"I58@I18N_wsprintf_Internal: ";
    TraceEnter(kTag);
    std::u16string built;
    const char16_t* pattern = IsPlainId(id) ? EnglishText(id) : _GetResource(id, 1, &built, 1);
    // Arguments go where the template's conversions want them, so that a
    // template taking only a code ("0x%08X") still gets the number.
    std::vector<FormatArg> args;
    const char16_t* texts[] = {text1, text2};
    std::size_t nextText = 0;
    for (char16_t letter : ConversionLetters(pattern)) {
        if (letter == u's' || letter == u'S') {
            args.emplace_back(nextText < std::size(texts) ? texts[nextText++] : nullptr);
        } else {
            args.emplace_back(number);
        }
    }
    const int written = Emit(out, capacity, pattern, args);
    TraceReturnCount(kTag, written);
    return written;
}
