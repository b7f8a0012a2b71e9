// OLE initialised for as long as the object lives; a failure only costs the clipboard and
// drag-and-drop, so it is reported rather than fatal.
#pragma once

#include <ole2.h>

class OleSession {
public:
    OleSession() : initialized(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialized) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    bool Initialized() const { return initialized; }

private:
    bool initialized;
};
