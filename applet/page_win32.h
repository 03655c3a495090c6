#pragma once
// A page of the main dialog: a child dialog laid over the tab control, with
// the themed background, its captions from the catalogue and an OK handler
// that stores its state when the main dialog applies.
#include "common/dialog/themed_dialog_win32.h"

class CPage : public ThemedDialog {
  public:
    // Sets every caption; with reload the catalogue is reloaded first.
    virtual void UpdateTexts(bool reload) = 0;
    // What the last OK command answered: false when the page refused to store.
    bool Stored() const { return stored_; }

  protected:
    // Stores the page's state (the main dialog's OK or Apply). False: a value
    // is refused, nothing of the page is stored and the page has said why.
    virtual bool OnOK() = 0;
    // A change the user made: Apply becomes available.
    void MarkModified() const;

    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

  private:
    bool stored_ = true;
};
