#include "render/ViewPaint.h"

#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "graphics/DrawGrid.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "platform/SysColors.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr COLORREF kBlack = 0x000000;
constexpr int kCropArm = 64;
constexpr int kGridMinPixels = 8;
constexpr int kHandleUnits = 36;
constexpr int kHitPixels = 40;

int Round(double v)
{
    return int(std::lround(v));
}

void OutlineRect(CDC& dc, const CRect& rc)
{
    CPen pen(PS_SOLID, 1, kBlack);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(&rc);
    dc.SelectObject(oldPen);
    if (oldBrush)
        dc.SelectObject(static_cast<CBrush*>(oldBrush));
}
} // namespace

CRect GetPageAreaRect(const CKavoDoc& doc)
{
    // A page from a file may claim any size: the area is held to a range in
    // which later sums and the device mapping stay within int.
    static constexpr long long kLimit = 1LL << 28;
    const CRect& sheet = doc.m_rcPage;
    const int cols = std::clamp(int(doc.m_nPosterCols), 1, 6), rows = std::clamp(int(doc.m_nPosterRows), 1, 6);
    auto bound = [](long long v) { return int(std::clamp(v, -kLimit, kLimit)); };
    const long long w = (long long)sheet.right - sheet.left, h = (long long)sheet.bottom - sheet.top;
    // The first sheet counts whole, each further one only its printable
    // part: the printed tiles meet without the printer's unprintable border.
    const CRect tile = PrintTileRect(doc);
    const long long tw = (long long)tile.right - tile.left, th = (long long)tile.bottom - tile.top;
    return CRect(bound(sheet.left), bound(sheet.top), bound(sheet.left + w + tw * (cols - 1)),
                 bound(sheet.top + h + th * (rows - 1)));
}

CRect PrintTileRect(const CKavoDoc& doc)
{
    // Without a printable area of its own the whole paper prints.
    const CRect& printable = doc.m_rcPrintable;
    return printable.Width() > 0 && printable.Height() > 0 ? printable : doc.m_rcPage;
}

CRect GetMarginRect(const CKavoDoc& doc)
{
    CRect rc = GetPageAreaRect(doc);
    rc.DeflateRect(int(doc.m_fMarginLeft), int(doc.m_fMarginTop), int(doc.m_fMarginRight),
                   int(doc.m_fMarginBottom));
    return rc;
}

bool HasPageSize(const CKavoDoc& doc)
{
    return doc.m_rcPage.Width() > 0 && doc.m_rcPage.Height() > 0;
}

double UnitsPerPixel(const CZoomMapping& mapping)
{
    const float zoom = mapping.m_fZoom > 0 ? mapping.m_fZoom : 100.0f;
    return 100.0 / (PixelsPerUnitAt100() * zoom);
}

void DrawPageBackground(CDC& dc, const CKavoDoc& doc, const CRect& visibleIn, int handleSize,
                        double unitsPerPixel)
{
    CRect visible = visibleIn;
    visible.InflateRect(1, 1);
    const CRect page = GetPageAreaRect(doc);
    CRect overlap;
    const bool pageVisible = ShowPage && overlap.IntersectRect(visible, page);
    if (!ShowPage) {
        dc.FillSolidRect(&visible, PageColor);
    } else if (!pageVisible) {
        dc.FillSolidRect(&visible, OffPageColor);
    } else if (overlap == visible) {
        dc.FillSolidRect(&visible, PageColor);
    } else {
        dc.FillSolidRect(&visible, OffPageColor);
        dc.FillSolidRect(&page, PageColor);
    }
    if (doc.m_bShowGrid)
        DrawViewGrid(dc, doc, visible, unitsPerPixel);
    if (!pageVisible)
        return;
    OutlineRect(dc, page);
    const int t = handleSize / 3;
    if (t > 0) {
        const CRect right(page.right, page.top + t, page.right + t, page.bottom + t);
        const CRect bottom(page.left + t, page.bottom, page.right + t, page.bottom + t);
        dc.FillSolidRect(&right, kBlack);
        dc.FillSolidRect(&bottom, kBlack);
    }
    const int cols = std::max(1, int(doc.m_nPosterCols)), rows = std::max(1, int(doc.m_nPosterRows));
    DrawPageBreaks(dc, PageColor, MarginsColor, page, GetMarginRect(doc), PrintTileRect(doc), rows, cols, nullptr);
}

