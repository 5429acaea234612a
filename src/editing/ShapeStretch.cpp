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
        if (shiftHeld)
            ShrinkByPlan(*plan, vertMode, horzMode, r0, r1, opposite, table.data(), n);
        else
            DistributeStretch(*plan, vertMode, horzMode, own->HasMiddleRows() != 0, r0, r1, opposite, table.data(),
                              n, followH, followV);
    }
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
        sym.LimitDividerPoint(i, r1, pt, 0, nullptr, -1);
        sym.MoveSpecialHandle(i, r1, pt, 0);
    }
    FitCompartmentsToRect(fig, sym, r1);
    return 1;
}
