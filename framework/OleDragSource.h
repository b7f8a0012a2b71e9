// The source side of OLE drag-and-drop: a data object offering one global memory block under one
// clipboard format, a drop source for a drag started with either mouse button, and the drag itself.
#pragma once

#include "framework/ComPtr.h"
#include "framework/UniqueHandle.h"

#include <ole2.h>

enum class DragButton { Left, Right };

// The data object owns the block and frees it when the last reference goes.
ComPtr<IDataObject> CreateGlobalDataObject(CLIPFORMAT format, UniqueGlobal block);
ComPtr<IDropSource> CreateDropSource(DragButton button);

// Tracks the mouse with capture until it leaves startRect (screen coordinates), then runs the OLE
// drag of the block. Returns the effect the drop target chose, DROPEFFECT_NONE when nothing was
// dropped: the button released inside startRect, the drag cancelled or released over no target.
DWORD DragGlobalBlock(HWND source, const RECT& startRect, DragButton button, CLIPFORMAT format,
                      UniqueGlobal block, DWORD allowedEffects);
