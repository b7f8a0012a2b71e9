// The desktop color grab: the dialog shrinks around the color field and holds the mouse, and the
// screen pixel under the cursor becomes the selected color until a button is released. A magnifier
// follows the cursor, and the arrow keys move it by single pixels.
#pragma once

#include "app/CGrabMagnifier.h"
#include "color/GTColorSelectorWnd.h"
#include "widgets/CxShadeButton.h"

#include <windows.h>

class CDesktopGrab {
public:
    // The dialog's timer that rereads the screen after a move onto the magnifier's place.
    static constexpr UINT_PTR kRereadTimer = 20061;

    // The field takes the colors read; the grab button shows whether a grab runs.
    CDesktopGrab(GTColorSelectorWnd& selector, CxShadeButton& grabButton);

    void StartDesktopGrab(HWND dialog);
    // Every mouse move while the grab runs.
    void TrackDesktopGrab();
    void OnRereadTimer();
    // A mouse button released while the grab runs.
    void EndDesktopGrab();
    // A key pressed while the grab runs; true when the grab used it.
    bool OnGrabKey(WPARAM key);
    // The magnifier is sized for the screen it was made on: the next grab makes it for the new one.
    void OnDpiChanged() {
        if (!grabActive) {
            magnifier.Destroy();
        }
    }

    bool IsActive() const { return grabActive; }
    const CGrabMagnifier& Magnifier() const { return magnifier; }

private:
    void ReadPixel(POINT cursor);

    GTColorSelectorWnd& selector;
    CxShadeButton& grabButton;
    HWND dialog = nullptr;
    bool grabActive = false;
    WINDOWPLACEMENT placementBeforeGrab{};
    HCURSOR grabCursor;
    HCURSOR savedCursor = nullptr;
    CGrabMagnifier magnifier;
};
