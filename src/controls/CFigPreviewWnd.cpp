#include "controls/CFigPreviewWnd.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/ChildControl.h"
#include "controls/PreviewColors.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "document/CKavoDoc.h"
#include "document/GraphicExtent.h"
#include "platform/Ansi.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"
#include "render/CZoomMapping.h"
#include "render/HotZoneTrace.h"
#include "render/StyleSample.h"
#include "shapes/CConPtList.h"
#include "shapes/CFigSymbol.h"
#include "shapes/MarkerDraw.h"

#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr UINT kDefaultTextId = 501;
constexpr UINT kNoPreviewId = 619;
constexpr UINT kAddPointTextId = 722;
constexpr UINT kDeletePointTextId = 723;
constexpr int kHatchBitmap = 128;
constexpr int kGuideLength = 6;
// The box pictures are traced in, and the phases of the outline's dots.
constexpr int kTraceBox = 2048;
constexpr int kDashPhases = 3;
// Picture kinds drawn at their own size with the centre-picture flag.
constexpr int kPlaceableMetafile = 2, kEnhancedMetafile = 3;
const char kSectionBreak[] = "\\sect ";

std::string FirstSection(const std::string& text)
{
    const size_t at = text.find(kSectionBreak);
    return at == std::string::npos ? text : text.substr(0, at);
}

// The largest rectangle of the extent's proportions centred in the area.
CRect FitExtent(const CRect& area, int w, int h)
{
    if (w <= 0 || h <= 0 || area.Width() <= 0 || area.Height() <= 0)
        return area;
    int fw = area.Width(), fh = int(double(fw) * h / w);
    if (fh > area.Height()) {
        fh = area.Height();
        fw = int(double(fh) * w / h);
    }
    const int left = area.left + (area.Width() - fw) / 2, top = area.top + (area.Height() - fh) / 2;
    return CRect(left, top, left + fw, top + fh);
}

} // namespace

