// Binds a control created from a dialog template to a C++ object and lets the object see the
// control's messages first, falling back to the control's own class.
#pragma once

#include <windows.h>

class SubclassedControl {
public:
    SubclassedControl() = default;
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;
    virtual ~SubclassedControl();

    // Attaches to the dialog's control with this id; false if there is none.
    bool Attach(HWND dialog, int id);
    void Detach();

    HWND Hwnd() const { return hwnd; }

protected:
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;
    WNDPROC classProc = nullptr;
};
