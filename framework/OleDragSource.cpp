#include "framework/OleDragSource.h"

#include "framework/ComGuard.h"
#include "framework/ShellFunctions.h"

#include <new>
#include <utility>

namespace {

// IUnknown for an object that implements one interface and lives on the heap until its last
// reference is released.
template <typename Interface> class ComObject : public Interface {
public:
    explicit ComObject(REFIID iid) : iid(iid) {}
    virtual ~ComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** object) noexcept override {
        if (!object) {
            return E_POINTER;
        }
        if (wanted != IID_IUnknown && wanted != iid) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

private:
    const IID& iid;
    ULONG references = 1;
};

class GlobalDataObject final : public ComObject<IDataObject> {
public:
    GlobalDataObject(CLIPFORMAT format, UniqueGlobal block)
        : ComObject(IID_IDataObject), offered{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
          block(std::move(block)) {}

    // The medium shares the block: the receiver's ReleaseStgMedium releases this object instead of
    // freeing it.
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) noexcept override {
        return Guarded(L"IDataObject::GetData", [&]() -> HRESULT {
            if (!medium) {
                return E_INVALIDARG;
            }
            HRESULT offeredHere = QueryGetData(wanted);
            if (offeredHere != S_OK) {
                return offeredHere;
            }
            if (!block) {
                return E_OUTOFMEMORY;
            }
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = block.Get();
            medium->pUnkForRelease = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) noexcept override {
        return Guarded(L"IDataObject::QueryGetData", [&]() -> HRESULT {
            if (!wanted) {
                return E_INVALIDARG;
            }
            if (wanted->cfFormat != offered.cfFormat) {
                return DV_E_FORMATETC;
            }
            if (wanted->dwAspect != DVASPECT_CONTENT) {
                return DV_E_DVASPECT;
            }
            return (wanted->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
        });
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) noexcept override {
        return Guarded(L"IDataObject::EnumFormatEtc", [&]() -> HRESULT {
            if (!formats) {
                return E_POINTER;
            }
            *formats = nullptr;
            return direction == DATADIR_GET ? CreateStdFormatEnumerator(1, &offered, formats) : E_NOTIMPL;
        });
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    // The interface asks for a null target device even when there is no canonical format.
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) noexcept override {
        if (canonical) {
            canonical->ptd = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    FORMATETC offered;
    UniqueGlobal block;
};

class ButtonDropSource final : public ComObject<IDropSource> {
public:
    explicit ButtonDropSource(DragButton button) : ComObject(IID_IDropSource), button(button) {}

    // Pressing the other button as well cancels, as Escape does.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) noexcept override {
        return Guarded(L"IDropSource::QueryContinueDrag", [&]() -> HRESULT {
            DWORD held = button == DragButton::Left ? MK_LBUTTON : MK_RBUTTON;
            DWORD other = button == DragButton::Left ? MK_RBUTTON : MK_LBUTTON;
            if (escapePressed || (keyState & other)) {
                return DRAGDROP_S_CANCEL;
            }
            return (keyState & held) ? S_OK : DRAGDROP_S_DROP;
        });
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    DragButton button;
};

bool IsButtonMessage(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

// Nothing is dragged until the mouse leaves the start rectangle, so a press and release inside it
// stays a plain click. The mouse and key messages read here are the gesture's own and are not
// dispatched; anything else waits in the queue.
bool WaitForDragStart(HWND source, const RECT& startRect) {
    SetCapture(source);
    bool started = false;
    bool ended = false;
    while (!started && !ended && GetCapture() == source) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
            PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
            if (msg.message == WM_MOUSEMOVE) {
                started = !PtInRect(&startRect, msg.pt);
            } else {
                ended =
                    IsButtonMessage(msg.message) || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE);
            }
        } else {
            // Sent messages wake the wait too: a lost capture arrives as one.
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_INPUT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        }
    }
    if (GetCapture() == source) {
        ReleaseCapture();
    }
    return started;
}

} // namespace

ComPtr<IDataObject> CreateGlobalDataObject(CLIPFORMAT format, UniqueGlobal block) {
    return ComPtr<IDataObject>(new GlobalDataObject(format, std::move(block)));
}

ComPtr<IDropSource> CreateDropSource(DragButton button) {
    return ComPtr<IDropSource>(new ButtonDropSource(button));
}

DWORD DragGlobalBlock(HWND source, const RECT& startRect, DragButton button, CLIPFORMAT format,
                      UniqueGlobal block, DWORD allowedEffects) {
    if (!WaitForDragStart(source, startRect)) {
        return DROPEFFECT_NONE;
    }
    auto data = CreateGlobalDataObject(format, std::move(block));
    auto dropSource = CreateDropSource(button);
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DoDragDrop(data.get(), dropSource.get(), allowedEffects, &effect);
    return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}