CFigPreviewWnd::CFigPreviewWnd(CKavoDoc* doc, QWidget* parent) : QWidget(parent), m_pDoc(doc)
{
    LoadCStringRes(m_defaultText, kDefaultTextId);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

bool CFigPreviewWnd::Create(const QRect& rect, QWidget* parent, int id)
{
    return CreateChildControl(this, rect, parent, id);
}

void CFigPreviewWnd::SetFig(const CFigProps& props)
{
    if (m_props == props)
        return;
    // The traced outline belongs to the picture it was traced from.
    if (props.Graphic != m_props.Graphic || props.m_nGraphicType != m_props.m_nGraphicType)
        m_hotZone.clear();
    m_props = props;
    update();
}

void CFigPreviewWnd::SetText(const std::string& text, const std::string& second)
{
    std::string shown = text.empty() ? (m_bMultiSection ? FirstSection(m_defaultText) : m_defaultText) : text;
    if (shown.size() > size_t(kMaxText))
        shown.resize(size_t(kMaxText));
    if (shown == m_text && second == m_text2)
        return;
    m_text = shown;
    m_text2 = second;
    update();
}

void CFigPreviewWnd::SetMultiSection(bool on)
{
    m_bMultiSection = on;
    if (on)
        SetExtent(0, 0);
    update();
}

void CFigPreviewWnd::SetExtent(int width, int height)
{
    if (m_bMultiSection)
        width = height = 0;
    if (width == m_nExtentW && height == m_nExtentH)
        return;
    m_nExtentW = width;
    m_nExtentH = height;
    update();
}

void CFigPreviewWnd::SetShowText(bool show)
{
    if (show != m_bShowText) {
        m_bShowText = show;
        update();
    }
}

void CFigPreviewWnd::SetSelectedPoint(int index)
{
    if (index != m_nSelPoint) {
        m_nSelPoint = index;
        update();
    }
}

void CFigPreviewWnd::SetSelectedSection(int index)
{
    if (index != m_nSelSection) {
        m_nSelSection = index;
        update();
    }
}

void CFigPreviewWnd::SetGrid(int xStep, int yStep, bool snapToSides)
{
    if (xStep == m_nGridX && yStep == m_nGridY && snapToSides == m_bSnapToSides)
        return;
    m_nGridX = xStep;
    m_nGridY = yStep;
    m_bSnapToSides = snapToSides;
    update();
}

const CFigSymbol* CFigPreviewWnd::Symbol() const
{
    if (!m_pDoc || m_props.Symbol < 0 || m_props.Symbol >= m_pDoc->m_figSymbols.GetCount())
        return nullptr;
    return m_pDoc->m_figSymbols.GetAt(m_props.Symbol);
}

CRect CFigPreviewWnd::GetDrawingRect() const
{
    CRect r(0, 0, width(), height());
    if (!m_pDoc)
        r.DeflateRect(1, 1);
    else if (m_bSectionMode || m_bPointEdit)
        r.DeflateRect(10, 5);
    else
        r.DeflateRect(15, 7);
    r = FitExtent(r, m_nExtentW, m_nExtentH);
    const CFigSymbol* symbol = m_bApplyInset ? Symbol() : nullptr;
    if (symbol && symbol->DisplayScale != 100) {
        const int f = symbol->DisplayScale;
        const int w = (r.Width() * f + 50) / 100, h = (r.Height() * f + 50) / 100;
        const CPoint mid = r.CenterPoint();
        r = CRect(mid.x - w / 2, mid.y - h / 2, mid.x - w / 2 + w, mid.y - h / 2 + h);
    }
    return r;
}

CRect CFigPreviewWnd::GetFigureRect() const
{
    const CRect draw = GetDrawingRect();
    const int type = m_props.m_nGraphicType;
    if (!m_bCentrePicture || m_bSectionMode || m_bPointEdit || !m_props.HasGraphic() ||
        (type != kPlaceableMetafile && type != kEnhancedMetafile))
        return draw;
    int w = 0, h = 0;
    if (!GetGraphicExtent(m_props.Graphic, type, &w, &h))
        return draw;
    // The picture's own size on the screen.
    const double scale = PixelsPerUnitAt100();
    w = int(w * scale + 0.5);
    h = int(h * scale + 0.5);
    if (w <= 0 || h <= 0 || w > draw.Width() || h > draw.Height())
        return draw;
    const int left = draw.left + (draw.Width() - w) / 2, top = draw.top + (draw.Height() - h) / 2;
    return CRect(left, top, left + w, top + h);
}

PreviewMapping CFigPreviewWnd::Mapping() const
{
    return PreviewMapping{GetDrawingRect(), CSize(m_nExtentW, m_nExtentH)};
}

bool CFigPreviewWnd::GetPointDevicePos(int index, CPoint& out) const
{
    if (!m_pConPts || index < 0 || index >= m_pConPts->GetCount())
        return false;
    CPoint logical;
    if (!m_pConPts->GetConPtPoint(m_pConPts->GetIdAt(index), GetExtentRect(), logical))
        return false;
    return Mapping().LogicalToDevice(logical, out);
}

// The first point closer to the cursor than the pick width.
int CFigPreviewWnd::HitPoint(const CPoint& pt) const
{
    const int count = m_pConPts ? m_pConPts->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        CPoint at;
        if (!GetPointDevicePos(i, at))
            continue;
        const int dx = at.x - pt.x, dy = at.y - pt.y;
        if (dx * dx + dy * dy < kPickWidth * kPickWidth)
            return i;
    }
    return -1;
}

int CFigPreviewWnd::HitSection(const CPoint& pt) const
{
    const CFigSymbol* symbol = Symbol();
    if (!symbol)
        return -1;
    const CRect draw = GetDrawingRect();
    const int sections = std::min<int>(symbol->m_nTextBoxes, kMaxSections);
    for (int n = 0; n < sections; ++n) {
        CRect box;
        if (symbol->GetTextBoxRect(n, draw, box, 0) && box.PtInRect(pt))
            return n;
    }
    return -1;
}

