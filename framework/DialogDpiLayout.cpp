#include "framework/DialogDpiLayout.h"

void DialogDpiLayout::Record(HWND dialog, int dpi, HWND skipped) {
    children.clear();
    recordedDpi = dpi;
    recordedFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!recordedFont || !GetObjectW(recordedFont, sizeof(recordedLogFont), &recordedLogFont)) {
        recordedFont = nullptr;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == skipped) {
            continue;
        }
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        children.push_back({child, rect});
    }
}

// Each place is scaled from the recorded one, so moving back and forth between screens does not
// gather rounding errors.
void DialogDpiLayout::Rescale(HWND dialog, int dpi, const RECT& suggested) {
    if (recordedDpi == 0) {
        return;
    }
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The font shown now stays alive until every child has the new one.
    UniqueFont previous = std::move(scaledFont);
    HFONT font = recordedFont;
    if (recordedFont && dpi != recordedDpi) {
        LOGFONTW scaled = recordedLogFont;
        scaled.lfHeight = MulDiv(scaled.lfHeight, dpi, recordedDpi);
        scaledFont.Reset(CreateFontIndirectW(&scaled));
        font = scaledFont ? scaledFont.Get() : recordedFont;
    }
    HFONT shown = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    auto scale = [&](LONG value) { return MulDiv(value, dpi, recordedDpi); };
    for (const Child& child : children) {
        const RECT& r = child.rect;
        SetWindowPos(child.window, nullptr, scale(r.left), scale(r.top), scale(r.right) - scale(r.left),
                     scale(r.bottom) - scale(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
        if (recordedFont && reinterpret_cast<HFONT>(SendMessageW(child.window, WM_GETFONT, 0, 0)) == shown) {
            SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    if (recordedFont) {
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}
