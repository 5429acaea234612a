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

// The behaviour bit of a connector routed in vertical and horizontal legs.
constexpr uint32_t kGuidedOrthogonalBit = 1u << 5;

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
} // namespace

bool GenerateDiagram(CKavoDoc& doc, int count)
{
    const int cols = count > 0 ? int(std::ceil(std::sqrt(double(count)))) : 1;
    const int rows = count > 0 ? (count + cols - 1) / cols : 1;
    const double scale = GridScale(cols, rows, doc.m_rcWorkSpace);
    if (scale <= 0)
        return false;
    // Positions in the grid, scaled and rounded.
    auto at = [scale](double cm) { return int(std::lround(scale * cm * 256.0 / 2.54)); };
    const int x0 = GridStart(at(3.0 * cols), doc.m_rcWorkSpace, true);
    const int y0 = GridStart(at(2.0 * rows), doc.m_rcWorkSpace, false);
    const CFigStyle* style = doc.m_figStyles.GetAt(0);
    std::vector<CFigure*> boxes;
    boxes.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        auto* fig = new CFigure(&doc);
        const int col = i % cols, row = i / cols;
        fig->m_rect = CRect(at(3.0 * col), at(2.0 * row), at(3.0 * col + 2.0), at(2.0 * row + 1.0));
        fig->m_rect.OffsetRect(x0, y0);
        fig->m_nStyle = style ? 0 : -1;
        if (style)
            fig->m_props = style->m_props;
        fig->m_strText = "B" + std::to_string(i);
        fig->m_nId = doc.m_nNextId++;
        if (!doc.AddFig(fig)) {
            delete fig;
            return false;
        }
        boxes.push_back(fig);
    }
    const CConProps props;
    for (int i = 0; i < count; ++i) {
        const int col = i % cols;
        const bool even = col % 2 == 0;
        const int target = even ? i + 1 : i + cols + 1;
        if (target >= count || (!even && col + 1 >= cols) || (even && col + 1 >= cols))
            continue;
        CFigure* a = boxes[size_t(i)];
        CFigure* b = boxes[size_t(target)];
        const CPoint pa = a->m_rect.CenterPoint(), pb = b->m_rect.CenterPoint();
        CConnector* con = doc.CreateCon(a, b, -1, -1, pa, pb, -1, props);
        if (con && !even)
            con->m_props.Behavior.low |= kGuidedOrthogonalBit;
    }
    // The connectors end on the boxes' outlines, as the editor lays them.
    doc.RelayAttachedCons(boxes);
    doc.SetModifiedFlag(true);
    return true;
}