void CFigPreviewWnd::DrawBackground(CDC* dc, const CRect& client)
{
    if (m_bHatched) {
        // The hatch bitmap when the resources hold it, else a like hatch.
        const QImage pattern(QStringLiteral(":/bitmaps/%1.png").arg(kHatchBitmap));
        CBrush brush;
        CBitmap bitmap;
        if (!pattern.isNull() && bitmap.Attach(pattern))
            brush.CreatePatternBrush(&bitmap);
        else
            brush.CreateHatchBrush(HS_DIAGCROSS, GetSysColor(COLOR_BTNSHADOW));
        dc->FillSolidRect(&client, g_crPreviewBackground);
        dc->FillRect(&client, &brush);
        return;
    }
    dc->FillSolidRect(&client, g_crPreviewBackground);
}

// Short guides at the drawing area's middle lines, from each side inwards.
void CFigPreviewWnd::DrawSideGuides(CDC* dc, const CRect& client)
{
    const CPoint mid = GetDrawingRect().CenterPoint();
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(client.left, mid.y);
    dc->LineTo(client.left + kGuideLength, mid.y);
    dc->MoveTo(client.right, mid.y);
    dc->LineTo(client.right - kGuideLength, mid.y);
    dc->MoveTo(mid.x, client.top);
    dc->LineTo(mid.x, client.top + kGuideLength);
    dc->MoveTo(mid.x, client.bottom);
    dc->LineTo(mid.x, client.bottom - kGuideLength);
    dc->SelectObject(old);
}

void CFigPreviewWnd::DrawPoints(CDC* dc)
{
    const int count = m_pConPts ? m_pConPts->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        CPoint at;
        if (i == m_drag.point && m_drag.moved)
            at = m_drag.device;   // the dragged point where the cursor has it
        else if (!GetPointDevicePos(i, at))
            continue;
        DrawConPtMarker(dc, at.x, at.y, 0);
        if (i == m_nSelPoint)
            DrawConPtMarker(dc, at.x, at.y, kConPtMarkerCross);
    }
}

void CFigPreviewWnd::DrawSelectedSection(CDC* dc)
{
    const CFigSymbol* symbol = Symbol();
    CRect box;
    if (!symbol || m_nSelSection < 0 || m_nSelSection >= std::min<int>(symbol->m_nTextBoxes, kMaxSections) ||
        !symbol->GetTextBoxRect(m_nSelSection, GetDrawingRect(), box, 0))
        return;
    CPen pen(PS_DOT, 1, GetSysColor(COLOR_HIGHLIGHT));
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    dc->Rectangle(box.left, box.top, box.right, box.bottom);
    dc->SelectObject(oldPen);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
}

void CFigPreviewWnd::Draw(CDC* dc)
{
    const CRect client(0, 0, width(), height());
    if (m_bBlank) {
        dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        return;
    }
    DrawBackground(dc, client);
    if (m_bBackgroundOnly)
        return;
    if (m_bPointEdit && m_bSnapToSides)
        DrawSideGuides(dc, client);
    if (!m_pDoc && !m_props.HasGraphic()) {
        std::string text;
        LoadCStringRes(text, kNoPreviewId);
        dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc->SetBkMode(TRANSPARENT);
        dc->SelectStockObject(DEFAULT_GUI_FONT);
        TEXTMETRIC tm;
        dc->GetTextMetrics(&tm);
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->TextOut(client.Width() / 2, (client.Height() - tm.tmHeight) / 2, text);
        return;
    }
    if (m_props.Symbol < 0 && !m_props.HasGraphic())
        return;
    const CRect draw = GetDrawingRect();
    if (draw.IsRectEmpty())
        return;
    const CRect figure = GetFigureRect();
    if (m_hotZone.empty() && NonRectBounds && m_props.HasGraphic())
        TraceHotZone(draw);
    StyleSampleArgs args;
    if (m_bShowText) {
        args.text = &m_text;
        args.text2 = &m_text2;
    }
    args.sampleWidth = m_nExtentW;
    args.sampleHeight = m_nExtentH;
    args.withShadow = true;
    const int saved = dc->SaveDC();
    DrawStyleSample(dc, m_props, m_pDoc, figure, args);
    dc->RestoreDC(saved);
    if (m_bSectionMode)
        DrawSelectedSection(dc);
    if (m_bPointEdit)
        DrawPoints(dc);
}

