// The status bar along the bottom of the main dialog: an owner-drawn first pane for color texts and
// alerts, and a second pane for the lock state of mouse tracking in the color controls. Screen readers
// read the panes as parts of the bar.
#pragma once

#include "framework/AccessibleObject.h"
#include "framework/SubclassedControl.h"
#include "framework/UniqueHandle.h"

#include <cstddef>
#include <string>

// The id a framework status bar carries (AFX_IDW_STATUS_BAR).
constexpr int kStatusBarId = 0xE801;

class CDlgStatusBar : public SubclassedControl, private AccessibleSource {
public:
    CDlgStatusBar() = default;
    ~CDlgStatusBar() override;

    // Creates the bar as a bottom-aligned child of the dialog and sets up both panes; false if the
    // control could not be made, in which case texts set later show nowhere.
    bool Create(HWND dialog);

    // The text of the first pane, drawn in the alert color until the pane is next painted.
    void ShowAlert(const std::wstring& text);
    void SetText(const std::wstring& text);
    const std::wstring& Text() const { return text; }
    void SetLockText(bool locked);
    void OnDpiChanged();

    void DrawItem(const DRAWITEMSTRUCT& item);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    AccessibleFacts Facts(LONG child) override;
    LONG ChildCount() override { return 2; }
    RECT ChildLocation(LONG child) override;
    void MeasureLockPane();
    void SetPaneWidths();
    void RepaintTextPane();
    void PaintText(HDC dc, const RECT& pane);
    LRESULT CopyText(wchar_t* buffer, std::size_t capacity) const;

    std::wstring text;
    std::wstring unlockedText;
    // What the lock pane shows now.
    const wchar_t* lockText = nullptr;
    int lockPaneWidth = 0;
    bool alertPending = false;
    // Where the bar last had the first pane drawn, inside its border; empty until it has.
    RECT textRect{};
    UniqueWindow bar;
    ControlAccessibility accessibility{*this};
};

// Makes the dialog taller by the height of its bottom-aligned status bar, keeping its top-left corner
// and its controls where they are, and lays the bar out along the new bottom edge. Without a bar it
// does nothing.
void RepositionForStatusBar(HWND dialog, HWND statusBar);
