#pragma once
// What the Range and Digits Selectors give the builder: the text the range is
// chosen from, and the token buttons their answers stand for.
#include <optional>
#include <string>
#include <string_view>

// The source name without its extension: cut before the last "."; nothing
// when the name has no ".".
std::optional<std::u16string> RangeSelectorText(std::u16string_view sourceName);

// The range the Range Selector reports: start is the 1-based position of the
// first selected character, end that of the last (0 when the selection is
// empty at the start of the text).
struct RangeSelection {
    int start = 0;
    int end = 0;
};

// From an edit's selection: startOffset counted from 0, endOffset one past
// the last selected character.
RangeSelection RangeSelectionFromOffsets(int startOffset, int endOffset);

// The <Ol-m> button for a selection, nothing for an empty one.
std::optional<std::u16string> RangeTokenButtonHtml(const RangeSelection& selection);
// The <Cn> button for the chosen digits, nothing for 0.
std::optional<std::u16string> CounterTokenButtonHtml(int digits);