void CFigPreviewWnd::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) { Draw(&dc); });
}

// The picture's outline is traced in a 2048 box and kept mapped onto the
// drawing rectangle it was drawn in.
void CFigPreviewWnd::TraceHotZone(const CRect& draw)
{
    std::vector<POINT> points(static_cast<size_t>(kMaxTracePts));
    int count = 0;
    GetHotZoneFromGraphic(m_props.Graphic, m_props.m_nGraphicType, &count, points.data());
    count = std::clamp(count, 0, kMaxTracePts);
    m_hotZone.clear();
    for (int i = 0; i < count; ++i)
        m_hotZone.push_back(POINT{draw.left + MulDiv(points[size_t(i)].x, draw.Width(), kTraceBox),
                                  draw.top + MulDiv(points[size_t(i)].y, draw.Height(), kTraceBox)});
}

void CFigPreviewWnd::DrawHotZoneOutline(CDC* dc)
{
    if (!dc || m_hotZone.size() < 3)
        return;
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc->SelectObject(&white);
    dc->Polyline(m_hotZone.data(), int(m_hotZone.size()));
    dc->SelectObject(old);
    // Red on two pixels of every three along the line, starting at the phase.
    int step = m_nDashPhase;
    for (size_t i = 0; i + 1 < m_hotZone.size(); ++i) {
        const POINT a = m_hotZone[i], b = m_hotZone[i + 1];
        const int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        for (int k = 0; k < n; ++k, ++step)
            if (step % kDashPhases != kDashPhases - 1)
                dc->SetPixel(a.x + MulDiv(b.x - a.x, k, n), a.y + MulDiv(b.y - a.y, k, n), RGB(255, 0, 0));
    }
    m_nDashPhase = (m_nDashPhase + 1) % kDashPhases;
}

void CFigPreviewWnd::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLeftDown(CPoint(p.x(), p.y()));
    else if (event->button() == Qt::RightButton)
        OnRightDown(CPoint(p.x(), p.y()), event->globalPosition().toPoint());
}

void CFigPreviewWnd::OnLeftDown(const CPoint& pt)
{
    if (m_bSectionMode) {
        const int section = HitSection(pt);
        if (section >= 0 && section != m_nSelSection) {
            SetSelectedSection(section);
            NotifyParent(this, kNotifyChanged);
        }
        return;
    }
    if (!m_bPointEdit || !m_pConPts)
        return;
    const int hit = HitPoint(pt);
    if (hit != m_nSelPoint) {
        SetSelectedPoint(hit);
        NotifyParent(this, kNotifyPointSelected);
    }
    CPoint device, logical;
    if (hit < 0 || !GetPointDevicePos(hit, device) || !Mapping().DeviceToLogical(device, logical))
        return;
    m_drag = DragRecord{hit, pt, pt, device, device, logical, logical, false};
    setCursor(Qt::SizeAllCursor);
    grabMouse();
}

