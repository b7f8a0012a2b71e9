#include "framework/SubclassedControl.h"

#include "framework/CallbackGuard.h"

namespace {
constexpr const wchar_t* kClassProcProperty = L"Huewright.ClassProc";
}

// The object sits in the control's user data and the class procedure in the object: comctl32's
// subclassing keeps both in a window property, and under Wine every message would then ask the
// server for it.
SubclassedControl::~SubclassedControl() {
    Detach();
}

bool SubclassedControl::Attach(HWND dialog, int id) {
    Detach();
    HWND control = GetDlgItem(dialog, id);
    if (!control || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) {
        return false;
    }
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    classProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (!classProc) {
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        return false;
    }
    hwnd = control;
    return true;
}

// Restores the class procedure when nobody subclassed the control after us. Otherwise the messages
// keep passing through SubclassProc, which then finds the class procedure in a property.
void SubclassedControl::Detach() {
    if (!hwnd) {
        return;
    }
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
    } else {
        SetPropW(hwnd, kClassProcProperty, reinterpret_cast<HANDLE>(classProc));
    }
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd = nullptr;
}

LRESULT SubclassedControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(classProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SubclassedControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        auto classProc = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kClassProcProperty));
        if (message == WM_NCDESTROY) {
            RemovePropW(hwnd, kClassProcProperty);
        }
        return classProc ? CallWindowProcW(classProc, hwnd, message, wParam, lParam)
                         : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        ReportCallbackFailure(L"a subclassed control", message);
        result = self->DefaultProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    return result;
}
