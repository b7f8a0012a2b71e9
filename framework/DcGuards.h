// Scoped device-context helpers: a selection that is undone, the paint DC of WM_PAINT, a
// borrowed window DC.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

// Selects an object into a DC and puts the previous one back when it goes out of scope.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~SelectObjectGuard() { SelectObject(dc, previous); }
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// BeginPaint/EndPaint pair for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd(hwnd) { dc = BeginPaint(hwnd, &ps); }
    ~PaintDc() { EndPaint(hwnd, &ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc; }
    const PAINTSTRUCT& Info() const { return ps; }

private:
    HWND hwnd;
    PAINTSTRUCT ps{};
    HDC dc;
};

// GetDC/ReleaseDC pair.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd(hwnd), dc(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc) {
            ReleaseDC(hwnd, dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc; }

private:
    HWND hwnd;
    HDC dc;
};