void DrawViewGrid(CDC& dc, const CKavoDoc& doc, const CRect& visible, double unitsPerPixel)
{
    long long sx = doc.m_nGridX, sy = doc.m_nGridY;
    if (sx < 2 || sy < 2 || !(unitsPerPixel > 0))
        return;
    const double minUnits = kGridMinPixels * unitsPerPixel;
    // Doubling ends: the step grows past any visible size long before it overflows.
    while (sx < minUnits && sx < (1LL << 30))
        sx *= 2;
    while (sy < minUnits && sy < (1LL << 30))
        sy *= 2;
    DrawGrid(&dc, visible, GridColor, ShowGridAsDots != 0, int(sx), int(sy));
}

void DrawPageBreaks(CDC& dc, COLORREF back, COLORREF penColour, const CRect& page, const CRect& margin,
                    const CRect& tile, int rows, int cols, const PointTransform* transform)
{
    (void)page;
    auto map = [&](int x, int y) { return transform ? (*transform)(POINT{x, y}) : POINT{x, y}; };
    CPen pen(PS_DOT, 1, penColour);
    CPen* oldPen = dc.SelectObject(&pen);
    const COLORREF oldBk = dc.SetBkColor(back);
    const int oldMode = dc.SetBkMode(OPAQUE);
    const POINT frame[5] = {map(margin.left, margin.top), map(margin.right, margin.top),
                            map(margin.right, margin.bottom), map(margin.left, margin.bottom),
                            map(margin.left, margin.top)};
    dc.Polyline(frame, 5);
    for (int r = 1; r < rows; ++r) {
        const int y = margin.top + r * tile.Height();
        const POINT line[2] = {map(margin.left, y), map(margin.right, y)};
        dc.Polyline(line, 2);
    }
    for (int c = 1; c < cols; ++c) {
        const int x = margin.left + c * tile.Width();
        const POINT line[2] = {map(x, margin.top), map(x, margin.bottom)};
        dc.Polyline(line, 2);
    }
    dc.SetBkMode(oldMode);
    dc.SetBkColor(oldBk);
    dc.SelectObject(oldPen);
}

void DrawPagePreview(CDC& dc, COLORREF pageColour, COLORREF penColour, COLORREF breakColour, int shadow,
                     const CRect& page, const CRect& margin, const CRect& tile, int rows, int cols,
                     const PointTransform* transform)
{
    auto map = [&](int x, int y) { return transform ? (*transform)(POINT{x, y}) : POINT{x, y}; };
    const POINT tl = map(page.left, page.top), br = map(page.right, page.bottom);
    const CRect rc(tl.x, tl.y, br.x, br.y);
    CPen pen(PS_SOLID, 1, penColour);
    CBrush brush(pageColour);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(&rc);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    if (shadow > 0) {
        const CRect right(rc.right, rc.top + shadow, rc.right + shadow, rc.bottom + shadow);
        const CRect bottom(rc.left + shadow, rc.bottom, rc.right + shadow, rc.bottom + shadow);
        dc.FillSolidRect(&right, penColour);
        dc.FillSolidRect(&bottom, penColour);
    }
    DrawPageBreaks(dc, pageColour, breakColour, page, margin, tile, rows, cols, transform);
}

void DrawCropMarks(CDC& dc, const CRect& extent, int pageIndex, int cols, int rows)
{
    if (cols < 1 || rows < 1 || pageIndex < 1)
        return;
    const int col = (pageIndex - 1) % cols, row = (pageIndex - 1) / cols;
    const int w = extent.Width(), h = extent.Height();
    const int x = extent.left + col * w + 1, y = extent.top + row * h + 1;
    const int r = x + w - 4, b = y + h - 4;
    // A cosmetic pen: one device pixel at any mapping.
    CPen pen(PS_SOLID, 0, kBlack);
    CPen* oldPen = dc.SelectObject(&pen);
    const POINT corners[4][3] = {
        {{x, y + kCropArm}, {x, y}, {x + kCropArm, y}},
        {{r - kCropArm, y}, {r, y}, {r, y + kCropArm}},
        {{r, b - kCropArm}, {r, b}, {r - kCropArm, b}},
        {{x + kCropArm, b}, {x, b}, {x, b - kCropArm}},
    };
    for (const auto& l : corners)
        dc.Polyline(l, 3);
    dc.SelectObject(oldPen);
}

