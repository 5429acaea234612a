#pragma once
// The document's side of rearranging the style bar: a snapshot of its three
// button layouts and its bar width to go back to, going back to it, and
// swapping two styles' places in a layout. The Customize sheet and the
// Ctrl-drag on the bar's buttons use them.
class CKavoDoc;

// Takes the snapshot unless one is held (a saved width and three defined
// saved layouts); true when it was taken.
bool SnapshotStyleBarLayouts(CKavoDoc& doc);
// Puts the saved width and every defined saved layout back, empties the
// saved copies and resolves the entries by name again, dropping styles that
// are gone; marks the document modified. True when anything came back.
bool RestoreStyleBarLayouts(CKavoDoc& doc);
// Swaps two figure or label styles (the layout by style a's kind); refused
// for a negative or equal pair or a style a that does not exist. Takes the
// snapshot first and marks the document modified when the swap happened.
bool SwapFigStylesOnBar(CKavoDoc& doc, int styleA, int styleB);
bool SwapConStylesOnBar(CKavoDoc& doc, int styleA, int styleB);
