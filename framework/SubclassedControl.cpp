#include "framework/SubclassedControl.h"

#include "framework/CallbackGuard.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 0x4857; // one subclass per control: ours
}

SubclassedControl::~SubclassedControl() {
    Detach();
}

bool SubclassedControl::Attach(HWND dialog, int id) {
    Detach();
    HWND control = GetDlgItem(dialog, id);
    if (!control ||
        !SetWindowSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    hwnd = control;
    return true;
}

void SubclassedControl::Detach() {
    if (hwnd) {
        RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
        hwnd = nullptr;
    }
}

LRESULT SubclassedControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT SubclassedControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<SubclassedControl*>(refData);
    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        ReportCallbackFailure(L"a subclassed control", message);
        result = DefSubclassProc(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    return result;
}
