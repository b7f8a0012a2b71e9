// Scoped device-context helpers: a selection that is undone, the paint DC of WM_PAINT, a
// borrowed window DC and an off-screen canvas.
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

// A memory bitmap of the client's size to paint into, copied to the target in one transfer when it
// goes out of scope, so a window repainted on every mouse move never flickers. Without memory for
// it there is nothing to paint into and nothing is copied.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, const RECT& client)
        : target(target), client(client), memory(CreateCompatibleDC(target)),
          bitmap(CreateCompatibleBitmap(target, client.right, client.bottom)),
          previous(memory && bitmap ? SelectObject(memory.Get(), bitmap.Get()) : nullptr) {}
    ~OffscreenCanvas() {
        if (previous) {
            BitBlt(target, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
            SelectObject(memory.Get(), previous);
        }
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    explicit operator bool() const { return previous != nullptr; }
    HDC Get() const { return memory.Get(); }

private:
    HDC target;
    RECT client;
    UniqueDc memory;
    UniqueBitmap bitmap;
    HGDIOBJ previous;
};
