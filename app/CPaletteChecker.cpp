#include "app/CPaletteChecker.h"

#include "app/SettingsValues.h"
#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "framework/OffscreenCanvas.h"
#include "color/CssColorText.h"
#include "color/NamedColors.h"
#include "library/ColorFormat.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const wchar_t* kCaption = L"Palette inspector";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr Color kMarkColor = 0x000000D0;
// At 96 DPI, like the paddings around the text; the window's font sets everything else.
constexpr int kMargin = 10;
constexpr int kColumnGap = 12;
// The mark around a swatch of a pair that looks alike, and the room every swatch keeps for it.
constexpr int kFrame = 2;
constexpr int kSwatchGap = 2 * kFrame + 6;
constexpr int kSectionGap = 8;
constexpr int kSwatchPadding = 6;
constexpr int kLinePadding = 4;
// A box line, the line under it that names its colors, and its two fix lines, the text's and the
// background's.
constexpr int kLinesPerBox = 4;
constexpr int kNamesLine = 1;
constexpr int kFirstFixLine = 2;

int TextWidth(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The widest of the characters, repeated: the room a number needs whatever its digits are.
std::wstring WidestRun(HDC dc, std::wstring_view characters, size_t count) {
    wchar_t widest = characters.front();
    for (wchar_t character : characters) {
        if (TextWidth(dc, {&character, 1}) > TextWidth(dc, {&widest, 1})) {
            widest = character;
        }
    }
    return std::wstring(count, widest);
}

// An opaque empty text fills with the background color and needs no brush.
void FillSolid(HDC dc, const RECT& rect, Color color) {
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void PaintSwatch(HDC dc, const RECT& swatch, Color background, Color text, bool marked) {
    // The swatch covers all of the mark but its frame.
    if (marked) {
        FillSolid(dc,
                  {swatch.left - kFrame, swatch.top - kFrame, swatch.right + kFrame, swatch.bottom + kFrame},
                  kMarkColor);
    }
    FillSolid(dc, swatch, background);
    SetTextColor(dc, text);
    RECT textRect = swatch;
    DrawTextW(dc, L"Aa", 2, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintText(HDC dc, const std::wstring& text, int left, int top, int height) {
    RECT rect{left, top, left, top + height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

std::wstring Verdicts(const BoxContrast& contrast) {
    return std::wstring(L"AA ") + (contrast.passesAA ? L"pass" : L"fail") + L"  AAA " +
           (contrast.passesAAA ? L"pass" : L"fail");
}

bool IsMarked(const SimulatedPalette& simulated, int box) {
    const auto& pairs = simulated.hardToTell[box];
    return std::find(pairs.begin(), pairs.end(), true) != pairs.end();
}

// "boxes 1 and 3 look alike", or "boxes 1 and 3, 2 and 4 look alike"; empty when nothing does.
std::wstring AlikeText(const SimulatedPalette& simulated) {
    std::wstring pairs;
    for (int first = 0; first < 4; ++first) {
        for (int second = first + 1; second < 4; ++second) {
            if (simulated.hardToTell[first][second]) {
                pairs += (pairs.empty() ? L"" : L", ") + std::to_wstring(first + 1) + L" and " +
                         std::to_wstring(second + 1);
            }
        }
    }
    return pairs.empty() ? pairs : L"boxes " + pairs + L" look alike";
}

} // namespace

bool CPaletteChecker::Input::operator==(const Input& other) const {
    return colors == other.colors &&
           std::equal(text.begin(), text.end(), other.text.begin(), [](const BoxText& a, const BoxText& b) {
               return a.pointSize == b.pointSize && a.bold == b.bold;
           });
}

// The window goes while the whole object still exists.
CPaletteChecker::~CPaletteChecker() {
    Destroy();
}

bool CPaletteChecker::IsOpen() const {
    return Hwnd() && open;
}

void CPaletteChecker::Open(HWND owner) {
    if (IsOpen() || (!Hwnd() && !Create(owner))) {
        return;
    }
    if (shown != input) {
        Recheck();
    }
    FitToContent();
    POINT at = OpeningPosition(owner);
    SetWindowPos(Hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    open = true;
}

void CPaletteChecker::Close() {
    if (!IsOpen()) {
        return;
    }
    RememberPosition();
    ShowWindow(Hwnd(), SW_HIDE);
    open = false;
}

void CPaletteChecker::Toggle(HWND owner) {
    if (IsOpen()) {
        Close();
    } else {
        Open(owner);
    }
}

// A closed checker only keeps the input: the checks wait until it opens. WM_PAINT comes only once
// the queue holds no input, so however many moves of a drag pile up, they are checked and painted
// once.
void CPaletteChecker::Update(const PaletteColors& colors, const std::array<BoxText, 4>& text) {
    input.colors = colors;
    input.text = text;
    if (IsOpen() && shown != input) {
        InvalidateChanges();
    }
}

// Only what a change of colors can alter is repainted: the changed boxes' lines and fixes, and the
// simulations, whose marks can move to any box. A new text size can change any verdict.
void CPaletteChecker::InvalidateChanges() {
    if (!shown || !std::equal(input.text.begin(), input.text.end(), shown->text.begin(),
                              [](const BoxText& a, const BoxText& b) {
                                  return a.pointSize == b.pointSize && a.bold == b.bold;
                              })) {
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return;
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    for (int box = 0; box < 4; ++box) {
        if (input.colors.box[box] != shown->colors.box[box] ||
            input.colors.text[box] != shown->colors.text[box]) {
            const RECT block{0, BoxTop(box), client.right, BoxTop(box) + kLinesPerBox * layout.lineHeight};
            InvalidateRect(Hwnd(), &block, FALSE);
        }
    }
    const RECT simulations{0, layout.simulationsTop, client.right, client.bottom};
    InvalidateRect(Hwnd(), &simulations, FALSE);
}

CheckerState CPaletteChecker::State() const {
    CheckerState state = remembered;
    state.open = open;
    RECT window{};
    if (IsOpen() && GetWindowRect(Hwnd(), &window)) {
        state.placed = true;
        state.left = window.left;
        state.top = window.top;
    }
    return state;
}

void CPaletteChecker::Restore(const CheckerState& state) {
    const bool newTarget = state.target != remembered.target;
    remembered = state;
    if (newTarget && Hwnd()) {
        ChooseTarget(state.target);
    }
}

int CPaletteChecker::BoxTop(int box) const {
    return layout.boxesTop + box * kLinesPerBox * layout.lineHeight;
}

RECT CPaletteChecker::SwatchRect(int row, int box) const {
    if (layout.lineHeight == 0 || row < 0 || row > kVisionDeficiencyCount || box < 0 || box > 3) {
        return {};
    }
    int inset = (layout.lineHeight - layout.swatchHeight) / 2;
    RECT rect{};
    if (row == 0) {
        rect.left = layout.margin + kFrame;
        rect.top = BoxTop(box) + inset;
    } else {
        rect.left = layout.firstSwatchLeft + box * (layout.swatchWidth + kSwatchGap);
        rect.top = layout.simulationsTop + (row - 1) * layout.lineHeight + inset;
    }
    rect.right = rect.left + layout.swatchWidth;
    rect.bottom = rect.top + layout.swatchHeight;
    return rect;
}

// The system's message font, which it gives for its own DPI, at `dpi`.
void CPaletteChecker::MakeFont(int dpi) {
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        WindowDc screen(nullptr);
        LOGFONTW& message = metrics.lfMessageFont;
        message.lfHeight = MulDiv(message.lfHeight, dpi, GetDeviceCaps(screen.Get(), LOGPIXELSY));
        font.Reset(CreateFontIndirectW(&message));
    }
}

// Moved to a screen of another DPI: everything measured again in the font for that screen.
void CPaletteChecker::OnDpiChanged(int dpi, const RECT& suggested) {
    UniqueFont previous = std::move(font);
    MakeFont(dpi);
    for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    }
    MeasureLayout();
    PlaceFixControls();
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitToContent();
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool CPaletteChecker::Create(HWND owner) {
    MakeFont(WindowDpi(owner));
    const wchar_t* className = RegisterWindowClass(0, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreatePopup(className, kCaption, kExStyle, kStyle, RECT{}, owner)) {
        return false;
    }
    MeasureLayout();
    CreateFixControls();
    return true;
}

HGDIOBJ CPaletteChecker::Font() const {
    return font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT);
}

// The columns are as wide as their widest possible text, so the window keeps its size while colors
// are dragged; only the texts of pairs that look alike can make it wider.
void CPaletteChecker::MeasureLayout() {
    WindowDc window(Hwnd());
    const HDC dc = window.Get();
    SelectObjectGuard selected(dc, Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int dpi = WindowDpi(Hwnd());
    layout.margin = ScaleToDpi(kMargin, dpi);
    layout.columnGap = ScaleToDpi(kColumnGap, dpi);
    layout.sectionGap = ScaleToDpi(kSectionGap, dpi);
    layout.swatchHeight = metrics.tmHeight + ScaleToDpi(kSwatchPadding, dpi);
    layout.swatchWidth = 2 * layout.swatchHeight;
    layout.lineHeight = layout.swatchHeight + 2 * kFrame + ScaleToDpi(kLinePadding, dpi);

    std::wstring hex = WidestRun(dc, L"0123456789abcdef", 6);
    std::wstring digit = WidestRun(dc, L"0123456789", 1);
    const int widths[7] = {
        TextWidth(dc, L"Box " + digit),
        TextWidth(dc, L"#" + hex + L" on #" + hex),
        TextWidth(dc, L"oklch(" + digit + digit + digit + L"." + digit + digit + L"% " + digit + L"." +
                          WidestRun(dc, L"0123456789", 5) + L" " + digit + digit + digit + L"." + digit +
                          digit + L")"),
        TextWidth(dc, digit + digit + L"." + digit + digit + L":1"),
        std::max(TextWidth(dc, L"AA pass  AAA pass"), TextWidth(dc, L"AA fail  AAA fail")),
        TextWidth(dc, L"large text"),
        TextWidth(dc, L"Lc -" + digit + digit + digit + L"." + digit),
    };
    layout.columns[0] = layout.margin + kFrame + layout.swatchWidth + layout.columnGap;
    for (size_t i = 1; i < layout.columns.size(); ++i) {
        layout.columns[i] = layout.columns[i - 1] + widths[i - 1] + layout.columnGap;
    }
    layout.boxesWidth = layout.columns[6] + widths[6] + layout.margin;

    const int buttonPadding = 4 * GetSystemMetrics(SM_CXEDGE) + 8;
    layout.targetLabelWidth = TextWidth(dc, L"Contrast target:");
    layout.targetChoiceWidth = TextWidth(dc, L"WCAG AAA") + GetSystemMetrics(SM_CXVSCROLL) + buttonPadding;
    layout.fixAllWidth = TextWidth(dc, L"Fix all text colors") + buttonPadding;
    layout.boxesTop = layout.margin + layout.lineHeight + layout.sectionGap;
    layout.fixButtonWidth = TextWidth(dc, L"Use #" + hex + L" for background") + buttonPadding;
    layout.fixFigureLeft = layout.columns[1] + kFrame + layout.swatchWidth + layout.columnGap / 2 +
                           layout.fixButtonWidth + layout.columnGap;
    layout.fixNoteLeft = layout.fixFigureLeft + std::max(widths[3], widths[6]) + layout.columnGap;
    // The names have a line of their own under the colors, where the longest two fit with room to
    // spare; the box line itself has none for them.
    int colorNameWidth = 0;
    for (const NamedColor& named : CssNamedColors()) {
        colorNameWidth = std::max(colorNameWidth, TextWidth(dc, named.name));
    }
    layout.boxesWidth =
        std::max({layout.boxesWidth,
                  layout.fixNoteLeft + TextWidth(dc, L"no color of this hue passes") + layout.margin,
                  layout.columns[1] + 2 * colorNameWidth + TextWidth(dc, L" on ") + layout.margin});

    layout.headingTop = BoxTop(4) + layout.sectionGap;
    layout.simulationsTop = layout.headingTop + layout.lineHeight;
    int nameWidth = 0;
    for (int row = 0; row < kVisionDeficiencyCount; ++row) {
        nameWidth =
            std::max(nameWidth, TextWidth(dc, VisionDeficiencyName(static_cast<VisionDeficiency>(row))));
    }
    layout.firstSwatchLeft = layout.margin + nameWidth + layout.columnGap + kFrame;
    layout.alikeLeft =
        layout.firstSwatchLeft + 4 * layout.swatchWidth + 3 * kSwatchGap + kFrame + layout.columnGap;
    layout.alikeMinWidth = TextWidth(dc, L"boxes 1 and 2, 3 and 4 look alike");
}

// Only the look-alike texts can change the window's size; true when one of them changed.
bool CPaletteChecker::Recheck() {
    checks = CheckPalette(input.colors, input.text);
    // Each name is a search of the whole table, 148 color differences, so only a color that changed is
    // named again: a drag that gives box 1 its text color names one color a move.
    for (int box = 0; box < 4; ++box) {
        if (!shown || shown->colors.text[box] != input.colors.text[box]) {
            textNames[box] = NearestColorName(input.colors.text[box]);
        }
        if (!shown || shown->colors.box[box] != input.colors.box[box]) {
            backgroundNames[box] = NearestColorName(input.colors.box[box]);
        }
    }
    shown = input;
    FindFixes();
    ShowFixControls();
    bool alikeChanged = false;
    for (int row = 0; row < kVisionDeficiencyCount; ++row) {
        std::wstring alike = AlikeText(checks.simulations[row]);
        alikeChanged |= alike != alikeTexts[row];
        alikeTexts[row] = std::move(alike);
    }
    return alikeChanged;
}

SIZE CPaletteChecker::ClientSize(HDC dc) const {
    int alikeWidth = layout.alikeMinWidth;
    for (const auto& text : alikeTexts) {
        alikeWidth = std::max(alikeWidth, TextWidth(dc, text));
    }
    int width = std::max(layout.boxesWidth, layout.alikeLeft + alikeWidth + layout.margin);
    int height = layout.simulationsTop + kVisionDeficiencyCount * layout.lineHeight + layout.margin;
    return {width, height};
}

void CPaletteChecker::FitToContent() {
    SIZE size{};
    {
        WindowDc dc(Hwnd());
        SelectObjectGuard selected(dc.Get(), Font());
        size = ClientSize(dc.Get());
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    if (client.right == size.cx && client.bottom == size.cy) {
        return;
    }
    RECT window{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&window, kStyle, FALSE, kExStyle);
    SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPaletteChecker::RememberPosition() {
    RECT window{};
    if (GetWindowRect(Hwnd(), &window)) {
        remembered.placed = true;
        remembered.left = window.left;
        remembered.top = window.top;
    }
}

// The remembered place counts only while its caption is on some monitor, where it can be grabbed;
// otherwise the window goes just right of the owner, inside the work area of the owner's monitor.
POINT CPaletteChecker::OpeningPosition(HWND owner) const {
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    if (remembered.placed) {
        RECT caption{remembered.left, remembered.top, remembered.left + width,
                     remembered.top + GetSystemMetrics(SM_CYSMCAPTION)};
        if (MonitorFromRect(&caption, MONITOR_DEFAULTTONULL)) {
            return {remembered.left, remembered.top};
        }
    }
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    // The left and top edges win when the window is larger than the work area.
    int left = std::max(std::min(static_cast<int>(ownerRect.right), static_cast<int>(work.right) - width),
                        static_cast<int>(work.left));
    int top = std::max(std::min(static_cast<int>(ownerRect.top), static_cast<int>(work.bottom) - height),
                       static_cast<int>(work.top));
    return {left, top};
}

LRESULT CPaletteChecker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    // A click on the painted content keeps the keyboard where it was; a control takes the focus as
    // controls do, so that the keyboard can go on among the fixes.
    case WM_MOUSEACTIVATE:
        return LOWORD(lParam) == HTCLIENT ? MA_NOACTIVATE : DefaultProc(message, wParam, lParam);
    // Gone with its owner: the last position stays, and so does whether it was open, for the
    // settings saved on the way out.
    case WM_DESTROY:
        RememberPosition();
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

// Drawn off-screen and copied in one transfer, so the window does not flicker while colors are dragged.
// A window grown for a longer look-alike text gets its new part in the paint that follows.
void CPaletteChecker::Paint(HDC dc, const RECT& client) {
    if (shown != input && Recheck()) {
        FitToContent();
    }
    // The canvas covers only what is to be painted; the rest of the drawing is clipped away.
    RECT area = client;
    GetClipBox(dc, &area);
    OffscreenCanvas canvas(dc, area);
    if (!canvas) {
        return;
    }
    IntersectClipRect(canvas.Get(), area.left, area.top, area.right, area.bottom);
    SelectObjectGuard selectedFont(canvas.Get(), Font());
    FillRect(canvas.Get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(canvas.Get(), TRANSPARENT);
    if (shown) {
        for (int box = 0; box < 4; ++box) {
            PaintBoxLine(canvas.Get(), box);
        }
        SetTextColor(canvas.Get(), GetSysColor(COLOR_BTNTEXT));
        PaintText(canvas.Get(), L"Contrast target:", layout.margin, layout.margin, layout.lineHeight);
        PaintText(canvas.Get(), L"Color vision", layout.margin, layout.headingTop, layout.lineHeight);
        for (int row = 1; row <= kVisionDeficiencyCount; ++row) {
            PaintSimulation(canvas.Get(), row);
        }
    }
}

std::array<std::wstring, 8> CPaletteChecker::BoxLineTexts(int box) const {
    const Color background = shown->colors.box[box];
    const Color text = shown->colors.text[box];
    const BoxContrast& contrast = checks.boxes[box];
    const std::string oklch = OklchText(background);
    return {
        L"Box " + std::to_wstring(box + 1),
        FormatColor(text, kDefaultCopyFormat) + L" on " + FormatColor(background, kDefaultCopyFormat),
        std::wstring(oklch.begin(), oklch.end()),
        FormatContrastRatio(contrast.ratio),
        Verdicts(contrast),
        contrast.largeText ? L"large text" : L"",
        FormatLightnessContrast(contrast.lightnessContrast),
        std::wstring(textNames[box]) + L" on " + std::wstring(backgroundNames[box]),
    };
}

RECT CPaletteChecker::BoxTextRect(int box, int index) const {
    if (layout.lineHeight == 0 || box < 0 || box > 3 || index < 0 || index > 7) {
        return {};
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const bool names = index == 7;
    const int column = names ? 1 : index;
    const int top = BoxTop(box) + (names ? kNamesLine * layout.lineHeight : 0);
    const bool last = names || column + 1 == static_cast<int>(layout.columns.size());
    const int right = last ? client.right - layout.margin : layout.columns[column + 1] - layout.columnGap;
    return {layout.columns[column], top, right, top + layout.lineHeight};
}

void CPaletteChecker::PaintBoxLine(HDC dc, int box) const {
    PaintSwatch(dc, SwatchRect(0, box), shown->colors.box[box], shown->colors.text[box], false);
    const std::array<std::wstring, 8> texts = BoxLineTexts(box);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (size_t i = 0; i < texts.size(); ++i) {
        const RECT place = BoxTextRect(box, static_cast<int>(i));
        PaintText(dc, texts[i], place.left, place.top, layout.lineHeight);
    }
    PaintFixLines(dc, box);
}

// Each button sits in its line as a swatch does, a little taller than the text.
void CPaletteChecker::PlaceFixControls() {
    const int height = layout.swatchHeight + 4;
    const int inset = (layout.lineHeight - height) / 2;
    const int choiceLeft = layout.margin + layout.targetLabelWidth + layout.columnGap / 2;
    MoveWindow(targetChoice, choiceLeft, layout.margin + inset, layout.targetChoiceWidth,
               height + 4 * layout.lineHeight, FALSE);
    MoveWindow(fixAll, choiceLeft + layout.targetChoiceWidth + layout.columnGap, layout.margin + inset,
               layout.fixAllWidth, height, FALSE);
    for (int box = 0; box < 4; ++box) {
        for (int line = 0; line < 2; ++line) {
            MoveWindow(FixButton(box, line == 0), FixSwatchLeft() + layout.swatchWidth + layout.columnGap / 2,
                       BoxTop(box) + (kFirstFixLine + line) * layout.lineHeight + inset,
                       layout.fixButtonWidth, height, FALSE);
        }
    }
}

int CPaletteChecker::FixSwatchLeft() const {
    return layout.columns[1] + kFrame;
}

// Under each box line: its two fixes, each a swatch of the box with the fix, the button, the ratio or
// Lc it reaches and, when no color of the original's hue passes, a word on it; a box that passes
// says so.
void CPaletteChecker::PaintFixLines(HDC dc, int box) const {
    const int textLine = BoxTop(box) + kFirstFixLine * layout.lineHeight;
    const int inset = (layout.lineHeight - layout.swatchHeight) / 2;
    const BoxFixes& found = fixes[box];
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    if (!found.fails) {
        PaintText(dc, std::wstring(L"Passes ") + kContrastTargetLabels[static_cast<int>(remembered.target)],
                  layout.columns[1], textLine, layout.lineHeight);
        return;
    }
    for (bool text : {true, false}) {
        const int top = text ? textLine : textLine + layout.lineHeight;
        const auto& fix = text ? found.text : found.background;
        if (!fix) {
            PaintText(dc, text ? L"No text color passes" : L"No background color passes", layout.columns[1],
                      top, layout.lineHeight);
            continue;
        }
        const RECT swatch{FixSwatchLeft(), top + inset, FixSwatchLeft() + layout.swatchWidth,
                          top + inset + layout.swatchHeight};
        PaintSwatch(dc, swatch, text ? shown->colors.box[box] : fix->color,
                    text ? fix->color : shown->colors.text[box], false);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        PaintText(dc,
                  remembered.target == ContrastTarget::Apca ? FormatLightnessContrast(fix->figure)
                                                            : FormatContrastRatio(fix->figure),
                  layout.fixFigureLeft, top, layout.lineHeight);
        if (fix->blackOrWhite) {
            PaintText(dc, L"no color of this hue passes", layout.fixNoteLeft, top, layout.lineHeight);
        }
    }
}

void CPaletteChecker::PaintSimulation(HDC dc, int row) const {
    const SimulatedPalette& simulated = checks.simulations[row - 1];
    for (int box = 0; box < 4; ++box) {
        PaintSwatch(dc, SwatchRect(row, box), simulated.colors.box[box], simulated.colors.text[box],
                    IsMarked(simulated, box));
    }
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int top = layout.simulationsTop + (row - 1) * layout.lineHeight;
    PaintText(dc, VisionDeficiencyName(static_cast<VisionDeficiency>(row - 1)), layout.margin, top,
              layout.lineHeight);
    PaintText(dc, alikeTexts[row - 1], layout.alikeLeft, top, layout.lineHeight);
}
