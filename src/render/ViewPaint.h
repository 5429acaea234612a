#pragma once
// The view's painting apart from the window: the page area and its
// background, grid, page breaks and shadow, crop marks of printed tiles, the
// refill of the drawing record, the repaint area of an update hint and the
// work space the view scrolls in.
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <functional>

class CDC;
class CKavoDoc;
class CZoomMapping;
struct CDiagObjDrawCtx;

// The page area: the paper, extended by the printable part of each further
// poster column and row.
CRect GetPageAreaRect(const CKavoDoc& doc);
// One tile of the printed grid: the printable area of the paper (the paper
// itself when the document has no printable area).
CRect PrintTileRect(const CKavoDoc& doc);
// The printable area inside the page area (the margins taken off).
CRect GetMarginRect(const CKavoDoc& doc);
// Both sides of the page positive.
bool HasPageSize(const CKavoDoc& doc);

// Logical units per device pixel at the mapping's zoom.
double UnitsPerPixel(const CZoomMapping& mapping);

// Visible logical rectangle grown by one unit: off-page colour, page colour,
// grid, page outline, shadow bands and page breaks.
void DrawPageBackground(CDC& dc, const CKavoDoc& doc, const CRect& visible, int handleSize,
                        double unitsPerPixel);
// The document's grid when both steps are at least 2, each doubled until it
// spans 8 pixels.
void DrawViewGrid(CDC& dc, const CKavoDoc& doc, const CRect& visible, double unitsPerPixel);
// A dotted outline of the margin rectangle, then rows - 1 and cols - 1 break
// lines a tile apart; `transform` maps every point first when given.
using PointTransform = std::function<POINT(POINT)>;
void DrawPageBreaks(CDC& dc, COLORREF back, COLORREF pen, const CRect& page, const CRect& margin,
                    const CRect& tile, int rows, int cols, const PointTransform* transform);
// The page preview of the page setup: the page with its shadow and breaks.
void DrawPagePreview(CDC& dc, COLORREF pageColour, COLORREF penColour, COLORREF breakColour, int shadow,
                     const CRect& page, const CRect& margin, const CRect& tile, int rows, int cols,
                     const PointTransform* transform);
// The L marks at the corners of the printed tile `pageIndex` (from 1) of
// the extent rectangle, one device pixel wide.
void DrawCropMarks(CDC& dc, const CRect& extent, int pageIndex, int cols, int rows);
// The crop marks of printed page `pageIndex` (from 1), framed by the tile
// the page prints, when CropMarks is on and the diagram spans more than one
// page.
void DrawPrintCropMarks(CDC& dc, const CKavoDoc& doc, int pageIndex);

// The handle size: 36 units clamped to [3 px, HandleSize px], in units.
int ViewHandleSize(double unitsPerPixel);
// Fills the record for a screen paint of `clipLog`.
void FillScreenDrawCtx(CDiagObjDrawCtx& ctx, const CZoomMapping& mapping, const CRect& clipLog);

// Print and metafile mapping, always anisotropic, text in the window-text
// colour. Kind 2: the tile of ctx.pageIndex (from 1) fills ctx.printSize,
// which becomes the clip; kinds 3 and 4: ctx.clipRect fills the DC's own
// viewport; both with handle size 1. Any other kind: the screen mapping of
// `mapping`'s client area.
void PreparePrintMapping(CDC& dc, CDiagObjDrawCtx& ctx, int kind, const CKavoDoc& doc,
                         const CZoomMapping& mapping);

// The repaint an update hint asks for: hint 0 everything (`all`), hint 1
// the rectangle grown by handle size + 1 unit, in client pixels grown by one
// more; any other hint nothing. False when nothing is to be repainted.
bool HintRepaintRect(int hint, const CRect* rect, int handleSize, const CZoomMapping& mapping, bool& all,
                     CRect& clientRect);

// The work space of a view with `LimitedWorkspace` on: the page area, with
// the objects when they reach off it, grown by 64 unless at page width,
// holding the anchor and at least the visible size, with symmetric margins.
CRect ComputeLimitedWorkSpace(const CKavoDoc& doc, const CPoint& anchor, CSize visibleLog, bool pageWidthZoom);
// Within +-2^28 units on both axes and at least one unit wide and high.
CRect ClampWorkSpace(const CRect& rc);
// The bounding rectangle of all objects (or of the selected ones).
CRect DocObjectsBounds(const CKavoDoc& doc, bool selectedOnly);
