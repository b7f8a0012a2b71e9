#include "app/WorkspaceFlags.h"

bool selectorDragActive = false;
CxShadeButton* lastChangedBox = nullptr;
bool undoAllBoxes = false;
bool reverseAutoAssign = false;
