// A memory bitmap to paint into, copied to the target in one transfer when it goes out of scope, so a
// window repainted on every mouse move never flickers. Without memory for it there is nothing to paint
// into and nothing is copied.
#pragma once

#include "framework/UniqueHandle.h"

#include <windows.h>

class OffscreenCanvas {
public:
    // `area` is in the target's coordinates; the canvas uses the same ones.
    OffscreenCanvas(HDC target, const RECT& area);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    explicit operator bool() const { return memory != nullptr; }
    HDC Get() const { return memory; }

private:
    HDC target;
    RECT area;
    HDC memory = nullptr;
    int savedState = 0;
    // Only for a canvas made while the thread's shared one is in use; the DC goes first, releasing
    // the bitmap.
    UniqueBitmap ownBitmap;
    UniqueDc ownDc;
};
