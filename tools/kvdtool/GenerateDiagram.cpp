#include "KvdTool.h"

#include "document/CKavoDoc.h"

#include <algorithm>
#include <cmath>

namespace {
// Centimetres in logical units (256 a inch).
int Cm(double cm)
{
    return int(std::lround(cm * 256.0 / 2.54));
}

// Where the grid starts on one axis: at 0, or at the work space's near edge
// when the grid reaches past its far edge from 0.
int GridStart(int extent, const CRect& work, bool horizontal)
{
    const int nearEdge = horizontal ? work.left : work.top;
    const int farEdge = horizontal ? work.right : work.bottom;
    return extent > farEdge ? nearEdge : 0;
}

// The smallest box drawn, in logical units across: a denser grid would no
// longer show its boxes apart.
constexpr int kMinBoxWidth = 8;

// The grid's scale: 1, or less where the grid at its usual pitch would not fit
// the work space (its coordinates would then lie outside what the editor
// shows, and past 32767 outside what the file can hold); 0 when even the
// densest grid does not fit.
double GridScale(int cols, int rows, const CRect& work)
{
    const double s = std::min({1.0, double(work.Width()) / Cm(3.0 * cols), double(work.Height()) / Cm(2.0 * rows)});
    return s * Cm(2.0) >= kMinBoxWidth ? s : 0.0;
}

// A grid shrunk to fit draws its text and arrowheads at its own scale: at
// the usual sizes the text of a 40,000-box grid would spill out of its boxes.
// The styles shrink, so every box and arrow copied from them agrees with them.
void ScaleStylesToGrid(CKavoDoc& doc, int boxStyle, int arrowStyle, double scale)
{
    if (scale >= 1.0)
        return;
    // Never to nothing: a size of 0 would mean "no text" or "no head".
    auto shrink = [scale](int32_t v) {
        const auto s = int32_t(std::lround(v * scale));
        return v < 0 ? std::min(s, -1) : std::max(s, 1);
    };
    LOGFONT& lf = doc.m_figStyles.GetAt(boxStyle)->m_props.m_font.m_lf;
    lf.lfHeight = shrink(lf.lfHeight);
    CConProps& arrow = doc.m_conStyles.GetAt(arrowStyle)->m_props;
    arrow.End1Length = shrink(arrow.End1Length);
    arrow.End2Length = shrink(arrow.End2Length);
    arrow.LineWidth = shrink(arrow.LineWidth);
}

// A junction: the invisible 15 x 15 figure centred on a route's corner (a
// centre rounds toward zero, so left of or above 0 the box shifts by one).
CFigure* AddJunction(CKavoDoc& doc, const CPoint& at)
{
    CFigure* j = doc.CreateFigAt(CPoint(at.x - 7, at.y - 7), 0);
    if (j)
        j->m_rect.OffsetRect(at.x - j->m_rect.CenterPoint().x, at.y - j->m_rect.CenterPoint().y);
    return j;
}

// A right-angle route from a to b as the editor draws one between two
// figures whose centres differ on both axes and whose columns leave a gap:
// out of a horizontally, down (or up) halfway between the two, and into b
// horizontally. Its three connectors meet at two junctions; only the last
// shows its arrowhead, only the first its start.
void AddRoute(CKavoDoc& doc, CFigure* a, CFigure* b, int style, const CConProps& props)
{
    const CPoint s = a->m_rect.CenterPoint(), e = b->m_rect.CenterPoint();
    const int mid = s.x + (e.x - s.x) / 2;
    const CPoint c1(mid, s.y), c2(mid, e.y);
    CFigure* j1 = AddJunction(doc, c1);
    CFigure* j2 = j1 ? AddJunction(doc, c2) : nullptr;
    if (!j2)
        return;
    CConnector* legs[] = {doc.CreateCon(a, j1, -1, -1, s, c1, style, props),
                          doc.CreateCon(j1, j2, -1, -1, c1, c2, style, props),
                          doc.CreateCon(j2, b, -1, -1, c2, e, style, props)};
    for (int k = 0; k < 3; ++k) {
        if (!legs[k])
            continue;
        legs[k]->SuppressEnd1 = k > 0;
        legs[k]->SuppressEnd2 = k < 2;
    }
}
} // namespace

bool GenerateDiagram(CKavoDoc& doc, int count)
{
    const int cols = count > 0 ? int(std::ceil(std::sqrt(double(count)))) : 1;
    const int rows = count > 0 ? (count + cols - 1) / cols : 1;
    const double scale = GridScale(cols, rows, doc.m_rcWorkSpace);
    if (scale <= 0)
        return false;
    int boxStyle = -1, arrowStyle = -1;
    if (!AddFlowchartStyles(doc, boxStyle, arrowStyle))
        return false;
    ScaleStylesToGrid(doc, boxStyle, arrowStyle, scale);
    const CFigStyle& box = *doc.m_figStyles.GetAt(boxStyle);
    const CConProps arrow = doc.m_conStyles.GetAt(arrowStyle)->m_props;
    // Positions in the grid, scaled and rounded.
    auto at = [scale](double cm) { return int(std::lround(scale * cm * 256.0 / 2.54)); };
    const int x0 = GridStart(at(3.0 * cols), doc.m_rcWorkSpace, true);
    const int y0 = GridStart(at(2.0 * rows), doc.m_rcWorkSpace, false);
    std::vector<CFigure*> boxes;
    boxes.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        auto* fig = new CFigure(&doc);
        const int col = i % cols, row = i / cols;
        fig->m_rect = CRect(at(3.0 * col), at(2.0 * row), at(3.0 * col + 2.0), at(2.0 * row + 1.0));
        fig->m_rect.OffsetRect(x0, y0);
        fig->m_nStyle = boxStyle;
        fig->m_props = box.m_props;
        fig->m_strText = "B" + std::to_string(i);
        fig->m_nId = doc.m_nNextId++;
        if (!doc.AddFig(fig)) {
            delete fig;
            return false;
        }
        boxes.push_back(fig);
    }
    for (int i = 0; i < count; ++i) {
        const int col = i % cols;
        const bool even = col % 2 == 0;
        const int target = even ? i + 1 : i + cols + 1;
        if (target >= count || col + 1 >= cols)
            continue;
        CFigure* a = boxes[size_t(i)];
        CFigure* b = boxes[size_t(target)];
        if (even)
            doc.CreateCon(a, b, -1, -1, a->m_rect.CenterPoint(), b->m_rect.CenterPoint(), arrowStyle, arrow);
        else
            AddRoute(doc, a, b, arrowStyle, arrow);
    }
    // The connectors end on the boxes' outlines, as the editor lays them.
    doc.RelayAttachedCons(boxes);
    doc.SetModifiedFlag(true);
    return true;
}
