#pragma once
// Editing the dividers of a special shape on a figure's private copy of its
// symbol: finding a handle under a point, whether a divider can move at
// all, the least sizes that keep each section's text visible, the commit of
// a drag as one undo step, and the moves the in-place text editor asks for
// while text grows. Each change is logged only once it is certain, and a
// refused record undoes it and reports 0.
#include "platform/CRect.h"

class CFigSymbol;
class CFigure;
class CKavoDoc;

// Text sections that limit a divider; further sections keep the shape's
// own least size.
constexpr int kMaxSectionMins = 32;

// The first divider from `first` on whose handle square (side `tolerance`,
// centred on the handle) holds the point; -1 when none.
int DividerAtPoint(const CFigure& fig, const CPoint& pt, int tolerance, int first);

// Per text section (at most 32) the size its text needs, without margins;
// the count.
int GetSectionMinSizes(const CFigure& fig, SIZE* mins);
// Re-measured against the sections as they stand, by the direction the
// divider moves: 1 (heights) the current width and the height the text
// needs there, 2 (widths) the least width at the current height and that
// height, 0 the height at the current width and the least width for it. An
// entry changes only when both measurements succeed.
void MeasureSectionMins(const CFigure& fig, int direction, SIZE* mins, int count);

// Whether the figure's parts accept its symbol's geometry after a divider
// step: every divider has its handle within the figure and every text
// section is a rectangle the right way round. A step they refuse is taken
// back.
bool ValidateSubObjects(const CFigure& fig);

// Whether the divider has room to move: direction 0 always; otherwise a
// probe to either side of the figure (top and bottom for direction 1, right
// and left for direction 2) comes back somewhere other than the handle.
bool CanMoveDivider(const CFigure& fig, int n);
// The divider a press at the point drags: the first movable one under it,
// else the first found (`first`).
int PreferMovableDivider(const CFigure& fig, const CPoint& pt, int tolerance, int first);

// Points the figure at a copy of its symbol under a new name; the old index
// out. 0 (figure unchanged) without a document or symbol or when the copy
// fails.
int CopySymbolForEdit(CFigure& fig, int& oldIndex);
// Back to `index`, the copy in use deleted; 0 when the indexes are equal or
// the delete is refused.
int RestoreSymbol(CFigure& fig, int index);

// Keeps a finished drag: one step UDMAC_RESHAPE recording the figure on its
// old symbol, then the figure on the copy `index`. A copy that is not in the
// library or a refused record leaves the figure on `savedIndex`, deletes the
// copy and gives 0.
int CommitDividerDrag(CKavoDoc& doc, CFigure* fig, int savedIndex, int index, int movesCons);

// Text editor: moves divider n to the point under the drag's limits
// (`skipSection` is left unlimited), recording the figure in the open step;
// 1 when it moved, 0 when nothing changed.
int MoveDividerTo(CKavoDoc& doc, CFigure* fig, int n, const CPoint& pt, int skipSection);
// Text editor: the change of section `box` from oldSize to newSize is taken
// up by that section of a private copy of the symbol; 1 done, 0 nothing.
int ResizeFigSection(CKavoDoc& doc, CFigure* fig, int box, const SIZE& oldSize, const SIZE& newSize);
// The divider that grows `section` by `shift`, its handle moved and limited
// into `pt`; `shift` becomes the part that is possible. 0 when no divider
// serves the section or its handle has no position.
int GetDividerShiftForSection(const CFigSymbol& sym, int section, const CFigure& fig, POINT& shift, int& divider,
                              CPoint& pt);
