#pragma once
// A dialog that paints its background like a tab page while a visual style is
// active; buttons and static controls get a matching brush. The applet's
// pages and the builder's dialogs are made on it.
#include "common/dialog/dialog_win32.h"
#include "common/dialog/themed_background_win32.h"

class ThemedDialog : public Dialog {
  protected:
    // Renders the background at the given size; called from OnInitDialog.
    void PrepareBackground(SIZE size) { background_.Prepare(Hwnd(), size); }
    // The client area widened and heightened by 4, so that the pane's right
    // and bottom borders fall outside it.
    void PrepareBackgroundForClient();

    bool OnEraseBackground(HDC context) override;
    HBRUSH OnControlColour(UINT message, HDC context, HWND control) override;
    void OnDestroy() override { background_.Release(); }

  private:
    ThemedBackground background_;
};
