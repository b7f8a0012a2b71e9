// Process entry point.
#include "app/CHuewrightApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CHuewrightApp app;
    app.InitInstance();
    return 0;
}
