#include "common/catalogue/template_choice.h"

#include "common/catalogue/catalogue.h"

void ChooseTemplate(std::int32_t id, int markerCount, MarkerType type1, MarkerType type2,
                    int useEnglish, ChosenTemplate& chosen) {
    chosen.translated = false;
    chosen.swapped = false;
    if (useEnglish == 0) {
        const char16_t* translation = _GetResource(id, 0, &chosen.built, 0);
        if (translation != nullptr && markerCount == 0) {
            chosen.text = translation;
            chosen.translated = true;
            return;
        }
        int swapped = 0;
        if (translation != nullptr && _TransformFormat(translation, &chosen.transformed,
                                                       markerCount, type1, type2, &swapped) != 0) {
            chosen.text = chosen.transformed.c_str();
            chosen.translated = true;
            chosen.swapped = swapped != 0;
            return;
        }
    }
    chosen.text = _GetResource(id, 1, &chosen.built, 0);
}