void CFigPreviewWnd::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const CPoint pt(p.x(), p.y());
    if (IsDragging()) {
        DragTo(pt);
        return;
    }
    const bool overPoint = m_bPointEdit && HitPoint(pt) >= 0;
    setCursor(overPoint ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void CFigPreviewWnd::DragTo(const CPoint& pt)
{
    const PreviewMapping map = Mapping();
    CPoint device(m_drag.deviceStart.x + pt.x - m_drag.cursorStart.x,
                  m_drag.deviceStart.y + pt.y - m_drag.cursorStart.y);
    device.x = std::clamp<int>(device.x, map.draw.left, map.draw.right);
    device.y = std::clamp<int>(device.y, map.draw.top, map.draw.bottom);
    CPoint logical;
    if (!map.DeviceToLogical(device, logical))
        return;
    PreviewSnap snap{m_nGridX, m_nGridY, m_bSnapToSides, m_bSnapCentreX, m_bSnapCentreY};
    logical = SnapPreviewPoint(map, snap, kPickWidth, logical);
    if (!map.LogicalToDevice(logical, device))
        return;
    m_drag.cursor = pt;
    // Small wobbles of a click do not move the point.
    if (!m_drag.moved && std::abs(pt.x - m_drag.cursorStart.x) < kPickWidth &&
        std::abs(pt.y - m_drag.cursorStart.y) < kPickWidth)
        return;
    m_drag.moved = true;
    m_drag.device = device;
    m_drag.logical = logical;
    update();
}

void CFigPreviewWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsDragging())
        EndDrag();
}

void CFigPreviewWnd::EndDrag()
{
    const DragRecord drag = m_drag;
    m_drag = DragRecord{};
    releaseMouse();
    setCursor(Qt::ArrowCursor);
    const CSize by(drag.logical.x - drag.logicalStart.x, drag.logical.y - drag.logicalStart.y);
    if (drag.moved && (by.cx || by.cy) && m_pConPts) {
        m_pConPts->MoveConPt(m_pConPts->GetIdAt(drag.point), GetExtentRect(), by.cx, by.cy);
        update();
        NotifyParent(this, kNotifyChanged);
    } else {
        update();
    }
}

void CFigPreviewWnd::OnRightDown(const CPoint& pt, const QPoint& globalPos)
{
    const int hit = m_bPointEdit && m_pConPts ? HitPoint(pt) : -1;
    if (hit >= 0 && hit != m_nSelPoint) {
        SetSelectedPoint(hit);
        NotifyParent(this, kNotifyPointSelected);
    }
    const CRect draw = GetDrawingRect();
    m_clickPos = ThousandthsInRect(draw, pt);
    std::vector<int> commands;
    if (hit >= 0)
        commands.push_back(kCmdDeletePoint);
    // Inside, the right and bottom sides included (1000 thousandths).
    if (pt.x >= draw.left && pt.x <= draw.right && pt.y >= draw.top && pt.y <= draw.bottom)
        commands.push_back(kCmdAddPoint);
    if (const int chosen = TrackPointMenu(commands, globalPos + QPoint(2, 2)))
        SendParentCommand(this, chosen);
}

int CFigPreviewWnd::TrackPointMenu(const std::vector<int>& commands, const QPoint& globalPos)
{
    QMenu menu(this);
    for (int command : commands) {
        std::string text;
        LoadCStringRes(text, command == kCmdDeletePoint ? kDeletePointTextId : kAddPointTextId);
        menu.addAction(AnsiToQString(text))->setData(command);
    }
    const QAction* chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

CFontPreviewWnd::CFontPreviewWnd(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CFontPreviewWnd::Create(const QRect& rect, QWidget* parent, int id)
{
    return CreateChildControl(this, rect, parent, id);
}

void CFontPreviewWnd::SetText(const std::string& text)
{
    if (text != m_text) {
        m_text = text;
        update();
    }
}

void CFontPreviewWnd::SetFont(const LOGFONT& font)
{
    if (!(font == m_font)) {
        m_font = font;
        update();
    }
}

void CFontPreviewWnd::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) {
        const CRect client(0, 0, width(), height());
        dc.FillSolidRect(&client, g_crPreviewBackground);
        CFont font;
        font.CreateFontIndirect(&m_font);
        CFont* old = dc.SelectObject(&font);
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.SetTextAlign(TA_CENTER | TA_BASELINE);
        dc.TextOut(client.Width() / 2, client.Height() / 2 + (tm.tmAscent - tm.tmInternalLeading + 1) / 2, m_text);
        dc.SelectObject(old);
    });
}
