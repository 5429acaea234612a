#pragma once
// Swapping two styles' places in the document's style-bar layout (the
// Ctrl-drag between two buttons of a row). The layouts before the first
// change are kept (SnapshotStyleBar) so that Reset to Default still goes
// back to them.
class CKavoDoc;

// Swaps two figure or label styles (the layout by style a's kind); refused
// for a negative or equal pair or a style a that does not exist. Marks the
// document modified when the swap happened.
bool SwapFigStylesOnBar(CKavoDoc& doc, int styleA, int styleB);
bool SwapConStylesOnBar(CKavoDoc& doc, int styleA, int styleB);
