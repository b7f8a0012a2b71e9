// Where the palette checker was, whether it was open and the contrast target it judges by, as one
// settings value.
#pragma once

#include "color/ContrastFixes.h"

#include <string>
#include <string_view>

struct CheckerState {
    bool open = false;
    // The window's top-left corner on the screen; none yet when `placed` is false.
    bool placed = false;
    int left = 0;
    int top = 0;
    ContrastTarget target = ContrastTarget::AA;

    bool operator==(const CheckerState&) const = default;
};

// "<open>,<left>,<top>", e.g. "1,840,120"; a never-placed window is "<open>". A target other than AA
// follows as a fourth field, "1,840,120,AAA" ("<open>,,,APCA" unplaced).
std::wstring FormatCheckerState(const CheckerState& state);
// A damaged or missing value gives the closed, unplaced default; a value without a target reads as AA.
CheckerState CheckerStateFromStored(std::wstring_view stored);
