#include "app/SettingsValues.h"

#include <algorithm>

// A high byte would make GDI read the color as a palette index, and the shades and the copied text
// would disagree with what the box shows.
Color ColorFromStored(int stored, Color fallback) {
    auto color = static_cast<Color>(stored);
    return color <= 0x00FFFFFF ? color : fallback;
}

std::wstring CopyFormatFromStored(const std::wstring& stored) {
    if (stored == kNoPathFound) {
        return kDefaultCopyFormat;
    }
    return stored.substr(0, kCopyFormatLimit);
}

std::optional<WindowRect> PlacementFromStored(int left, int top, int width, int height, int screenWidth,
                                              int screenHeight) {
    if (left == 0 && top == 0) {
        left = top = 1;
    }
    // In 64 bits: stored coordinates can be anything, and their sums must not overflow.
    long long right = static_cast<long long>(left) + width;
    long long bottom = static_cast<long long>(top) + height;
    bool overlaps = std::max<long long>(left, 0) < std::min<long long>(right, screenWidth) &&
                    std::max<long long>(top, 0) < std::min<long long>(bottom, screenHeight);
    if (!overlaps) {
        return std::nullopt;
    }
    return WindowRect{left, top, static_cast<int>(right), static_cast<int>(bottom)};
}
