#pragma once
// A small Control Panel framework: the application turns every CPlApplet
// call into a virtual operation; each applet describes one entry.
#include <windows.h>

#include <cpl.h>

#include <memory>
#include <string>
#include <vector>

#include "applet/applet_dialog_win32.h"

class CControlPanelApplet {
  public:
    using DialogFactory = std::unique_ptr<AppletDialog> (*)();

    // name: the first "\n"-separated part of string resource resourceId.
    CControlPanelApplet(HINSTANCE instance, int resourceId, DialogFactory dialogClass);
    virtual ~CControlPanelApplet() = default;
    CControlPanelApplet(const CControlPanelApplet&) = delete;
    CControlPanelApplet& operator=(const CControlPanelApplet&) = delete;

    virtual int OnDblclk(HWND parent);
    virtual int OnStartWParms(HWND parent, const wchar_t* extra);
    virtual int OnInquire(CPLINFO* info);
    virtual int OnNewInquire(NEWCPLINFOW* info);
    virtual int OnSelect() { return 0; }
    virtual int OnStop() { return 0; }

  private:
    HINSTANCE instance_;
    DialogFactory dialogClass_;
    int dynamic_ = 1;  // names and icon come through CPL_NEWINQUIRE
    int resourceId_;
    int infoStringId_ = 0;
    std::u16string name_;
    int startPage_ = 0;  // for the one opening CPL_STARTWPARMSW asks for
};

class CControlPanelApp {
  public:
    CControlPanelApp() = default;
    virtual ~CControlPanelApp() = default;
    CControlPanelApp(const CControlPanelApp&) = delete;
    CControlPanelApp& operator=(const CControlPanelApp&) = delete;

    virtual LONG OnCplMessage(HWND window, UINT message, LPARAM first, LPARAM second);
    virtual LONG OnInit();
    virtual LONG OnExit() { return 1; }

  protected:
    void AddApplet(std::unique_ptr<CControlPanelApplet> applet);
    void RemoveApplets() { applets_.clear(); }

  private:
    CControlPanelApplet* Applet(LPARAM index) const;

    std::vector<std::unique_ptr<CControlPanelApplet>> applets_;
};

// The parts of a "\n"-separated resource string; index past the end gives "".
std::u16string ResourceStringPart(std::u16string_view text, int index);

// The 0-based page a CPL_STARTWPARMSW text asks for: its decimal value as
// wcstol reads it, less one unless it is 0 (the text counts pages from 1).
// The lowest value stays as it is rather than wrap; a negative page is no
// page, and the dialog opens on its first.
int StartPageFromText(const wchar_t* text);
