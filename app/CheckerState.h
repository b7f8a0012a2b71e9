// Where the palette checker was and whether it was open, as one settings value.
#pragma once

#include <string>
#include <string_view>

struct CheckerState {
    bool open = false;
    // The window's top-left corner on the screen; none yet when `placed` is false.
    bool placed = false;
    int left = 0;
    int top = 0;

    bool operator==(const CheckerState&) const = default;
};

// "<open>,<left>,<top>", e.g. "1,840,120"; a never-placed window is "<open>".
std::wstring FormatCheckerState(const CheckerState& state);
// A damaged or missing value gives the closed, unplaced default.
CheckerState CheckerStateFromStored(std::wstring_view stored);
