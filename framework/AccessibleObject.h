// What a control whose whole face the program draws tells screen readers: an IAccessible of its own
// answering WM_GETOBJECT, built from the facts the control gives, and the WinEvents that tell readers
// a value, a name or a state changed. Readers in other processes reach the object through COM.
#pragma once

#include "framework/ComPtr.h"

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

// One element of a control: the control itself (child 0) or one of its parts (1..ChildCount()).
struct AccessibleFacts {
    LONG role = ROLE_SYSTEM_CLIENT;
    std::wstring name;
    std::wstring value;
    // Beyond focused, invisible and unavailable, which the object works out from the window itself.
    LONG state = 0;
    std::wstring defaultAction;
};

class AccessibleSource {
public:
    virtual AccessibleFacts Facts(LONG child) = 0;
    virtual LONG ChildCount() { return 0; }
    // A part's rectangle on the screen; the control's own is its window's.
    virtual RECT ChildLocation(LONG) { return {}; }
    // True when the element has a default action and it was done.
    virtual bool DoDefaultAction(LONG) { return false; }

protected:
    ~AccessibleSource() = default;
};

class AccessibleObject;

class ControlAccessibility {
public:
    explicit ControlAccessibility(AccessibleSource& source) : source(source) {}
    ~ControlAccessibility();
    ControlAccessibility(const ControlAccessibility&) = delete;
    ControlAccessibility& operator=(const ControlAccessibility&) = delete;

    // Seen first by the control's window procedure: answers WM_GETOBJECT, and disconnects on
    // WM_DESTROY, which the control then handles as it does; nothing for any other message.
    std::optional<LRESULT> OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_GETOBJECT: the control's object for OBJID_CLIENT, 0 for anything else, which the system
    // then answers itself.
    LRESULT OnGetObject(HWND window, WPARAM flags, LPARAM objectId);
    // A changed value is told once the control has drawn it, so a drag tells it once a frame.
    void ValueChanged() { valueChanged = true; }
    void FrameDrawn(HWND window);
    // Tells readers at once (EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_STATECHANGE, ...).
    static void Tell(HWND window, DWORD event);
    // On WM_DESTROY: readers that still hold the object get "disconnected" from then on.
    void Disconnect();

private:
    AccessibleSource& source;
    ComPtr<IAccessible> object;
    // The same object, to cut it off from the control.
    AccessibleObject* own = nullptr;
    bool valueChanged = false;
};
