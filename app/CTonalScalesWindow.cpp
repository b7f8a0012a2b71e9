#include "app/CTonalScalesWindow.h"

#include "app/PaletteChecks.h"
#include "color/Contrast.h"
#include "color/GTColorWellWnd.h"
#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "framework/OffscreenCanvas.h"
#include "framework/OleDragSource.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr const wchar_t* kCaption = L"Tonal scales";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr Color kMarkColor = 0x000000D0;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
// At 96 DPI; the window's font sets the rest.
constexpr int kMargin = 10;
constexpr int kGap = 4;
constexpr int kPadding = 8;
// The frame around the source color's step, inside the gap.
constexpr int kFrame = 2;
// Step name, hex, contrast against white, against black.
constexpr int kLines = 4;
constexpr const wchar_t* kRowNames[CTonalScalesWindow::kRows] = {
    L"Box 1", L"Text 1", L"Box 2", L"Text 2", L"Box 3", L"Text 3", L"Box 4", L"Text 4", L"Selected"};

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void FillSolid(HDC dc, const RECT& rect, Color color) {
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

std::wstring HexText(Color color) {
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
    return text;
}

// "W 4.52" against white, "B 4.65" against black, cut like the inspector's ratios so a step under a
// threshold never reads as on it.
std::wstring ContrastText(const wchar_t* against, double ratio) {
    const std::wstring text = FormatContrastRatio(ratio);
    return against + text.substr(0, text.size() - 2);
}

Color RowColor(const PaletteColors& colors, Color selected, int row) {
    if (row == CTonalScalesWindow::kRows - 1) {
        return selected;
    }
    return row % 2 == 0 ? colors.box[row / 2] : colors.text[row / 2];
}

} // namespace

CTonalScalesWindow::~CTonalScalesWindow() {
    Destroy();
}

bool CTonalScalesWindow::IsOpen() const {
    return Hwnd() && open;
}

