// The palette checker, the "Palette inspector" of the Tools menu: a modeless tool window beside the
// main dialog that shows each box's colors (the background also in OKLCH) with their contrast
// verdicts, and the palette as people with each color vision deficiency see it.
#pragma once

#include "app/CheckerState.h"
#include "app/PaletteChecks.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include <array>
#include <optional>
#include <string>

class CPaletteChecker : public Window {
public:
    CPaletteChecker() = default;
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
    // Remembers the position to open at; opening is left to the caller.
    void Restore(const CheckerState& state);

    // The checks of what the window shows, brought up to date when it opens and when it paints.
    const PaletteChecks& Checks() const { return checks; }
    // Row 0 is the palette itself, rows 1 to 4 its simulations in VisionDeficiency order; client
    // coordinates, empty before the window first opens.
    RECT SwatchRect(int row, int box) const;
    // The texts of a box's line once the window has opened: name, colors, the background's OKLCH,
    // ratio, verdicts, large text and lightness contrast.
    std::array<std::wstring, 7> BoxLineTexts(int box) const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    struct Input {
        PaletteColors colors = kDefaultPalette;
        std::array<BoxText, 4> text{};

        bool operator==(const Input& other) const;
    };
    // Where everything goes, measured once in the window's font.
    struct Layout {
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
    };

    bool Create(HWND owner);
    HGDIOBJ Font() const;
    void MeasureLayout(HDC dc);
    bool Recheck();
    SIZE ClientSize(HDC dc) const;
    void FitToContent();
    void RememberPosition();
    POINT OpeningPosition(HWND owner) const;
    void PaintBoxLine(HDC dc, int box) const;
    void PaintSimulation(HDC dc, int row) const;

    Input input;
    std::optional<Input> shown;
    PaletteChecks checks{};
    std::array<std::wstring, kVisionDeficiencyCount> alikeTexts;
    CheckerState remembered;
    bool open = false;
    Layout layout;
    UniqueFont font;
};
