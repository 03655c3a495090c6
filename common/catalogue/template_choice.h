#pragma once
// Which template a formatting operation uses: the translation when there is
// one and its markers fit the operation, else the English one.
#include <cstdint>
#include <string>

#include "common/catalogue/marker_transform.h"

struct ChosenTemplate {
    ChosenTemplate() = default;
    ChosenTemplate(const ChosenTemplate&) = delete;
    ChosenTemplate& operator=(const ChosenTemplate&) = delete;

    const char16_t* text = nullptr;  // null when the id has no text at all
    bool translated = false;
    bool swapped = false;  // pass the two arguments in the other order
    std::u16string transformed;
    std::u16string built;
};

// markerCount 0 takes the translation as it is (no arguments); 1 or 2 pass
// it through _TransformFormat with the given types.
void ChooseTemplate(std::int32_t id, int markerCount, MarkerType type1, MarkerType type2,
                    int useEnglish, ChosenTemplate& chosen);
