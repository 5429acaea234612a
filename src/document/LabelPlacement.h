#pragma once
// Where labels go beside connectors: a lateral label at a point of its
// connector, and the two flow-label slots where a connector meets a figure.
// Every placement leaves the labelled line free and gives the text
// alignment that faces it (horizontal 4 left, 2 centre, 1 right; vertical
// 64 top, 32 middle, 16 bottom).
#include "platform/CRect.h"
#include "platform/GdiTypes.h"

class CConnector;
class CFigure;

// Beyond this ratio of its extents a slanted connector counts as horizontal
// (or vertical) for the label's rectangle.
constexpr double kLatLblNearAxisRatio = 30.0;

// A lateral label of `size` beside the line e1-e2 at `pt` (projected onto the
// segment first). The anchor lies `offset` units off the line (a negative
// offset: the other side): above a horizontal line, right of a vertical one,
// and on a slanted line on its left when read left to right (above it).
// With consistency 1 the side follows the line's direction instead: a
// horizontal line read right to left, a vertical one read upwards and a
// slanted one read right to left take the other side. The label touches
// the anchor with the side that faces the line; along a near-horizontal or
// near-vertical line it stays within the segment.
void PlaceLatLbl(const POINT& e1, const POINT& e2, const POINT& pt, const CSize& size, int offset, int consistency,
                 CPoint& anchor, CRect& rect, WORD& align);

// Whether pt lies in the band a label sweeps on its way from rectangle `a`
// to rectangle `b` of the same size (the hull of the two): where a lateral
// label placed anywhere along its line may cover.
bool PtInSweptRect(const CRect& a, const CRect& b, const POINT& pt);

// The point of a lateral label that faces its line e1-e2, from the
// alignment PlaceLatLbl gave it: 1 to 8 clockwise from the top left (2 the
// middle of the top, 4 of the right side, 6 of the bottom, 8 of the left).
// Along a near-horizontal line the middle of the top or bottom, along a
// near-vertical one the middle of a side, else a corner.
int LatLblSideCode(const POINT& e1, const POINT& e2, WORD align);
// The point of `rc` at such a code (the centre for another code), and the
// text alignment that faces that point.
CPoint RectPointAtSideCode(const CRect& rc, int code);
WORD AlignFacingSideCode(int code);

// The two slots of a flow label of `size` where the connector meets `fig`:
// slot 1 above or left of the connector, slot 2 below or right of it, each
// touching the figure's rectangle grown by `inflate` (unless the figure has
// flag 0x4000000) at `gap` units from the connector (a slot the slanted
// connector leans over moves further along the side to keep that gap; one
// that runs past the side's end goes round the corner). The corner codes say
// which point of each label touches the connector (3 x column + row). False
// for an invisible figure or a connector that does not reach the figure.
bool CalcFlowLblRects(const CConnector& con, const CFigure& fig, const CSize& size, int gap, int inflate, CRect& r1,
                      CRect& r2, int& corner1, int& corner2);

// The alignment of a flow label whose corner `corner` touches its
// connector; 0 for a code outside 0..8.
WORD FlowLblAlign(int corner);

// A figure label's place at position code 1..12 (clockwise from the top
// left): the figure's anchor and the label's anchor (0 / 127 / 255 on each
// axis) and the text alignment that faces the figure (horizontal, vertical).
// Any other code means "where it is": both anchors at the centres and the
// text centred (2, 32).
struct FigLblPlace {
    int figX, figY, lblX, lblY;
    WORD alignH, alignV;
};
FigLblPlace FigLblPlaceOf(int code);

// The position code of a label of `size` dropped at `pt` beside the figure
// rectangle `rc`: above and below it three bands of b = min(width, side / 3)
// give 1, 2, 3 and 9, 8, 7; left and right of it three bands of
// b = min(height, side / 3) give 12, 11, 10 and 4, 5, 6. The corners, the
// ring of `tol` round the figure, the inside and anything further than a
// label's extent give 0.
int FigLblPosFromPt(const CRect& rc, const POINT& pt, const CSize& size, int tol);

class CKavoDoc;
// Whether a figure label of the figure sits at the position code (1..12
// clockwise from the top left): its staple has that position's anchors.
bool HasFigLabelAt(const CKavoDoc& doc, const CFigure* fig, int code);
