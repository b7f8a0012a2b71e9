// Painting a window at once, for controls that change on every mouse move.
#pragma once

#include <windows.h>

// Has the window print its whole client area into a window DC now, instead of invalidating it and
// waiting for WM_PAINT. Under Wine an invalidation and its WM_PAINT cost seven round trips to the
// server (the update region, the caret, the visible region), a window DC one; a drag move repaints
// eight windows. A window that is not visible is left alone: showing it paints it.
void RepaintNow(HWND window);
