#include "builder/editor/editor_layout.h"

#include <algorithm>

namespace {

bool IsBlank(const EditorItem& item) {
    return !item.IsToken() && item.text == u" ";
}

// The end of the run that starts at begin and must not be broken: a token
// alone, else characters up to and including the next space.
std::size_t SegmentEnd(std::span<const EditorItem> items, std::size_t begin) {
    std::size_t end = begin + 1;
    if (items[begin].IsToken()) {
        return end;
    }
    while (end < items.size() && !items[end].IsToken() && !IsBlank(items[end - 1])) {
        ++end;
    }
    return end;
}

}  // namespace

EditorLayout LayOutItems(std::span<const EditorItem> items, std::span<const int> widths,
                         int width) {
    EditorLayout layout;
    layout.boxes.resize(items.size());
    int x = 0;
    int line = 0;
    for (std::size_t begin = 0; begin < items.size();) {
        const std::size_t end = SegmentEnd(items, begin);
        int inked = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (!IsBlank(items[i])) {
                inked += widths[i];
            }
        }
        if (x > 0 && inked > 0 && x + inked > width) {
            x = 0;
            ++line;
        }
        for (std::size_t i = begin; i < end; ++i) {
            const bool blank = IsBlank(items[i]);
            if (x > 0 && x + widths[i] > width && !blank) {
                x = 0;
                ++line;
            }
            layout.boxes[i] = {x, widths[i], line, blank};
            x += widths[i];
        }
        begin = end;
    }
    layout.lineCount = line + 1;
    return layout;
}

CaretPlace CaretPlaceOf(const EditorLayout& layout, std::size_t index) {
    if (layout.boxes.empty()) {
        return {};
    }
    if (index < layout.boxes.size()) {
        return {layout.boxes[index].left, layout.boxes[index].line};
    }
    const ItemBox& last = layout.boxes.back();
    return {last.left + last.width, last.line};
}

std::size_t CaretIndexAt(const EditorLayout& layout, int x, int line) {
    line = std::clamp(line, 0, layout.lineCount - 1);
    std::size_t end = 0;
    bool found = false;
    for (std::size_t i = 0; i < layout.boxes.size(); ++i) {
        const ItemBox& box = layout.boxes[i];
        if (box.line < line) {
            continue;
        }
        if (box.line > line) {
            break;
        }
        if (x < box.left + box.width / 2) {
            return i;
        }
        end = i + 1;
        found = true;
    }
    if (!found) {
        return layout.boxes.size();
    }
    const bool wrapped = line < layout.lineCount - 1;
    return wrapped && layout.boxes[end - 1].blank ? end - 1 : end;
}
