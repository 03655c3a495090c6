#include "builder/editor/editor_document.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

void CEditorDocument::LoadBody(std::u16string_view bodyHtml) {
    items_ = ParseEditorHtml(bodyHtml);
    Collapse(0);
}

bool CEditorDocument::LoadDocument(std::u16string_view document) {
    const std::optional<std::u16string_view> body = EditorDocumentBody(document);
    if (!body) {
        return false;
    }
    LoadBody(*body);
    return true;
}

std::u16string CEditorDocument::BodyHtml() const {
    return EditorBodyHtml(items_);
}

bool CEditorDocument::HasChanged() {
    std::u16string html = BodyHtml();
    const bool changed = html != lastSeen_;
    lastSeen_ = std::move(html);
    return changed;
}

std::size_t CEditorDocument::SelectionStart() const {
    return std::min(caret_, anchor_);
}

std::size_t CEditorDocument::SelectionEnd() const {
    return std::max(caret_, anchor_);
}

void CEditorDocument::TypeCharacter(char16_t unit) {
    if (unit < u' ' || unit == 0x7F) {
        return;
    }
    if (IsLowSurrogate(unit) && !HasSelection() && caret_ > 0) {
        std::u16string& previous = items_[caret_ - 1].text;
        if (!items_[caret_ - 1].IsToken() && previous.size() == 1 && IsHighSurrogate(previous[0])) {
            previous.push_back(unit);
            return;
        }
    }
    DeleteSelection();
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(caret_),
                  EditorItem{std::u16string(1, unit), {}});
    Collapse(caret_ + 1);
}

void CEditorDocument::Backspace() {
    if (HasSelection()) {
        DeleteSelection();
    } else if (caret_ > 0) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(caret_ - 1));
        Collapse(caret_ - 1);
    }
}

void CEditorDocument::Delete() {
    if (HasSelection()) {
        DeleteSelection();
    } else if (caret_ < items_.size()) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(caret_));
    }
}

void CEditorDocument::MoveLeft(bool extend) {
    if (!extend && HasSelection()) {
        Collapse(SelectionStart());
    } else {
        SetCaret(caret_ > 0 ? caret_ - 1 : 0, extend);
    }
}

void CEditorDocument::MoveRight(bool extend) {
    if (!extend && HasSelection()) {
        Collapse(SelectionEnd());
    } else {
        SetCaret(caret_ + 1, extend);
    }
}

void CEditorDocument::MoveHome(bool extend) {
    SetCaret(0, extend);
}

void CEditorDocument::MoveEnd(bool extend) {
    SetCaret(items_.size(), extend);
}

void CEditorDocument::SetCaret(std::size_t index, bool extend) {
    caret_ = std::min(index, items_.size());
    if (!extend) {
        anchor_ = caret_;
    }
}

void CEditorDocument::SelectAll() {
    anchor_ = 0;
    caret_ = items_.size();
}

void CEditorDocument::InsertHtml(std::u16string_view html, bool atStart) {
    if (atStart) {
        Collapse(0);
    } else {
        DeleteSelection();
    }
    std::vector<EditorItem> inserted = ParseEditorHtml(html);
    const std::size_t count = inserted.size();
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(caret_),
                  std::make_move_iterator(inserted.begin()),
                  std::make_move_iterator(inserted.end()));
    Collapse(caret_ + count);
}

void CEditorDocument::DeleteSelection() {
    const std::size_t start = SelectionStart();
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(start),
                 items_.begin() + static_cast<std::ptrdiff_t>(SelectionEnd()));
    Collapse(start);
}

void CEditorDocument::Collapse(std::size_t index) {
    caret_ = index;
    anchor_ = index;
}
