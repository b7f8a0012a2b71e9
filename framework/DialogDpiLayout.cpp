#include "framework/DialogDpiLayout.h"

#include "framework/DcGuards.h"
#include "framework/Dialog.h"
#include "framework/Dpi.h"

#include <cstdlib>

namespace {

// Horizontal and vertical pixels of 4 and 8 dialog units.
struct BaseUnits {
    int x;
    int y;
};

// The base units of the dialog's font made for a 96 DPI screen, measured as the dialog manager
// measures them: the average width of the Latin letters, and the font's height.
BaseUnits BaseUnitsAtBaseDpi(HWND dialog, int dpi) {
    auto shown = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW font{};
    if (!shown || !GetObjectW(shown, sizeof(font), &font)) {
        return {};
    }
    const int points = MulDiv(std::abs(font.lfHeight), 72, dpi);
    font.lfHeight = -MulDiv(points, kBaseDpi, 72);
    UniqueFont base(CreateFontIndirectW(&font));
    WindowDc dc(dialog);
    SelectObjectGuard selected(dc.Get(), base.Get());
    constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    TEXTMETRICW metrics{};
    if (!GetTextExtentPoint32W(dc.Get(), kLetters, 52, &letters) || !GetTextMetricsW(dc.Get(), &metrics)) {
        return {};
    }
    return {static_cast<int>((letters.cx / 26 + 1) / 2), static_cast<int>(metrics.tmHeight)};
}

// A length of the dialog's layout at `dpi` taken back to dialog units, then made again from the
// base units at 96 DPI and scaled: the dialog manager turns each position and size into pixels on
// its own, so each comes back exactly.
struct UnitScaler {
    BaseUnits shown;
    BaseUnits base;
    int dpi;

    int X(LONG pixels) const { return ScaleToDpi(MulDiv(MulDiv(pixels, 4, shown.x), base.x, 4), dpi); }
    int Y(LONG pixels) const { return ScaleToDpi(MulDiv(MulDiv(pixels, 8, shown.y), base.y, 8), dpi); }
};

} // namespace

void DialogDpiLayout::PlaceAsAtBaseDpi(HWND dialog, int dpi) {
    if (dpi == kBaseDpi) {
        return;
    }
    RECT units{0, 0, 4, 8};
    const BaseUnits base = BaseUnitsAtBaseDpi(dialog, dpi);
    if (base.x == 0 || base.y == 0 || !MapDialogRect(dialog, &units)) {
        return;
    }
    const UnitScaler scale{{units.right, units.bottom}, base, dpi};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rect = ChildRect(child);
        SetWindowPos(child, nullptr, scale.X(rect.left), scale.Y(rect.top), scale.X(rect.right - rect.left),
                     scale.Y(rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{};
    GetClientRect(dialog, &client);
    RECT window{0, 0, scale.X(client.right), scale.Y(client.bottom)};
    AdjustWindowRectForDpi(window, dialog, dpi);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogDpiLayout::Remember(int dpi, HWND skipped) {
    children.clear();
    recordedDpi = dpi;
    skippedChild = skipped;
}

// The layout is taken when it is first needed: until the first move to another screen, the children
// are where the window was made with them.
void DialogDpiLayout::Capture(HWND dialog) {
    recordedFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!recordedFont || !GetObjectW(recordedFont, sizeof(recordedLogFont), &recordedLogFont)) {
        recordedFont = nullptr;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != skippedChild) {
            children.push_back({child, ChildRect(child)});
        }
    }
}

// Each place is scaled from the recorded one, so moving back and forth between screens does not
// gather rounding errors. A move before Remember, while the dialog is still being set up, still
// takes the suggested rectangle; there is no recorded layout to scale yet.
void DialogDpiLayout::Rescale(HWND dialog, int dpi, const RECT& suggested) {
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (recordedDpi == 0) {
        return;
    }
    if (children.empty()) {
        Capture(dialog);
    }
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
