// The per-user settings the program keeps between runs, with their defaults, and the rules that
// turn stored values into program values: colors, the copy format's "no path found" marker and the
// window placement that always keeps the template's size on the primary screen.
#pragma once

#include "app/CheckerState.h"
#include "library/PaletteColors.h"

#include <optional>
#include <string>

// The longest copy format the format dialog accepts.
constexpr std::size_t kCopyFormatLimit = 32;
constexpr const wchar_t* kDefaultCopyFormat = L"#RRGGBB";
// What the profile hands back for a missing copy format.
constexpr const wchar_t* kNoPathFound = L"no path found";

struct SettingsValues {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    PaletteColors colors{kDefaultPalette.box, {0x00556974, 0, 0, 0}};
    int curPalette = -1;
    Color curColor = 0x00D08300;
    int dontShowTooltips = 0;
    int showAllColors = 0;
    int colorFormat = 0;
    std::wstring colorFormatStr = kDefaultCopyFormat;
    CheckerState checker;
};

// A stored color as the program uses it: a number with bits above 0x00FFFFFF is no color, and the
// fallback stands in for it.
Color ColorFromStored(int stored, Color fallback);

// The stored copy format as the program uses it: the marker reads as "#RRGGBB", and a text longer
// than the format buffer holds is cut to it.
std::wstring CopyFormatFromStored(const std::wstring& stored);

struct WindowRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Where the window goes: the stored origin ((0, 0) meaning (1, 1)) with the window's own size, or
// nothing when that rectangle misses the primary screen entirely.
std::optional<WindowRect> PlacementFromStored(int left, int top, int width, int height, int screenWidth,
                                              int screenHeight);