void DrawPrintCropMarks(CDC& dc, const CKavoDoc& doc, int pageIndex)
{
    const int cols = std::max(1, int(doc.m_nPosterCols)), rows = std::max(1, int(doc.m_nPosterRows));
    if (!CropMarks || (cols == 1 && rows == 1))
        return;
    // One tile of the printed grid: the marks frame the tile of this page.
    DrawCropMarks(dc, PrintTileRect(doc), pageIndex, cols, rows);
}

int ViewHandleSize(double unitsPerPixel)
{
    const int maxPx = std::max(3, int(HandleSize));
    const double lo = 3 * unitsPerPixel, hi = maxPx * unitsPerPixel;
    return std::max(1, Round(std::clamp(double(kHandleUnits), lo, hi)));
}

void FillScreenDrawCtx(CDiagObjDrawCtx& ctx, const CZoomMapping& mapping, const CRect& clipLog)
{
    const double upp = UnitsPerPixel(mapping);
    ctx.flags = DisplayQuality ? 253 : 0;
    ctx.mode = 0;
    ctx.clientWidth = mapping.m_client.cx;
    ctx.clientHeight = mapping.m_client.cy;
    const CPoint pos = mapping.GetDeviceScrollPosition();
    ctx.viewportOrg = CPoint(-pos.x, -pos.y);
    ctx.windowOrg = mapping.m_rectWorkLog.TopLeft();
    ctx.clipRect = clipLog;
    ctx.handleSize = ViewHandleSize(upp);
    ctx.hitLenX = ctx.hitLenY = std::max(1, Round(kHitPixels * upp));
    ctx.pageIndex = 0;
}

void PreparePrintMapping(CDC& dc, CDiagObjDrawCtx& ctx, int kind, const CKavoDoc& doc,
                         const CZoomMapping& mapping)
{
    if (kind == 2) {
        const CRect tile = PrintTileRect(doc);
        const int cols = std::max(1, int(doc.m_nPosterCols));
        const int index = std::max(0, ctx.pageIndex - 1);
        const int col = index % cols, row = index / cols;
        const CPoint org(col * tile.Width() + tile.left, row * tile.Height() + tile.top);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(org.x, org.y);
        dc.SetWindowExt(std::max(1, tile.Width()), std::max(1, tile.Height()));
        ctx.clipRect = CRect(org.x, org.y, org.x + tile.Width(), org.y + tile.Height());
        dc.SetViewportExt(std::max(1, int(ctx.printSize.cx)), std::max(1, int(ctx.printSize.cy)));
        ctx.handleSize = 1;
    } else if (kind == 3 || kind == 4) {
        const CPoint vpOrg = dc.GetViewportOrg();
        const CSize vpExt = dc.GetViewportExt();
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(ctx.clipRect.left, ctx.clipRect.top);
        dc.SetWindowExt(std::max(1, ctx.clipRect.Width()), std::max(1, ctx.clipRect.Height()));
        dc.SetViewportOrg(vpOrg.x, vpOrg.y);
        dc.SetViewportExt(vpExt.cx, vpExt.cy);
        ctx.handleSize = 1;
    } else {
        const double upp = UnitsPerPixel(mapping);
        const CSize logical(std::max(1, int(std::lround(ctx.clientWidth * upp))),
                            std::max(1, int(std::lround(ctx.clientHeight * upp))));
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(logical.cx, logical.cy);
        dc.SetWindowOrg(mapping.m_rectWorkLog.left, mapping.m_rectWorkLog.top);
        dc.SetViewportExt(std::max(1, ctx.clientWidth), std::max(1, ctx.clientHeight));
        ctx.handleSize = std::max(1, Round(std::max(3, int(HandleSize)) * upp));
    }
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
}

