// Dialogs from .rc templates: a modal run with its own message loop, so that the dialog sees every
// key press first (PreTranslateMessage), a modeless creation from the same template, control
// binding in DoDataExchange and one virtual OnMessage that dispatches to typed handlers.
// As with Window, a derived dialog whose controls clean up on WM_DESTROY calls Destroy() from its own
// destructor, so the window goes while every member still exists.
#pragma once

#include <windows.h>

#include <string>

class Dialog {
public:
    explicit Dialog(int templateId) : templateId(templateId) {}
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    virtual ~Dialog();

    // Runs the dialog until EndDialog or a WM_QUIT; the owner is disabled meanwhile. A WM_QUIT is
    // posted again so that outer loops end as well.
    INT_PTR DoModal(HWND owner = nullptr);
    bool CreateModeless(HWND owner = nullptr);

    // One step of the dialog's message loop: pre-translation, then the dialog manager.
    void PumpMessage(MSG& msg);
    void EndDialog(INT_PTR result);

    void Destroy();

    HWND Hwnd() const { return hwnd; }
    // The first child with this id in z-order.
    HWND Item(int id) const { return GetDlgItem(hwnd, id); }
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd, id) == BST_CHECKED; }
    std::wstring ItemText(int id) const;

protected:
    // Binds template controls to members; called once before OnInitDialog.
    virtual void DoDataExchange() {}
    // Returns true to let the system set the focus to the first tab stop.
    virtual bool OnInitDialog() { return true; }
    // Returns true when the command was handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // The header is the start of the notification's own structure, which some handlers fill in.
    virtual LRESULT OnNotify(NMHDR& header);
    // Returns true when the message was consumed.
    virtual bool PreTranslateMessage(MSG& msg);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Returns the dialog-procedure result; SetResult() stores a message result for DWLP_MSGRESULT.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR SetResult(LRESULT result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId;
    HWND hwnd = nullptr;
    bool modalRunning = false;
    INT_PTR modalResult = -1;
};

// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
