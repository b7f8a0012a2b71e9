// A dialog's layout as it was made, scaled again when the window moves to a screen of another DPI:
// the dialog manager sizes a template only once, at creation.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <vector>

class DialogDpiLayout {
public:
    // The dialog manager turns dialog units into pixels by the font's size on the screen, which
    // does not grow in step with the DPI: on a screen other than 96 DPI the dialog and its children
    // take their 96 DPI places scaled instead, so the window looks the same at every scaling. Every
    // dialog does this before its initialisation.
    static void PlaceAsAtBaseDpi(HWND dialog, int dpi);
    // The dialog is laid out for `dpi`; its children but `skipped` are to follow later moves.
    void Remember(int dpi, HWND skipped);
    // Moves the dialog to `suggested`, and places its recorded children and sets their font for `dpi`.
    void Rescale(HWND dialog, int dpi, const RECT& suggested);

private:
    // The places of the children, and the dialog's font, as they are now.
    void Capture(HWND dialog);

    struct Child {
        HWND window;
        RECT rect;
    };

    std::vector<Child> children;
    int recordedDpi = 0;
    HWND skippedChild = nullptr;
    HFONT recordedFont = nullptr;
    LOGFONTW recordedLogFont{};
    UniqueFont scaledFont;
};