void CTonalScalesWindow::Open(HWND owner, HWND beside) {
    if (IsOpen() || (!Hwnd() && !Create(owner))) {
        return;
    }
    MakeScales();
    RECT besideRect{};
    GetWindowRect(beside ? beside : owner, &besideRect);
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = std::max(std::min(static_cast<int>(besideRect.right),
                                       static_cast<int>(work.right - (window.right - window.left))),
                              static_cast<int>(work.left));
    const int top = std::max(std::min(static_cast<int>(besideRect.top),
                                      static_cast<int>(work.bottom - (window.bottom - window.top))),
                             static_cast<int>(work.top));
    SetWindowPos(Hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    open = true;
}

void CTonalScalesWindow::Close() {
    if (IsOpen()) {
        ShowWindow(Hwnd(), SW_HIDE);
        open = false;
    }
}

void CTonalScalesWindow::Toggle(HWND owner, HWND beside) {
    if (IsOpen()) {
        Close();
    } else {
        Open(owner, beside);
    }
}

// Closed, the window costs a drag two copies; open, one invalidation, and the scales wait for the
// paint, which comes only once the queue holds no input.
void CTonalScalesWindow::Update(const PaletteColors& colors, Color selected) {
    input = {colors, selected};
    if (IsOpen() && shown != input) {
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

bool CTonalScalesWindow::Create(HWND owner) {
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        WindowDc screen(nullptr);
        LOGFONTW& message = metrics.lfMessageFont;
        message.lfHeight =
            MulDiv(message.lfHeight, WindowDpi(owner), GetDeviceCaps(screen.Get(), LOGPIXELSY));
        font.Reset(CreateFontIndirectW(&message));
    }
    const wchar_t* className = RegisterWindowClass(0, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreatePopup(className, kCaption, kExStyle, kStyle, RECT{}, owner)) {
        return false;
    }
    Measure();
    return true;
}

// Each swatch holds four lines, the widest of them "W 21.00".
void CTonalScalesWindow::Measure() {
    WindowDc window(Hwnd());
    SelectObjectGuard selected(window.Get(),
                               font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(window.Get(), &metrics);
    const int dpi = WindowDpi(Hwnd());
    layout.margin = ScaleToDpi(kMargin, dpi);
    layout.gap = ScaleToDpi(kGap, dpi) + 2 * kFrame;
    layout.lineHeight = metrics.tmHeight;
    layout.cellWidth = std::max(TextWidth(window.Get(), L"W 21.00"), TextWidth(window.Get(), L"#dddddd")) +
                       ScaleToDpi(kPadding, dpi);
    layout.cellHeight = kLines * metrics.tmHeight + ScaleToDpi(kPadding, dpi);
    layout.labelWidth = TextWidth(window.Get(), L"Selected") + ScaleToDpi(kPadding, dpi);
    RECT rect{0, 0, SwatchRect(kRows - 1, kScaleSteps - 1).right + layout.margin,
              SwatchRect(kRows - 1, kScaleSteps - 1).bottom + layout.margin};
    AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
    SetWindowPos(Hwnd(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTonalScalesWindow::MakeScales() {
    if (shown == input) {
        return;
    }
    for (int row = 0; row < kRows; ++row) {
        const Color color = RowColor(input.colors, input.selected, row);
        if (!shown || RowColor(shown->colors, shown->selected, row) != color) {
            scales[row] = MakeTonalScale(color);
        }
    }
    shown = input;
}

RECT CTonalScalesWindow::SwatchRect(int row, int step) const {
    if (layout.cellWidth == 0 || row < 0 || row >= kRows || step < 0 || step >= kScaleSteps) {
        return {};
    }
    const int left = layout.margin + layout.labelWidth + step * (layout.cellWidth + layout.gap);
    const int top = layout.margin + row * (layout.cellHeight + layout.gap);
    return {left, top, left + layout.cellWidth, top + layout.cellHeight};
}

std::optional<std::pair<int, int>> CTonalScalesWindow::StepAt(POINT point) const {
    for (int row = 0; row < kRows; ++row) {
        for (int step = 0; step < kScaleSteps; ++step) {
            const RECT swatch = SwatchRect(row, step);
            if (PtInRect(&swatch, point)) {
                return std::pair{row, step};
            }
        }
    }
    return std::nullopt;
}

LRESULT CTonalScalesWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_MOUSEACTIVATE:
        return LOWORD(lParam) == HTCLIENT ? MA_NOACTIVATE : DefaultProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (const auto at = StepAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
            DragStep(at->first, at->second, message == WM_RBUTTONDOWN);
        }
        return 0;
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

// As a well's drag: the left button drops the step as a box color, the right as a text color. A drag
// that drops nothing and ends over its swatch was a click, which makes the step the selected color.
void CTonalScalesWindow::DragStep(int row, int step, bool rightButton) {
    const Color color = scales[row].steps[step];
    RECT swatch = SwatchRect(row, step);
    MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&swatch), 2);
    const DWORD effect =
        DragGlobalBlock(Hwnd(), swatch, rightButton ? DragButton::Right : DragButton::Left, CF_TEXT,
                        WellDragBlock(color, rightButton), DROPEFFECT_COPY | DROPEFFECT_MOVE);
    POINT cursor{};
    GetCursorPos(&cursor);
    if (effect == DROPEFFECT_NONE && PtInRect(&swatch, cursor) && receiver) {
        receiver->TakeScaleColor(color);
    }
}

void CTonalScalesWindow::Paint(HDC dc, const RECT& client) {
    MakeScales();
    RECT area = client;
    GetClipBox(dc, &area);
    OffscreenCanvas canvas(dc, area);
    if (!canvas) {
        return;
    }
    SelectObjectGuard selectedFont(canvas.Get(), font ? static_cast<HGDIOBJ>(font.Get())
                                                      : GetStockObject(DEFAULT_GUI_FONT));
    FillRect(canvas.Get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(canvas.Get(), TRANSPARENT);
    for (int row = 0; row < kRows; ++row) {
        PaintRow(canvas.Get(), row);
    }
}

void CTonalScalesWindow::PaintRow(HDC dc, int row) const {
    const TonalScale& scale = scales[row];
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT label{layout.margin, SwatchRect(row, 0).top, layout.margin + layout.labelWidth,
               SwatchRect(row, 0).bottom};
    DrawTextW(dc, kRowNames[row], -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    for (int step = 0; step < kScaleSteps; ++step) {
        const RECT swatch = SwatchRect(row, step);
        const Color color = scale.steps[step];
        if (step == scale.sourceStep) {
            FillSolid(
                dc,
                {swatch.left - kFrame, swatch.top - kFrame, swatch.right + kFrame, swatch.bottom + kFrame},
                kMarkColor);
        }
        FillSolid(dc, swatch, color);
        // The text in black or white, whichever reads better on the step.
        SetTextColor(dc, ContrastRatio(color, kWhite) >= ContrastRatio(color, kBlack) ? kWhite : kBlack);
        const std::wstring lines[kLines] = {std::to_wstring(kScaleStepNames[step]), HexText(color),
                                            ContrastText(L"W ", ContrastRatio(color, kWhite)),
                                            ContrastText(L"B ", ContrastRatio(color, kBlack))};
        const int top = swatch.top + (layout.cellHeight - kLines * layout.lineHeight) / 2;
        for (int line = 0; line < kLines; ++line) {
            RECT text{swatch.left, top + line * layout.lineHeight, swatch.right,
                      top + (line + 1) * layout.lineHeight};
            DrawTextW(dc, lines[line].c_str(), static_cast<int>(lines[line].size()), &text,
                      DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
}
