#include "framework/RepaintNow.h"

#include "framework/DcGuards.h"

void RepaintNow(HWND window) {
    if (!window || !IsWindowVisible(window)) {
        return;
    }
    WindowDc dc(window);
    if (dc.Get()) {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
}
