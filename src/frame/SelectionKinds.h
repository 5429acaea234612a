#pragma once
// The arguments the commands' update rules pass to the document's selection
// look-ups (GetFirstSelFig, GetFirstSelCon, CountSelFigs): which objects
// count, and how grouped objects do.
namespace selkind {
// Group scopes.
constexpr int kUngrouped = 0;
constexpr int kAllObjects = 1;
constexpr int kGroupScope = 2;   // grouped objects as the apply-to-groups settings say
// Filter kinds.
constexpr int kAnyFigure = 0;
constexpr int kLabels = 2;
constexpr int kAnyConnector = 3;
constexpr int kBorderedFigures = 4;   // plain figures without a picture
constexpr int kTextAreas = 5;
constexpr int kRotatableLabels = 6;
constexpr int kPlainFigures = 7;      // neither labels nor junctions
constexpr int kVisibleObjects = 10;
} // namespace selkind
