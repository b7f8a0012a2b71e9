#include "framework/Dialog.h"

#include "framework/CallbackGuard.h"
#include "framework/DialogDpiLayout.h"
#include "framework/Dpi.h"
#include "framework/Reflection.h"

#include <utility>

Dialog::~Dialog() {
    if (hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd, nullptr));
    }
}

void Dialog::Destroy() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (!CreateModeless(owner)) {
        return -1;
    }
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    modalRunning = true;
    modalResult = -1;
    MSG msg;
    while (modalRunning) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        PumpMessage(msg);
    }
    modalRunning = false;
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    DestroyWindow(hwnd);
    return modalResult;
}

bool Dialog::CreateModeless(HWND owner) {
    HWND created = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
    return created != nullptr;
}

void Dialog::PumpMessage(MSG& msg) {
    if (!PreTranslateMessage(msg) && !(hwnd && IsDialogMessageW(hwnd, &msg))) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Dialog::EndDialog(INT_PTR result) {
    modalResult = result;
    modalRunning = false;
    // Wakes GetMessage in case the loop is idle.
    if (hwnd) {
        PostMessageW(hwnd, WM_NULL, 0, 0);
    }
}

bool Dialog::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

LRESULT Dialog::OnNotify(NMHDR&) {
    return 0;
}

bool Dialog::PreTranslateMessage(MSG&) {
    return false;
}

INT_PTR Dialog::SetResult(LRESULT result) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    switch (message) {
    case WM_COMMAND:
        // A control that handles its own notification (a link's STN_CLICKED) keeps it from the dialog.
        if (ReflectToChild(message, wParam, lParam, reflected)) {
            return TRUE;
        }
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
        return SetResult(OnNotify(*reinterpret_cast<NMHDR*>(lParam)));
    case WM_DRAWITEM:
        // The sender reads only the dialog procedure's TRUE, so DWLP_MSGRESULT is left alone: under
        // Wine each setting is a round trip to the server, once per owner-drawn paint.
        return ReflectToChild(message, wParam, lParam, reflected) ? TRUE : FALSE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        // These answer with the brush itself, not through DWLP_MSGRESULT.
        return ReflectToChild(message, wParam, lParam, reflected) ? reflected : FALSE;
    default:
        return FALSE;
    }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        DialogDpiLayout::PlaceAsAtBaseDpi(hwnd, WindowDpi(hwnd));
        DoDataExchange();
        return OnInitDialog();
    }
    return OnMessage(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* created = reinterpret_cast<Dialog*>(lParam);
        created->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ReportCallbackFailure(L"a dialog procedure", message);
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
        self->modalRunning = false;
    }
    return result;
}

std::wstring Dialog::ItemText(int id) const {
    HWND item = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)), L'\0');
    GetWindowTextW(item, text.data(), static_cast<int>(text.size() + 1));
    return text;
}

RECT ChildRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
