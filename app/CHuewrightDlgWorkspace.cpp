// The palette workspace side of the main dialog: auto-assignment of the selected color and its
// shades to the boxes, the assign commands, Undo and picking a box's color back.
#include "app/CHuewrightDlg.h"

#include "app/ColorEntry.h"
#include "app/WorkspaceFlags.h"
#include "res/resource.h"

namespace {

constexpr std::array<int, 4> kFirstColorTargets = {IDC_FIRST_BOX1, IDC_FIRST_BOX2, IDC_FIRST_BOX3,
                                                   IDC_FIRST_BOX4};

} // namespace

void CHuewrightDlg::GiveBoxColor(int index, Color color, const ShadeLook& look) {
    boxes[index].SetShading(look, color);
}

// After a click on the selected-color well, which has already given box 1 the selected color
// unless the assignment runs in reverse.
void CHuewrightDlg::AutoAssignAll() {
    if (!IsChecked(IDC_AUTO_ALL)) {
        return;
    }
    bool inSequence = IsChecked(IDC_IN_SEQUENCE);
    for (int box = inSequence ? 1 : 0; box < 4; ++box) {
        int well = inSequence ? box : 3 - box;
        GiveBoxColor(box, wells[well].GetColor(), kBoxLook);
    }
    for (auto& box : boxes) {
        InvalidateRect(box.Hwnd(), nullptr, TRUE);
    }
    undoAllBoxes = true;
}

// After every change of the selected color, so on every drag move: the options are read from the
// buttons' own state, as a dialog-item lookup is a round trip to the server under Wine.
void CHuewrightDlg::AutoAssignFirst() {
    if (!ShadedButton(IDC_AUTO_FIRST).IsChecked()) {
        return;
    }
    int target = -1;
    for (int i = 0; i < 4 && target < 0; ++i) {
        if (ShadedButton(kFirstColorTargets[i]).IsChecked()) {
            target = i;
        }
    }
    if (target < 0) {
        return;
    }
    Color selected = wells[0].GetColor();
    if (ShadedButton(IDC_FIRST_TO_TEXT).IsChecked()) {
        boxes[target].SetTextColor(selected);
    } else {
        GiveBoxColor(target, selected, kGrainedBoxLook);
    }
    boxes[target].RepaintWithNested();
    lastChangedBox = &boxes[target];
}

void CHuewrightDlg::OnAutoAssignOption(int id) {
    bool autoAll = IsChecked(IDC_AUTO_ALL);
    if (autoAll) {
        undoAllBoxes = true;
    }
    reverseAutoAssign = autoAll && IsChecked(IDC_IN_REVERSE);
    if (id == IDC_IN_SEQUENCE) {
        reverseAutoAssign = false;
    } else if (id == IDC_IN_REVERSE) {
        reverseAutoAssign = autoAll;
    }
}

// Box N takes the color of well N: as background for the box commands, as text for the others.
void CHuewrightDlg::OnAssign(int commandId) {
    static constexpr std::array<int, 4> kBoxCommands = {ID_ASSIGN_BOX1, ID_ASSIGN_BOX2, ID_ASSIGN_BOX3,
                                                        ID_ASSIGN_BOX4};
    static constexpr std::array<int, 4> kTextCommands = {ID_ASSIGN_TEXT1, ID_ASSIGN_TEXT2, ID_ASSIGN_TEXT3,
                                                         ID_ASSIGN_TEXT4};
    for (int n = 0; n < 4; ++n) {
        if (commandId == kBoxCommands[n]) {
            GiveBoxColor(n, wells[n].GetColor(), kBoxLook);
        } else if (commandId == kTextCommands[n]) {
            boxes[n].SetTextColor(wells[n].GetColor());
        } else {
            continue;
        }
        boxes[n].RepaintWithNested();
        lastChangedBox = &boxes[n];
        return;
    }
}

// As an assign command gives a color: the one box changes and is the one Undo puts back.
void CHuewrightDlg::ApplyFix(const ChosenFix& fix) {
    if (fix.text) {
        boxes[fix.box].SetTextColor(fix.color);
    } else {
        GiveBoxColor(fix.box, fix.color, kBoxLook);
    }
    boxes[fix.box].RepaintWithNested();
    lastChangedBox = &boxes[fix.box];
}

// Undone as an auto-assignment is, all four boxes at once: a box without a fix is given its own text
// color again, so that its undo step is this one too and puts back what it shows.
void CHuewrightDlg::ApplyFixes(std::span<const ChosenFix> fixes) {
    if (fixes.empty()) {
        return;
    }
    for (int box = 0; box < 4; ++box) {
        boxes[box].SetTextColor(boxes[box].TextColor());
    }
    for (const ChosenFix& fix : fixes) {
        boxes[fix.box].SetTextColor(fix.color);
    }
    for (auto& box : boxes) {
        InvalidateRect(box.Hwnd(), nullptr, TRUE);
    }
    lastChangedBox = &boxes[fixes.front().box];
    undoAllBoxes = true;
}

void CHuewrightDlg::Undo() {
    if (!lastChangedBox) {
        return;
    }
    if (undoAllBoxes) {
        for (auto& box : boxes) {
            box.UndoLastChange();
        }
        undoAllBoxes = false;
    } else {
        lastChangedBox->UndoLastChange();
    }
    lastChangedBox = nullptr;
}

// The menu opens beside the button: its top-left corner at the button's top-right corner.
void CHuewrightDlg::OnBoxPickButton() {
    RECT button{};
    GetWindowRect(Item(IDC_BOX_PICK), &button);
    TrackPopupMenu(boxPickMenu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.right, button.top,
                   0, Hwnd(), nullptr);
}

// Only the background color can be picked this way; the selector then updates everything else.
void CHuewrightDlg::ApplyBoxPick(int index) {
    selector.SetColor(boxes[index].BoxColor());
}

// A valid entry becomes the selected color; an invalid one keeps the focus in the field, with the
// part to fix selected, until it is valid or empty. Enter in an empty field moves on to the shade
// trackbar; leaving it empty leaves the focus where it went, so Tab goes on in reading order.
void CHuewrightDlg::ApplyColorEntry(bool leaving) {
    const ColorEntry entry = ParseColorEntry(ItemText(IDC_COLOR_VALUE));
    switch (entry.kind) {
    case ColorEntry::Empty:
        if (!leaving) {
            SetFocus(shadeDecrementBar);
        }
        break;
    case ColorEntry::Valid:
        selector.SetColor(entry.color);
        break;
    case ColorEntry::Invalid: {
        HWND field = Item(IDC_COLOR_VALUE);
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, entry.selectionStart, entry.selectionEnd);
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
        statusBar.ShowAlert(kInvalidColorEntryAlert);
        break;
    }
    }
}
