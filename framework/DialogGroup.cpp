#include "framework/DialogGroup.h"

namespace {

bool StartsGroup(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_GROUP) != 0;
}

bool TakesPart(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

HWND NextInRing(HWND window) {
    HWND next = GetWindow(window, GW_HWNDNEXT);
    return next ? next : GetWindow(window, GW_HWNDFIRST);
}

HWND PreviousInRing(HWND window) {
    HWND previous = GetWindow(window, GW_HWNDPREV);
    return previous ? previous : GetWindow(window, GW_HWNDLAST);
}

} // namespace

std::vector<HWND> OtherGroupMembers(HWND control) {
    HWND start = control;
    while (!StartsGroup(start)) {
        start = PreviousInRing(start);
        if (!start || start == control) {
            // No control starts a group: all of them make one.
            start = control;
            break;
        }
    }
    std::vector<HWND> before, after;
    bool pastControl = false;
    HWND member = start;
    do {
        if (member == control) {
            pastControl = true;
        } else if (TakesPart(member)) {
            (pastControl ? after : before).push_back(member);
        }
        member = NextInRing(member);
    } while (member && member != start && !StartsGroup(member));
    after.insert(after.end(), before.begin(), before.end());
    return after;
}
