#include "controls/CFillPreviewWnd.h"

#include "controls/ChildControl.h"
#include "controls/PreviewColors.h"
#include "editing/ui/CKavoView.h"
#include "platform/CGraphics.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"
#include "render/CZoomMapping.h"
#include "render/FillBrush.h"
#include "render/SoftShadow.h"
#include "render/StyleSample.h"
#include "shapes/DividedShapeTemplates.h"

namespace {

constexpr int kSampleGrid = 1000;
constexpr int kConLineMargin = 20;
constexpr int kConLineAngle = 90;

// The sample outline on the 1000 grid mapped into the square.
QPolygonF SampleOutline(const CRect& square, bool wholeArea)
{
    static const TemplatePt kSquare[] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    const TemplatePt* points = wholeArea ? kSquare : RoundedRectTemplate69;
    const int count = wholeArea ? 5 : 69;
    QPolygonF out;
    for (int i = 0; i < count; ++i)
        out << QPointF(square.left + double(points[i].x) * square.Width() / kSampleGrid,
                       square.top + double(points[i].y) * square.Height() / kSampleGrid);
    return out;
}

} // namespace

CFillPreviewWnd::CFillPreviewWnd(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CFillPreviewWnd::Create(const QRect& rect, QWidget* parent, int id)
{
    return CreateChildControl(this, rect, parent, id);
}

void CFillPreviewWnd::SetFill(const CFillSpec& fill)
{
    const bool changed = !m_fill.IsEqual(fill);
    m_fill = fill;
    if (changed)
        update();
}

void CFillPreviewWnd::SetShadow(const CShadowSpec& shadow)
{
    const bool changed = m_shadow != shadow;
    m_shadow = shadow;
    if (changed)
        update();
}

CRect CFillPreviewWnd::SampleRect() const
{
    const int w = width(), h = height();
    if (m_bWholeArea)
        return CRect(0, 0, w, h);
    const int margin = m_bLargeMargin ? h / 5 : h / 4;
    const int side = h - 2 * margin;
    const int left = (w - side) / 2;
    return CRect(left, margin, left + side, margin + side);
}

double CFillPreviewWnd::ShadowScale()
{
    const CKavoView* view = GetActiveKavoView();
    return PixelsPerUnitAt100() * (view ? view->GetZoomFactor() : 100.0) / 100.0;
}

void CFillPreviewWnd::Draw(CDC& dc) const
{
    const CRect client(0, 0, width(), height());
    if (m_bButtonFace) {
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        return;
    }
    const CRect square = SampleRect();
    if (m_bBlank) {
        dc.FillSolidRect(&client, g_crPreviewBackground);
        return;
    }
    CGraphics g(&dc);
    g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
    const COLORREF background = m_bWholeArea ? GetSysColor(COLOR_BTNFACE) : g_crPreviewBackground;
    g.Clear(ColorRefToARGB(background));
    const QPolygonF outline = SampleOutline(square, m_bWholeArea);
    if (!m_bWholeArea) {
        CShadowSpec shadow = m_shadow;
        shadow.Scale(ShadowScale());
        if (shadow.IsVisible())
            RenderSoftShadow(&g, nullptr, outline, shadow.m_nBlur, shadow.m_crColor, shadow.m_nOpacity, 0,
                             shadow.m_nOffsetX, shadow.m_nOffsetY, false, -1, false, background);
        CGpPen pen;
        pen.width = 2.0f;
        g.DrawPolygon(pen, outline);
    }
    CGpBrush brush;
    if (GpBrushFromFill(m_fill, square, brush)) {
        g.FillPolygon(brush, outline);
    } else if (!m_bWholeArea) {
        CGpBrush white;
        white.color = 0xFFFFFFFF;
        g.FillPolygon(white, outline);
    }
}

void CFillPreviewWnd::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) { Draw(dc); }, QImage::Format_ARGB32_Premultiplied);
}

CConPreviewButton::CConPreviewButton(CKavoDoc* doc, QWidget* parent) : QPushButton(parent), m_pDoc(doc) {}

void CConPreviewButton::SetStyle(const CConProps& props)
{
    const bool changed = !(m_props == props);
    m_props = props;
    if (changed)
        update();
}

CRect CConPreviewButton::LineRect() const
{
    return CRect(kConLineMargin, 0, width() - kConLineMargin, height());
}

void CConPreviewButton::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) {
        const CRect client(0, 0, width(), height());
        if (m_bButtonFace) {
            dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        } else {
            dc.FillSolidRect(&client, g_crPreviewBackground);
            const CRect line = LineRect();
            if (!m_bNoLine && !line.IsRectEmpty())
                DrawConLineSample(&dc, m_props, m_pDoc, line, false, false, kConLineAngle, false);
        }
    });
}
