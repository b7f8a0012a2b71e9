// A static text that looks and acts like a web link: underlined, blue, red under the mouse, purple
// once clicked, with the hand cursor and a tooltip of its own; a click opens its URL with the shell.
#pragma once

#include "color/ColorMath.h"
#include "framework/SubclassedControl.h"
#include "framework/UniqueHandle.h"

#include <string>

class CMyHyperLink : public SubclassedControl {
public:
    // Subclasses the dialog's static and gives it the link's font, cursor and tooltip.
    bool Attach(HWND dialog, int id);

    bool EnableToolTip(bool enable);
    void SetToolTipText(const std::wstring& text);
    void SetURL(const std::wstring& url) { this->url = url; }
    void SetTipColors(Color background, Color text);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PreSubclassWindow();
    void CreateToolTip();
    void OnMouseMove(POINT point);
    void OnClicked();
    LRESULT OnCtlColor(HDC dc) const;
    void Repaint() const;

    bool toolTipEnabled = false;
    bool hovering = false;
    bool visited = false;
    // A shared system cursor: borrowed, never destroyed.
    HCURSOR cursor = nullptr;
    UniqueFont underlinedFont;
    UniqueWindow toolTip;
    std::wstring url;
    Color linkColor = 0xFF0000;
    Color hoverColor = 0x0000FF;
    Color visitedColor = 0x8F2205;
};