bool HintRepaintRect(int hint, const CRect* rect, int handleSize, const CZoomMapping& mapping, bool& all,
                     CRect& clientRect)
{
    all = false;
    if (hint == 0) {
        all = true;
        return true;
    }
    if (hint != 1 || !rect)
        return false;
    CRect rc = *rect;
    rc.NormalizeRect();
    rc.InflateRect(handleSize + 1, handleSize + 1);
    const CPoint pos = mapping.GetDeviceScrollPosition();
    const CPoint tl = mapping.LogicalToDevice(rc.TopLeft()), br = mapping.LogicalToDevice(rc.BottomRight());
    clientRect = CRect(tl.x - pos.x, tl.y - pos.y, br.x - pos.x, br.y - pos.y);
    clientRect.NormalizeRect();
    clientRect.InflateRect(1, 1);
    return true;
}

CRect DocObjectsBounds(const CKavoDoc& doc, bool selectedOnly)
{
    CRect out;
    bool any = false;
    if (!doc.m_pObjList)
        return out;
    for (const CDiagObj* obj : *doc.m_pObjList) {
        if (selectedOnly && !obj->m_bSelected)
            continue;
        if (obj->GetType() != kObjFigure && obj->GetType() != kObjConnector)
            continue;
        CRect rc;
        obj->GetBoundRect(rc, 0, 0);
        rc.NormalizeRect();
        if (!any)
            out = rc;
        else
            out.UnionRect(out, rc);
        any = true;
    }
    return out;
}

CRect ClampWorkSpace(const CRect& rc)
{
    constexpr int kLimit = 1 << 28;
    CRect out(std::clamp(rc.left, -kLimit, kLimit), std::clamp(rc.top, -kLimit, kLimit),
              std::clamp(rc.right, -kLimit, kLimit), std::clamp(rc.bottom, -kLimit, kLimit));
    out.NormalizeRect();
    if (out.Width() < 1)
        out.right = out.left + 1;
    if (out.Height() < 1)
        out.bottom = out.top + 1;
    return out;
}

CRect ComputeLimitedWorkSpace(const CKavoDoc& doc, const CPoint& anchorIn, CSize visibleLog, bool pageWidthZoom)
{
    const CRect page = GetPageAreaRect(doc);
    CRect ws = page;
    // Objects and anchors from a file may lie anywhere.
    const CRect objs = ClampWorkSpace(DocObjectsBounds(doc, false));
    const CRect anchorBox = ClampWorkSpace(CRect(anchorIn.x, anchorIn.y, anchorIn.x, anchorIn.y));
    const CPoint anchor = anchorBox.TopLeft();
    visibleLog.cx = std::clamp(int(visibleLog.cx), 0, 1 << 28);
    visibleLog.cy = std::clamp(int(visibleLog.cy), 0, 1 << 28);
    if (!objs.IsRectEmpty() && (objs.left < page.left - 1 || objs.top < page.top - 1 ||
                                objs.right > page.right + 3 || objs.bottom > page.bottom + 3))
        ws.UnionRect(ws, objs);
    if (!pageWidthZoom)
        ws.InflateRect(64, 64);
    ws.left = std::min(ws.left, anchor.x);
    ws.top = std::min(ws.top, anchor.y);
    ws.right = std::max(ws.right, anchor.x);
    ws.bottom = std::max(ws.bottom, anchor.y);
    if (ws.Width() < visibleLog.cx)
        ws.right = ws.left + visibleLog.cx;
    if (ws.Height() < visibleLog.cy)
        ws.bottom = ws.top + visibleLog.cy;
    const int mx = std::max(page.left - ws.left, ws.right - page.right);
    const int my = std::max(page.top - ws.top, ws.bottom - page.bottom);
    ws.left = page.left - mx;
    ws.right = page.right + mx;
    ws.top = page.top - my;
    ws.bottom = page.bottom + my;
    return ClampWorkSpace(ws);
}
