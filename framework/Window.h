// Base class for the program's own windows: links the HWND to its object on WM_NCCREATE, answers the
// messages every one of them treats alike through virtual hooks (painting, size, system colors,
// dialog keys) and hands the rest to one virtual OnMessage that derived classes switch on.
// A class that cleans up on WM_DESTROY calls Destroy() from its own destructor: by the time the base
// destructor runs the derived part is gone, so the base only unlinks the object and destroys the
// window without it.
#pragma once

#include <windows.h>

#include <string>

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Hwnd() const { return hwnd; }
    int ControlId() const;
    // Destroys the window while the whole object still exists.
    void Destroy();

    // Registers (or reuses) a class with these attributes and returns its name.
    static const wchar_t* RegisterWindowClass(UINT classStyle, HCURSOR cursor);

    bool CreateChild(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                     HWND parent, int id);
    // A top-level window owned by `owner` (which may be null).
    bool CreatePopup(const wchar_t* className, const wchar_t* text, DWORD exStyle, DWORD style,
                     const RECT& rect, HWND owner);

protected:
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc, after reflecting WM_DRAWITEM and WM_CTLCOLOR* to the child they concern.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_PAINT and WM_PRINTCLIENT both end here, so tests can render into a DC of their own. The
    // background is never erased: Paint covers the whole client area.
    virtual void Paint(HDC dc, const RECT& client);
    // WM_SIZE, after the default handling, with the new client size.
    virtual void OnSize(int width, int height);
    virtual void OnSysColorChange();
    // The answer to WM_GETDLGCODE: which keys the window wants from the dialog manager; `message` is
    // the key message the manager is about to handle, or null.
    virtual UINT DialogCode(const MSG* message) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaintMessage(UINT message, WPARAM wParam);

    HWND hwnd = nullptr;
};
