// The controls of a dialog group, as the dialog manager's group walk (GetNextDlgGroupItem forward)
// meets them, found by looking only at the group's own siblings.
#pragma once

#include <windows.h>

#include <vector>

// Every other visible, enabled control of `control`'s group: those after it up to the group's end,
// then those from the group's start. A group starts at a WS_GROUP control and runs to the next
// one; the dialog manager takes the children as a ring, so the controls before the first WS_GROUP
// control end the last group. The system's walk goes round every child of the dialog to come back
// to the group's start, and under Wine each step is a round trip to the server.
std::vector<HWND> OtherGroupMembers(HWND control);
