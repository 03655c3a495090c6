#pragma once
// The token editor's document: a row of items (literal characters and token
// buttons), a caret between two items and a selection anchor. It reads and
// reports body HTML, so that the format conversions work on its strings, and
// carries out the editing the control's keys and mouse ask for.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "builder/editor/editor_html.h"

class CEditorDocument {
  public:
    // Replaces the content; the caret goes to the start.
    void LoadBody(std::u16string_view bodyHtml);
    // Loads the body of a composed document; false, and nothing changed, when
    // the document has no body.
    bool LoadDocument(std::u16string_view document);

    std::u16string BodyHtml() const;
    // The change test: whether the body HTML differs from that of the previous
    // test (the first test always reports a change).
    bool HasChanged();

    const std::vector<EditorItem>& Items() const { return items_; }
    // Positions are item indexes, 0 … Items().size(); the selection lies
    // between the anchor and the caret.
    std::size_t Caret() const { return caret_; }
    std::size_t Anchor() const { return anchor_; }
    bool HasSelection() const { return caret_ != anchor_; }
    std::size_t SelectionStart() const;
    std::size_t SelectionEnd() const;

    // Types one UTF-16 unit over the selection; control characters insert
    // nothing, and a low surrogate completes a high one typed just before.
    void TypeCharacter(char16_t unit);
    // Delete the selection, else the item before or after the caret.
    void Backspace();
    void Delete();

    // With extend the anchor stays, so that the selection grows or shrinks.
    // Left and Right without extend collapse a selection to its edge.
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveHome(bool extend);
    void MoveEnd(bool extend);
    void SetCaret(std::size_t index, bool extend);
    void SelectAll();

    // Inserts the items of an HTML fragment over the selection, leaving the
    // caret after them. With atStart nothing is replaced: they go first,
    // however long the text (<P> is valid only there).
    void InsertHtml(std::u16string_view html, bool atStart);

  private:
    void DeleteSelection();
    void Collapse(std::size_t index);

    std::vector<EditorItem> items_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::u16string lastSeen_;
};
