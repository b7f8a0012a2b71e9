// The system's own wording for an error code, for messages that say why something failed.
#pragma once

#include <windows.h>

#include <string>

// The message text without its trailing line break; the code in hex when
// the system has no text for it.
std::wstring SystemErrorText(DWORD code);
