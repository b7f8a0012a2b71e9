// A parent window hosting a color field, a slider and four wells, linked as the main dialog links
// them, that records what the controls tell each other and their parent.
#pragma once

#include "color/ColorCtrlMessages.h"
#include "color/GTColorSelectorWnd.h"
#include "color/GTColorSliderWnd.h"
#include "color/GTColorWellWnd.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

// Every recorder appends to one log, so the order between controls can be checked.
using EventLog = std::vector<std::string>;

class RecordingSlider : public GTColorSliderWnd {
public:
    explicit RecordingSlider(EventLog& log) : log(log) {}

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    EventLog& log;
};

class RecordingWell : public GTColorWellWnd {
public:
    explicit RecordingWell(EventLog& log) : log(log) {}

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    EventLog& log;
};

class ColorParent : public Window, public ShadeDecrementSource {
public:
    explicit ColorParent(EventLog& log) : log(log) {}
    double ShadeDecrement() override { return 20.0; }

    std::vector<WPARAM> statuses;
    std::vector<std::uint32_t> changedValues;
    // Shade well colors as the parent saw them when the status message arrived.
    std::array<GTColorWellWnd*, 3> shadeWells{};
    std::vector<std::array<Color, 3>> shadesAtStatus;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    EventLog& log;
};

class ColorControlsTest : public ::testing::Test {
protected:
    static constexpr int kFieldWidth = 268;
    static constexpr int kFieldHeight = 94;

    void SetUp() override;
    void TearDown() override;

    // Sends a mouse message with client coordinates of the control.
    static void Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0);
    static void Key(HWND hwnd, WPARAM key);
    // Presses and releases Ctrl at the X level with the pointer over the parent, clear of the
    // controls; the focused control gets the key. False when the key did not arrive.
    bool TapCtrl();
    void ClearRecords();

    EventLog log;
    ColorParent parent{log};
    GTColorSelectorWnd selector;
    RecordingSlider slider{log};
    RecordingWell selectedWell{log};
    std::array<GTColorWellWnd, 3> shadeWells;
};
