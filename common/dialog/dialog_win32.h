#pragma once
// A dialog from a resource template as a small class: the window procedure
// only stores `this` at start and dispatches to one virtual handler per kind
// of message. Modal dialogs run a message loop of their own, so a dialog can
// look at keyboard messages before the dialog manager does (PreTranslate).
#include <windows.h>

#include <optional>

class Dialog {
  public:
    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally over owner (disabled meanwhile) and answers the
    // code given to EndDialog, or -1 when the window could not be created.
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner);
    // Creates the dialog as a modeless child or popup of parent; the window
    // is destroyed with this object at the latest.
    bool CreateModeless(HINSTANCE instance, int templateId, HWND parent);

    HWND Hwnd() const { return hwnd_; }
    HWND Item(int controlId) const { return GetDlgItem(hwnd_, controlId); }
    // Ends a modal run with code once the current message is handled.
    void EndDialog(INT_PTR code);

  protected:
    // Messages by kind. A handler that answers nothing leaves the message to
    // the dialog manager's default processing.
    virtual bool OnInitDialog() { return true; }
    // id, notification code and the control of WM_COMMAND; true = handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual std::optional<LRESULT> OnNotify(NMHDR& /*header*/) { return std::nullopt; }
    virtual void OnTimer(UINT_PTR /*timerId*/) {}
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN / WM_CTLCOLORDLG ...: a brush, or
    // null for the default colours.
    virtual HBRUSH OnControlColour(UINT /*message*/, HDC /*context*/, HWND /*control*/) {
        return nullptr;
    }
    // true when the background was erased.
    virtual bool OnEraseBackground(HDC /*context*/) { return false; }
    virtual void OnDestroy() {}
    // Anything else; an answer marks the message handled.
    virtual std::optional<INT_PTR> OnMessage(UINT /*message*/, WPARAM /*wParam*/,
                                             LPARAM /*lParam*/) {
        return std::nullopt;
    }
    // A queued message before the dialog manager sees it; true = consumed.
    virtual bool PreTranslateMessage(const MSG& /*message*/) { return false; }

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();

    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};
