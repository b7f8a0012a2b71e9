#include "framework/OffscreenCanvas.h"

#include <algorithm>
#include <utility>

namespace {

// The thread's canvas memory, kept from one paint to the next and grown to the largest area asked
// for. A fresh display-compatible bitmap on every paint makes Wine check the display configuration
// with the server several times over; a DIB section made once does not.
struct SharedCanvas {
    UniqueDc dc;
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
    bool inUse = false;
    HGDIOBJ firstBitmap = nullptr;

    ~SharedCanvas() {
        if (dc && firstBitmap) {
            SelectObject(dc.Get(), firstBitmap);
        }
    }
};

thread_local SharedCanvas shared;

UniqueBitmap MakeBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// Makes the shared canvas at least width x height; false when there is no memory for it.
bool GrowShared(int width, int height) {
    if (!shared.dc) {
        shared.dc.Reset(CreateCompatibleDC(nullptr));
        if (!shared.dc) {
            return false;
        }
    }
    if (width <= shared.width && height <= shared.height) {
        return true;
    }
    UniqueBitmap bigger = MakeBitmap(std::max(width, shared.width), std::max(height, shared.height));
    if (!bigger) {
        return false;
    }
    HGDIOBJ previous = SelectObject(shared.dc.Get(), bigger.Get());
    if (!shared.firstBitmap) {
        shared.firstBitmap = previous;
    }
    shared.width = std::max(width, shared.width);
    shared.height = std::max(height, shared.height);
    shared.bitmap = std::move(bigger);
    return true;
}

} // namespace

OffscreenCanvas::OffscreenCanvas(HDC target, const RECT& area) : target(target), area(area) {
    const int width = area.right;
    const int height = area.bottom;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!shared.inUse && GrowShared(width, height)) {
        shared.inUse = true;
        memory = shared.dc.Get();
        // Each paint starts from a fresh DC's state, as with a DC of its own.
        savedState = SaveDC(memory);
        return;
    }
    ownDc.Reset(CreateCompatibleDC(target));
    ownBitmap = MakeBitmap(width, height);
    if (ownDc && ownBitmap) {
        memory = ownDc.Get();
        SelectObject(memory, ownBitmap.Get());
        savedState = SaveDC(memory);
    }
}

OffscreenCanvas::~OffscreenCanvas() {
    if (!memory) {
        return;
    }
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left,
           area.top, SRCCOPY);
    RestoreDC(memory, savedState);
    if (memory == shared.dc.Get()) {
        shared.inUse = false;
    }
}
