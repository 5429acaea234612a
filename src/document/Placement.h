#pragma once
// Where new, pasted and duplicated objects go: the middle of the visible
// area first, then each one a step further down and to the right. The state
// is application-wide.

struct PlacementState {
    int counter = 0;
    int offsetX = 0;
    int offsetY = 0;
    int origin[2] = {0, 0};   // the paste origin
};

PlacementState& GetPlacementState();
// Counter, offsets and paste origin back to 0.
void ResetPasteOffset();
bool IsPasteOriginUnset();
// The active document's snapping switch.
bool IsSnapOn();
