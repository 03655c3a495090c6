#pragma once
// Small helpers over the dialog's controls, by id, in UTF-16.
#include <windows.h>

#include <string>

void SetItemText(HWND dialog, int id, const char16_t* text);
std::u16string GetItemText(HWND dialog, int id);
void EnableItem(HWND dialog, int id, bool enable);
void ShowItem(HWND dialog, int id, bool show);

// Combo boxes (drop-down lists).
int ComboAdd(HWND dialog, int id, const char16_t* text, LPARAM data = 0);
void ComboSelect(HWND dialog, int id, int index);
int ComboSelection(HWND dialog, int id);

// Tab controls.
bool TabInsert(HWND tab, int index, const char16_t* text);
void TabSetText(HWND tab, int index, const char16_t* text);

// Moves data between a page's state and its controls in either direction.
class DataExchange {
  public:
    DataExchange(HWND dialog, bool toControls) : dialog_(dialog), toControls_(toControls) {}

    // The text, cut to maxLength units when read from the control.
    void Text(int id, std::u16string& value, std::size_t maxLength);

  private:
    HWND dialog_;
    bool toControls_;
};
