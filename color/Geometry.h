// Tiny portable geometry for the color controls' pure math (no Win32 types).
// Rect has the Win32 meaning of its four edges; which edges are inclusive is
// stated by each user.
#pragma once

struct Point {
    int x;
    int y;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
    constexpr int Width() const noexcept { return right - left; }
    constexpr int Height() const noexcept { return bottom - top; }
    // Right and bottom edges excluded, as the controls' hit tests want.
    constexpr bool Contains(Point p) const noexcept {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
