#include "builder/app/selector_results.h"

#include "builder/convert/token_button_html.h"

std::optional<std::u16string> RangeSelectorText(std::u16string_view sourceName) {
    const std::size_t dot = sourceName.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return std::nullopt;
    }
    return std::u16string(sourceName.substr(0, dot));
}

RangeSelection RangeSelectionFromOffsets(int startOffset, int endOffset) {
    return {startOffset + 1, endOffset};
}

std::optional<std::u16string> RangeTokenButtonHtml(const RangeSelection& selection) {
    if (selection.end == 0 || selection.end < selection.start) {
        return std::nullopt;
    }
    return OriginalNameRangeButtonHtml(selection.start, selection.end);
}

std::optional<std::u16string> CounterTokenButtonHtml(int digits) {
    if (digits == 0) {
        return std::nullopt;
    }
    return CounterButtonHtml(digits);
}
