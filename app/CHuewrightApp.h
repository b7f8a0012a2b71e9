// The application object: one running instance per user session, OLE for the clipboard and
// drag-and-drop, and the main dialog run modally for the life of the process.
#pragma once

#include "framework/UniqueHandle.h"

class CHuewrightApp {
public:
    // Runs the program; returns false in every case so the process ends afterwards, as the
    // modal dialog is the only loop there is.
    bool InitInstance();

private:
    static void ActivateFirstInstance();

    UniqueHandle instanceMutex;
};
