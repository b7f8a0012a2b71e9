// Parents hand WM_DRAWITEM, WM_CTLCOLOR* and control notifications (WM_COMMAND) back to the child
// they concern, under a message number of its own, so an owner-drawn, self-coloring or clickable
// control keeps its behaviour to itself.
#pragma once

#include <windows.h>

// The same base as ActiveX control reflection (OCM__BASE), well clear of the controls' own messages.
constexpr UINT kReflectedMessageBase = WM_USER + 0x1C00;

constexpr UINT Reflected(UINT message) {
    return kReflectedMessageBase + message;
}

// Sends a parent's WM_DRAWITEM, WM_CTLCOLOR* or a control's WM_COMMAND to that child; true when the
// child answered, with its answer in result. Menu and accelerator commands concern no child.
bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
