// What every window procedure, subclass procedure and COM callback does with an exception that
// reached it: it must not cross into the system, and it must not vanish unnoticed either.
#pragma once

#include <windows.h>

// Call from inside a catch (...) block: writes where it happened and what was thrown to the
// debugger output.
void ReportCallbackFailure(const wchar_t* where, UINT message) noexcept;
