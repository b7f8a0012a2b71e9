// A bare dialog of standard controls, started beside Huewright by scripts/measure-startup.sh so that
// Huewright's start-up is timed against what any dialog of its size costs in the same Wine state.
#include <windows.h>

namespace {

constexpr int kDialogTemplate = 1;

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kDialogTemplate), nullptr, BareDialogProc, 0);
    return 0;
}
