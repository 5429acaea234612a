#include "editing/ShapeStretch.h"

#include "core/GridSnap.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "shapes/CFigSymbol.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kScalableMargins = 0, kFixedMargins = 1;

// A top-side plan lists the row it keeps for last (the name row of a stack,
// a tab) by the divider that bounds it, and the outer side for the row below
// it: that divider rides with the dragged top side while the shape shrinks,
// so the rows below give first and the kept row gives only its own slack.
// Its anchor is the top handle of the opposite handle's column, so that its
// x and the column walk are as before.
void KeepTopRowWithTopSide(const CompartmentSet& plan, int opposite, DividerShift* table, int n)
{
    if (opposite < 7 || opposite > 9)
        return;
    const int rows = std::clamp(plan.m_nRows, 0, kMaxResizeEntries);
    for (int j = 0; j < rows; ++j) {
        const int d = plan.m_rows[j].m_nDivider;
        if (plan.m_rows[j].m_nWeight == 2 && d >= 0 && d < n && !table[d].anchored)
            table[d].anchor = int16_t(opposite - 6);
    }
}
} // namespace

bool HasSpecialLayout(const CFigure& fig)
{
    const CFigSymbol* sym = fig.GetSymbol();
    return sym && sym->Reshape != 0 && sym->GetDividerCount() > 0;
}

int FitCompartmentsToRect(const CFigure& fig, CFigSymbol& sym, const CRect& rc)
{
    const CKavoDoc* doc = fig.m_pDoc;
    if (!doc || doc->m_nFigMarginMode == kScalableMargins)
        return 0;
    const CFigSymbol* own = fig.GetSymbol();
    for (int i = 0; i < sym.m_nTextBoxes; ++i) {
        int left = 0, right = 0, top = 0, bottom = 0;
        if (doc->m_nFigMarginMode == kFixedMargins)
            doc->GetFigMargins(left, right, top, bottom);
        else if (!own || !own->GetTextBoxMargins(i, fig.m_rect, left, right, top, bottom))
            continue;
        sym.FitTextBoxToMargins(i, rc, left, right, top, bottom);
    }
    return 1;
}

int StretchSpecialShape(const CFigure& fig, const CRect& r0, const CRect& r1, CFigSymbol& sym,
                        const CompartmentSet* plan, int handle, bool shiftHeld)
{
    FitCompartmentsToRect(fig, sym, r1);
    const CFigSymbol* own = fig.GetSymbol();
    const int n = own ? std::min(own->GetDividerCount(), sym.GetDividerCount()) : 0;
    const int opposite = handle >= 1 && handle <= 9 ? OppositeHandle(handle) : handle;
    // One entry per divider, however many the symbol lists.
    std::vector<DividerShift> table(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        DividerShift& e = table[size_t(i)];
        const int anchor = sym.GetDividerAnchor(i);
        e.anchored = anchor != 0 ? 1 : 0;
        e.anchor = int16_t(e.anchored ? anchor : opposite);
    }
    int followH = 0, followV = 0;
    if (plan && n > 0) {
        const int vertMode = handle >= 7 && handle <= 9 ? 2 : 1;
        const int horzMode = handle == 3 || handle == 6 || handle == 9 ? 4 : 3;
        if (vertMode == 1 && r1.Height() < r0.Height())
            KeepTopRowWithTopSide(*plan, opposite, table.data(), n);
        if (shiftHeld)
            ShrinkByPlan(*plan, vertMode, horzMode, r0, r1, opposite, table.data(), n);
        else
            DistributeStretch(*plan, vertMode, horzMode, own->HasMiddleRows() != 0, r0, r1, opposite, table.data(),
                              n, followH, followV);
    }
    std::vector<CPoint> targets(static_cast<size_t>(n));
    std::vector<bool> placed(static_cast<size_t>(n), false);
    for (int i = 0; i < n; ++i) {
        const DividerShift& e = table[size_t(i)];
        CPoint d;
        if (!own->GetDividerHandle(i, d, r0))
            continue;
        const CPoint a = RectHandlePoint(e.anchor, r0), b = RectHandlePoint(e.anchor, r1);
        CPoint pt(b.x + d.x - a.x + e.dx, b.y + d.y - a.y + e.dy);
        CPoint laid;
        if (!e.anchored && (followH || followV) && sym.GetDividerHandle(i, laid, r1)) {
            if (followH)
                pt.x = laid.x;
            if (followV)
                pt.y = laid.y;
        }
        targets[size_t(i)] = pt;
        placed[size_t(i)] = true;
    }
    // A divider is limited by its neighbours where they stand: one held back
    // by a neighbour that was yet to move gets a second try.
    for (int pass = 0; pass < 2; ++pass) {
        bool held = false;
        for (int i = 0; i < n; ++i) {
            if (!placed[size_t(i)])
                continue;
            CPoint pt = targets[size_t(i)];
            sym.LimitDividerPoint(i, r1, pt, 0, nullptr, -1);
            held = held || pt != targets[size_t(i)];
            sym.MoveSpecialHandle(i, r1, pt, 0);
        }
        if (!held)
            break;
    }
    FitCompartmentsToRect(fig, sym, r1);
    return 1;
}
