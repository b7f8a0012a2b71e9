// The palette checker, the "Palette inspector" of the Tools menu: a modeless tool window beside the
// main dialog that shows each box's colors (the background also in OKLCH, both also by their nearest
// names) with their contrast verdicts, the nearest colors that would pass the chosen contrast target as
// buttons that apply them, and the palette as people with each color vision deficiency see it.
#pragma once

#include "app/CheckerState.h"
#include "app/PaletteChecks.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The contrast targets as the checker names them, in ContrastTarget order.
inline constexpr const wchar_t* kContrastTargetLabels[] = {L"WCAG AA", L"WCAG AAA", L"APCA"};

// A color the checker offers a box: as its text color, or as its background.
struct ChosenFix {
    int box;
    bool text;
    Color color;
};

// Who gives the boxes the fixes picked in the checker.
class FixReceiver {
public:
    virtual void ApplyFix(const ChosenFix& fix) = 0;
    // All at once, undone as one.
    virtual void ApplyFixes(std::span<const ChosenFix> fixes) = 0;

protected:
    ~FixReceiver() = default;
};

class CPaletteChecker : public Window {
public:
    static constexpr int kTargetChoiceId = 100;
    static constexpr int kFixAllId = 101;
    static constexpr int FixButtonId(int box, bool text) { return 110 + 2 * box + (text ? 0 : 1); }

    // Without a receiver the fixes are shown but go nowhere.
    explicit CPaletteChecker(FixReceiver* receiver = nullptr) : receiver(receiver) {}
    ~CPaletteChecker() override;

    bool IsOpen() const;
    // Creates the window on first use and shows it without taking the focus from the owner.
    void Open(HWND owner);
    // Hides the window; it opens again where it was.
    void Close();
    void Toggle(HWND owner);

    // Called at every change of the palette: keeps the input and, when the open window shows
    // something else, invalidates it. The checks wait for the paint, so the changes of one input
    // event, or of a run of queued ones, cost one check and one repaint.
    void Update(const PaletteColors& colors, const std::array<BoxText, 4>& text);

    // Whether the window is open and where its top-left corner is (or was last). A window destroyed
    // with its owner still reads as open, as it was when the owner closed.
    CheckerState State() const;
    // Remembers the position to open at and the target; opening is left to the caller.
    void Restore(const CheckerState& state);
    // Tab and the arrow keys among the checker's controls, from the owner's message loop; true when
    // the message was the checker's and has been handled.
    bool PreTranslateMessage(MSG& msg);
    // The list of targets is dropped down.
    bool IsChoosingTarget() const;

    // The checks of what the window shows, brought up to date when it opens and when it paints.
    const PaletteChecks& Checks() const { return checks; }
    // Row 0 is the palette itself, rows 1 to 4 its simulations in VisionDeficiency order; client
    // coordinates, empty before the window first opens.
    RECT SwatchRect(int row, int box) const;
    // The texts of a box's line once the window has opened: name, colors, the background's OKLCH,
    // ratio, verdicts, large text and lightness contrast; then, on the line under it, the nearest
    // names of the colors ("dimgray on darkkhaki").
    std::array<std::wstring, 8> BoxLineTexts(int box) const;
    // Where BoxLineTexts(box)[index] is painted, as wide as the room measured for it; client
    // coordinates, empty before the window first opens.
    RECT BoxTextRect(int box, int index) const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    // What the target asks of a box that fails it: the two fixes, either of which may not exist.
    struct BoxFixes {
        bool fails = false;
        std::optional<ContrastFix> text;
        std::optional<ContrastFix> background;
    };
    struct Input {
        PaletteColors colors = kDefaultPalette;
        std::array<BoxText, 4> text{};

        bool operator==(const Input& other) const;
    };
    // Where everything goes, measured once in the window's font.
    struct Layout {
        // The fixed paddings, in pixels of the window's screen.
        int margin = 0;
        int columnGap = 0;
        int sectionGap = 0;
        int lineHeight = 0;
        int swatchWidth = 0;
        int swatchHeight = 0;
        // The left edges of the text columns of a box line, as BoxLineTexts gives them.
        std::array<int, 7> columns{};
        int boxesWidth = 0;
        int headingTop = 0;
        int simulationsTop = 0;
        int firstSwatchLeft = 0;
        int alikeLeft = 0;
        int alikeMinWidth = 0;
        // The contrast target's row above the boxes, and the fix lines under each box line.
        int targetLabelWidth = 0;
        int targetChoiceWidth = 0;
        int fixAllWidth = 0;
        int boxesTop = 0;
        int fixButtonWidth = 0;
        int fixFigureLeft = 0;
        int fixNoteLeft = 0;
    };

    bool Create(HWND owner);
    void MakeFont(int dpi);
    void OnDpiChanged(int dpi, const RECT& suggested);
    HGDIOBJ Font() const;
    // Measured in the window's font.
    void MeasureLayout();
    bool Recheck();
    void InvalidateChanges();
    SIZE ClientSize(HDC dc) const;
    void FitToContent();
    void RememberPosition();
    POINT OpeningPosition(HWND owner) const;
    void PaintBoxLine(HDC dc, int box) const;
    void PaintSimulation(HDC dc, int row) const;
    int BoxTop(int box) const;
    int FixSwatchLeft() const;

    // The fixes, in CPaletteCheckerFixes.cpp.
    void CreateFixControls();
    void PlaceFixControls();
    void FindFixes();
    void ShowFixControls();
    void PaintFixLines(HDC dc, int box) const;
    void OnCommand(int id, int code);
    void ChooseTarget(ContrastTarget target);

    HWND& FixButton(int box, bool text) { return fixButtons[2 * box + (text ? 0 : 1)]; }

    FixReceiver* receiver;
    std::array<BoxFixes, 4> fixes{};
    // The checker's own children, gone with its window.
    HWND targetChoice = nullptr;
    HWND fixAll = nullptr;
    std::array<HWND, 8> fixButtons{};

    Input input;
    std::optional<Input> shown;
    PaletteChecks checks{};
    std::array<std::wstring, kVisionDeficiencyCount> alikeTexts;
    // The nearest names of each box's text and background, worked out with the checks rather than at
    // each paint.
    std::array<std::wstring_view, 4> textNames{};
    std::array<std::wstring_view, 4> backgroundNames{};
    CheckerState remembered;
    bool open = false;
    Layout layout;
    UniqueFont font;
};
