#include "widgets/COleDropWndTarget.h"

#include "framework/ComGuard.h"
#include "widgets/CxShadeButton.h"
#include "widgets/DropPayload.h"

#include <optional>

namespace {

// The wells put UTF-16 text under CF_TEXT; the block is read as such and never past its end.
std::optional<DroppedColor> DroppedColorOf(IDataObject& data) {
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data.GetData(&format, &medium))) {
        return std::nullopt;
    }
    std::optional<DroppedColor> dropped;
    if (medium.tymed == TYMED_HGLOBAL) {
        if (auto* units = static_cast<const char16_t*>(GlobalLock(medium.hGlobal))) {
            dropped = ParseDropPayload({units, GlobalSize(medium.hGlobal) / sizeof(char16_t)});
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return dropped;
}

} // namespace

bool COleDropWndTarget::Register(HWND window) {
    if (registered) {
        return true;
    }
    if (FAILED(RegisterDragDrop(window, this))) {
        return false;
    }
    registered = window;
    return true;
}

void COleDropWndTarget::Revoke() {
    if (registered) {
        RevokeDragDrop(registered);
        registered = nullptr;
    }
}

HRESULT COleDropWndTarget::QueryInterface(REFIID wanted, void** object) noexcept {
    if (!object) {
        return E_POINTER;
    }
    if (wanted != IID_IUnknown && wanted != IID_IDropTarget) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
}

HRESULT COleDropWndTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) noexcept {
    *effect = DROPEFFECT_COPY;
    return S_OK;
}

HRESULT COleDropWndTarget::DragOver(DWORD, POINTL, DWORD* effect) noexcept {
    *effect = DROPEFFECT_COPY;
    return S_OK;
}

HRESULT COleDropWndTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
    return Guarded(L"IDropTarget::Drop", [&]() -> HRESULT {
        std::optional<DroppedColor> dropped =
            (*effect & DROPEFFECT_COPY) && data ? DroppedColorOf(*data) : std::nullopt;
        if (!dropped) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        button.ApplyDroppedColor(dropped->color, dropped->textColor, GetAsyncKeyState(VK_CONTROL) < 0);
        *effect = DROPEFFECT_COPY;
        return S_OK;
    });
}
