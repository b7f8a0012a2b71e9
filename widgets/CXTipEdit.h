// An edit control that shows its whole text in a tooltip laid exactly over itself whenever the text
// is wider than the control.
#pragma once

#include "framework/SubclassedControl.h"
#include "framework/UniqueHandle.h"

#include <commctrl.h>

#include <string>

class CXTipEdit : public SubclassedControl {
public:
    CXTipEdit() = default;
    ~CXTipEdit() override;

    // Subclasses the dialog's edit; its tracking tooltip comes when first shown.
    bool Attach(HWND dialog, int id);

    // For the owning dialog's key pre-translation: true when the message is swallowed.
    bool PreTranslateMessage(const MSG& msg) const;
    bool IsTextTruncated() const;

    HWND ToolTip() const { return tooltip.Get(); }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateToolTip();
    void OnMouseMove(POINT point);
    void OnTimer();
    bool CursorInClient(POINT point) const;
    void Deactivate();

    UniqueWindow tooltip;
    TOOLINFOW tool{};
    std::wstring toolText;
};
