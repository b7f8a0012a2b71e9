// Parents hand WM_DRAWITEM and WM_CTLCOLOR* back to the child they concern, under a message number
// of its own, so an owner-drawn or self-coloring control keeps its drawing to itself.
#pragma once

#include <windows.h>

// The same base as ActiveX control reflection (OCM__BASE), well clear of the controls' own messages.
constexpr UINT kReflectedMessageBase = WM_USER + 0x1C00;

constexpr UINT Reflected(UINT message) {
    return kReflectedMessageBase + message;
}

// Sends a parent's WM_DRAWITEM or WM_CTLCOLOR* to its child; true when the child answered, with
// its answer in result.
bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
