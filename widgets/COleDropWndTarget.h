// The drop target each palette box carries: any drag over a box shows the copy cursor, and a
// dropped color text becomes the box's (or, with Ctrl, its nested box's) box or text color.
#pragma once

#include <ole2.h>

class CxShadeButton;

// Lives inside its button, so its reference count only tracks OLE's use of it.
class COleDropWndTarget : public IDropTarget {
public:
    explicit COleDropWndTarget(CxShadeButton& button) : button(button) {}
    COleDropWndTarget(const COleDropWndTarget&) = delete;
    COleDropWndTarget& operator=(const COleDropWndTarget&) = delete;
    virtual ~COleDropWndTarget() = default;

    // Needs OLE initialised for the thread; false otherwise.
    bool Register(HWND window);
    // Before the window goes.
    void Revoke();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID wanted, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return --references; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) noexcept override;

private:
    CxShadeButton& button;
    HWND registered = nullptr;
    ULONG references = 0;
};
