#include "tests/win/MainDialogFixture.h"

#include "app/WorkspaceFlags.h"
#include "res/resource.h"

void MainDialogFixture::SetUp() {
    ASSERT_TRUE(dialog.CreateModeless());
    PumpMessages(&dialog, settle);
}

// The workspace flags outlive the dialog: the next test of the process starts without them.
void MainDialogFixture::TearDown() {
    DestroyWindow(dialog.Hwnd());
    TakeQuitMessage();
    selectorDragActive = false;
    lastChangedBox = nullptr;
    undoAllBoxes = false;
    reverseAutoAssign = false;
}

void MainDialogFixture::Command(int id) {
    SendMessageW(dialog.Hwnd(), WM_COMMAND, id, 0);
}

PaletteColors BoxColorsOf(CHuewrightDlg& dialog) {
    PaletteColors colors;
    for (int i = 0; i < 4; ++i) {
        colors.box[i] = dialog.Box(i).BoxColor();
        colors.text[i] = dialog.Box(i).TextColor();
    }
    return colors;
}

std::wstring MainDialogFixture::StatusText() {
    Command(ID_COPY_STATUS_BAR);
    return ClipboardText();
}
