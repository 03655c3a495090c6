#pragma once
// Where the token editor's items stand: their lines when wrapped to the
// control's width, the caret's place for an item index and the index for a
// point. Units are the control's pixels; lines are counted from 0.
#include <cstddef>
#include <span>
#include <vector>

#include "builder/editor/editor_html.h"

struct ItemBox {
    int left = 0;
    int width = 0;
    int line = 0;
    bool blank = false;  // a space, where a line may break
};

struct EditorLayout {
    std::vector<ItemBox> boxes;  // one per item, in item order
    int lineCount = 1;
};

// Fills lines no wider than width where it can: a line breaks after a space
// and on either side of a token; a word wider than a whole line breaks between
// characters; spaces at the end of a line may pass its edge, as in a browser.
// widths holds the drawn width of each item.
EditorLayout LayOutItems(std::span<const EditorItem> items, std::span<const int> widths, int width);

struct CaretPlace {
    int x = 0;
    int line = 0;
};

// The caret before item index (after the last item for Items().size()).
CaretPlace CaretPlaceOf(const EditorLayout& layout, std::size_t index);

// The caret index nearest to x on a line (clamped to the lines there are):
// before the first item whose middle lies right of x, else at the end of the
// line; at the end of a wrapped line that is before its closing space.
std::size_t CaretIndexAt(const EditorLayout& layout, int x, int line);
