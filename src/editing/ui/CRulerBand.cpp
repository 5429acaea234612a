#include "editing/ui/CRulerBand.h"

#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "render/ViewPaint.h"

#include <QPainter>

namespace {
// Logical units per major division and minor ticks per division.
constexpr int kMetricUnits = 100, kMetricTicks = 10;
constexpr int kInchUnits = 256, kInchTicks = 8;
} // namespace

CRulerBand::CRulerBand(CKavoView* view, bool horizontal)
    : QWidget(view), m_view(view), m_bHorizontal(horizontal)
{
}

void CRulerBand::Place(bool shown)
{
    setVisible(shown);
    if (!shown)
        return;
    const int band = kRulerBand;
    if (m_bHorizontal)
        setGeometry(band, 0, std::max(0, m_view->width() - band), band);
    else
        setGeometry(0, 0, band, m_view->height());
}

void CRulerBand::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(palette().color(QPalette::ButtonText));
    CKavoDoc* doc = m_view->GetDocument();
    if (!doc)
        return;
    const int units = Metric ? kMetricUnits : kInchUnits;
    const int ticks = Metric ? kMetricTicks : kInchTicks;
    const CRect page = GetPageAreaRect(*doc);
    const int extent = m_bHorizontal ? width() : height();
    const int offset = m_bHorizontal ? 0 : kRulerBand;
    // The logical span the band shows, from the view's client edge.
    const CPoint a = m_view->ClientPtToLogical(CPoint(0, 0));
    const CPoint b = m_view->ClientPtToLogical(CPoint(extent, extent));
    const int from = m_bHorizontal ? a.x : a.y, to = m_bHorizontal ? b.x : b.y;
    const int origin = m_bHorizontal ? page.left : page.top;
    const int step = std::max(1, units / ticks);
    const int pxPerStep = std::max(1, m_view->LogicalLenToClient(step));
    if (pxPerStep < 3 && m_view->LogicalLenToClient(units) < 3)
        return;
    int first = from - ((from - origin) % step + step) % step;
    for (long long v = first, n = 0; v <= to && n < 20000; v += step, ++n) {
        const CPoint c = m_view->LogicalPtToClient(CPoint(int(v), int(v)));
        const int pos = (m_bHorizontal ? c.x : c.y) + offset;
        const bool major = ((v - origin) % units) == 0;
        if (!major && pxPerStep < 3)
            continue;
        const int len = major ? kRulerBand - 4 : kRulerBand / 4;
        if (m_bHorizontal)
            p.drawLine(pos, kRulerBand - len, pos, kRulerBand - 1);
        else
            p.drawLine(kRulerBand - len, pos, kRulerBand - 1, pos);
        if (major) {
            const QString label = QString::number((v - origin) / units);
            if (m_bHorizontal)
                p.drawText(pos + 2, 10, label);
            else
                p.drawText(1, pos + 10, label);
        }
    }
}
