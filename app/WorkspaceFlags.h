// The process-wide values that the main dialog, the color controls and the box buttons share.
// Everything runs on the one user-interface thread, so they are plain values.
#pragma once

class CxShadeButton;

// A left-button drag in the color field is running: box color changes keep their undo memory.
extern bool selectorDragActive;
// The box whose color changed last: the target of Undo (null after an Undo).
extern CxShadeButton* lastChangedBox;
// The last change was an auto-assignment to all four boxes, so Undo restores all of them.
extern bool undoAllBoxes;
// Auto-assign to all boxes runs in reverse: a click on the selected-color well leaves box 1 to it.
extern bool reverseAutoAssign;
