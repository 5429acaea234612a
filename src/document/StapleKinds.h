#pragma once
// What the maintenance pass reads of a pin's attachment kind. The table
// starts as the attach kinds (AttachKinds.h); a link without a row takes the
// defaults.
#include <vector>

struct CStapleKindEntry {
    int id = 0;
    int leaderBehind = 0;        // Figure1 is stacked behind Figure2
    int redrawLeader = 0;        // 1: Figure1 is redrawn when Figure2 changes
    int keepOnLeaderResize = 0;  // no follow when only Figure1 was resized
    int keepOnOwnResize = 0;     // no follow when only Figure2 was resized
};

void SetStapleKindTable(const std::vector<CStapleKindEntry>& entries);
// Back to the attach kinds, and the pass guards cleared.
void ResetStapleState();
