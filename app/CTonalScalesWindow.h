// The "Tonal scales" tool window beside the palette inspector: for each of the palette's eight colors
// and for the selected color, a row of its eleven steps, each showing its step name, hex and contrast
// against white and black. A click makes a step the selected color; a drag drops it on a box as a
// color well's drag does.
#pragma once

#include "color/TonalScales.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"
#include "library/PaletteColors.h"

#include <array>
#include <optional>

// Who takes the step a click picks.
class ScaleColorReceiver {
public:
    virtual void TakeScaleColor(Color color) = 0;

protected:
    ~ScaleColorReceiver() = default;
};

class CTonalScalesWindow : public Window {
public:
    // Box 1, text 1, box 2, text 2, ... text 4, then the selected color.
    static constexpr int kRows = 9;

    explicit CTonalScalesWindow(ScaleColorReceiver* receiver = nullptr) : receiver(receiver) {}
    ~CTonalScalesWindow() override;

    bool IsOpen() const;
    // Creates the window on first use and shows it right of `beside` (the inspector when it is open,
    // else the owner) without taking the focus.
    void Open(HWND owner, HWND beside);
    void Close();
    void Toggle(HWND owner, HWND beside);

    // Called at every change of the palette or the selected color: a closed window only keeps them;
    // an open one repaints, and the scales are made in the paint, once for a run of changes.
    void Update(const PaletteColors& colors, Color selected);

    // Client coordinates; empty before the window first opens.
    RECT SwatchRect(int row, int step) const;
    // The scale a row shows, brought up to date when the window opens and when it paints.
    const TonalScale& Scale(int row) const { return scales[row]; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    struct Input {
        PaletteColors colors = kDefaultPalette;
        Color selected = 0;

        bool operator==(const Input&) const = default;
    };
    struct Layout {
        int margin = 0;
        int labelWidth = 0;
        int cellWidth = 0;
        int cellHeight = 0;
        int gap = 0;
        int lineHeight = 0;
    };

    bool Create(HWND owner);
    void Measure();
    void MakeScales();
    void PaintRow(HDC dc, int row) const;
    // The row and step under a client point, if any.
    std::optional<std::pair<int, int>> StepAt(POINT point) const;
    void DragStep(int row, int step, bool rightButton);

    ScaleColorReceiver* receiver;
    Input input;
    std::optional<Input> shown;
    std::array<TonalScale, kRows> scales{};
    bool open = false;
    Layout layout;
    UniqueFont font;
};
