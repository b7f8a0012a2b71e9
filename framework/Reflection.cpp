#include "framework/Reflection.h"

bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) {
            child = item.hwndItem;
        }
    } else if (message == WM_COMMAND || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)) {
        child = reinterpret_cast<HWND>(lParam);
    }
    if (!child) {
        return false;
    }
    // Controls that do not know the reflected message answer 0, which leaves the default handling.
    result = SendMessageW(child, Reflected(message), wParam, lParam);
    return result != 0;
}
