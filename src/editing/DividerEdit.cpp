#include "editing/DividerEdit.h"

#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"
#include "editing/ShapeStretch.h"
#include "richtext/FigureTextFit.h"
#include "shapes/CConPtList.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeReanchor.h"
#include "undo/UndoCodes.h"

#include <algorithm>

namespace {
// Style flag: the text is laid out again for the figure's areas.

CFigSymbol* OwnSymbol(CFigure& fig)
{
    return fig.m_pDoc ? fig.m_pDoc->m_figSymbols.GetAt(fig.m_props.Symbol) : nullptr;
}

// A divider that changes the outline drags its connectors and staples along.
void RelayAfterOutlineChange(CKavoDoc& doc, CFigure* fig, int movesCons)
{
    doc.InvalidateObj(fig);
    if (!movesCons)
        return;
    doc.RelayAttachedCons(fig);
    doc.UpdateAllStaples(1);
}

// Records the figure as it was on `oldIndex` (it stands on its copy now).
bool LogOnOldSymbol(CKavoDoc& doc, CFigure* fig, int oldIndex)
{
    const int copy = fig->m_props.Symbol;
    fig->m_props.Symbol = oldIndex;
    const bool logged = doc.LogFigureState(fig) != 0;
    fig->m_props.Symbol = copy;
    return logged;
}
} // namespace

int DividerAtPoint(const CFigure& fig, const CPoint& pt, int tolerance, int first)
{
    const CFigSymbol* sym = fig.GetSymbol();
    if (!sym)
        return -1;
    for (int n = std::max(0, first); n < sym->GetDividerCount(); ++n) {
        CPoint h;
        if (!sym->GetDividerHandle(n, h, fig.m_rect))
            continue;
        const int left = h.x - tolerance / 2, top = h.y - tolerance / 2;
        if (CRect(left, top, left + tolerance, top + tolerance).PtInRect(pt))
            return n;
    }
    return -1;
}

bool ValidateSubObjects(const CFigure& fig)
{
    const CFigSymbol* sym = fig.GetSymbol();
    if (!sym)
        return false;
    CRect room = fig.m_rect;
    room.NormalizeRect();
    room.InflateRect(1, 1);
    for (int i = 0; i < sym->GetDividerCount(); ++i) {
        CPoint h;
        if (sym->GetDividerHandle(i, h, fig.m_rect) && !room.PtInRect(h))
            return false;
    }
    for (int i = 0; i < sym->m_nTextBoxes; ++i) {
        CRect box;
        if (sym->GetTextBoxRect(i, fig.m_rect, box, 0) && (box.right < box.left || box.bottom < box.top))
            return false;
    }
    return true;
}

int GetSectionMinSizes(const CFigure& fig, SIZE* mins)
{
    const int count = std::clamp(fig.GetTextAreaCount(), 0, kMaxSectionMins);
    for (int i = 0; i < count; ++i) {
        const CSize ext = GetSectionTextExtent(fig, i, 1, nullptr, nullptr);
        mins[i] = SIZE{ext.cx, ext.cy};
    }
    return count;
}

void MeasureSectionMins(const CFigure& fig, int direction, SIZE* mins, int count)
{
    const CFigSymbol* sym = fig.GetSymbol();
    if (!sym)
        return;
    for (int i = 0; i < count; ++i) {
        CRect box;
        if (!sym->GetTextBoxRect(i, fig.m_rect, box, 0))
            continue;
        int w = box.Width(), h = box.Height();
        if (direction == 2) {
            w = FitWidthForHeight(fig, i, h);
        } else {
            h = MeasureSectionText(fig, i, w);
            if (direction == 0 && h >= 0)
                w = FitWidthForHeight(fig, i, h);
        }
        if (w >= 0 && h >= 0)
            mins[i] = SIZE{w, h};
    }
}

bool CanMoveDivider(const CFigure& fig, int n)
{
    const CFigSymbol* sym = fig.GetSymbol();
    CPoint handle;
    if (!sym || !sym->GetDividerHandle(n, handle, fig.m_rect))
        return false;
    const int direction = sym->GetDividerDirection(n);
    if (direction == 0)
        return true;
    SIZE mins[kMaxSectionMins];
    const int count = GetSectionMinSizes(fig, mins);
    const CRect& r = fig.m_rect;
    const int sides[2] = {direction == 1 ? r.top : r.right, direction == 1 ? r.bottom : r.left};
    for (const int side : sides) {
        CPoint probe = handle;
        (direction == 1 ? probe.y : probe.x) = side;
        if (sym->LimitDividerPoint(n, r, probe, count, mins, -1) && probe != handle)
            return true;
    }
    return false;
}

int PreferMovableDivider(const CFigure& fig, const CPoint& pt, int tolerance, int first)
{
    for (int n = first; n >= 0; n = DividerAtPoint(fig, pt, tolerance, n + 1))
        if (CanMoveDivider(fig, n))
            return n;
    return first;
}

int CopySymbolForEdit(CFigure& fig, int& oldIndex)
{
    const CFigSymbol* sym = fig.GetSymbol();
    if (!sym)
        return 0;
    const int copy = AddEditSymbolCopy(*fig.m_pDoc, *sym);
    if (copy < 0)
        return 0;
    oldIndex = fig.m_props.Symbol;
    fig.m_props.Symbol = copy;
    return 1;
}

int RestoreSymbol(CFigure& fig, int index)
{
    CKavoDoc* doc = fig.m_pDoc;
    const int copy = fig.m_props.Symbol;
    if (!doc || index == copy || !doc->m_figSymbols.GetAt(index))
        return 0;
    doc->InvalidateObj(&fig);
    fig.m_props.Symbol = index;
    doc->InvalidateObj(&fig);
    doc->InvalidateAttachedCons(&fig);
    return doc->m_figSymbols.Delete(copy);
}

int CommitDividerDrag(CKavoDoc& doc, CFigure* fig, int savedIndex, int index, int movesCons)
{
    if (!fig)
        return 0;
    if (!doc.m_figSymbols.GetAt(index) || index == savedIndex) {
        fig->m_props.Symbol = index;
        RestoreSymbol(*fig, savedIndex);
        return 0;
    }
    CUndoLog& log = doc.UndoLogRef();
    log.UndoBeginStep(UDMAC_RESHAPE);
    fig->m_props.Symbol = index;
    const bool logged = LogOnOldSymbol(doc, fig, savedIndex);
    if (logged) {
        // With margins the document keeps (not scalable ones), the
        // compartments are fitted to them again around the moved divider.
        CFigSymbol* copy = OwnSymbol(*fig);
        if (copy && copy->Reshape != 0)
            FitCompartmentsToRect(*fig, *copy, fig->m_rect);
        doc.SetModifiedFlag(true);
        RelayAfterOutlineChange(doc, fig, movesCons);
    }
    log.UndoEndStep();
    if (!logged)
        RestoreSymbol(*fig, savedIndex);
    return logged ? 1 : 0;
}

int MoveDividerTo(CKavoDoc& doc, CFigure* fig, int n, const CPoint& pt, int skipSection)
{
    const CFigSymbol* sym = fig ? fig->GetSymbol() : nullptr;
    CPoint handle;
    if (!sym || !sym->GetDividerHandle(n, handle, fig->m_rect) || pt == handle)
        return 0;
    const int movesCons = sym->DividerChangesOutline(n);
    int oldIndex = -1;
    if (!CopySymbolForEdit(*fig, oldIndex))
        return 0;
    CFigSymbol* copy = OwnSymbol(*fig);
    SIZE mins[kMaxSectionMins];
    const int count = GetSectionMinSizes(*fig, mins);
    CPoint limited = pt;
    if (!copy->LimitDividerPoint(n, fig->m_rect, limited, count, mins, skipSection) || limited == handle ||
        !copy->MoveSpecialHandle(n, fig->m_rect, limited, 0) || !LogOnOldSymbol(doc, fig, oldIndex)) {
        RestoreSymbol(*fig, oldIndex);
        return 0;
    }
    RelayAfterOutlineChange(doc, fig, movesCons);
    doc.SetModifiedFlag(true);
    return 1;
}

int ResizeFigSection(CKavoDoc& doc, CFigure* fig, int box, const SIZE& oldSize, const SIZE& newSize)
{
    if (!fig || !fig->GetSymbol())
        return 0;
    // The region of the symbol that takes up the change moves the figure's
    // own connection points exactly as it moves the symbol's.
    const CFltRect region = fig->GetSymbol()->GetStretchRegionRect(box, newSize);
    int oldIndex = -1;
    if (!CopySymbolForEdit(*fig, oldIndex))
        return 0;
    if (!OwnSymbol(*fig)->ResizeTextBoxRegion(box, oldSize, newSize) || !LogOnOldSymbol(doc, fig, oldIndex)) {
        RestoreSymbol(*fig, oldIndex);
        return 0;
    }
    if (fig->m_pConPts && !fig->HasFlags(0x80000, 0) && doc.LogFigConPts(fig))
        ReanchorConPts(*fig->m_pConPts, oldSize, newSize, region);
    doc.InvalidateObj(fig);
    doc.SetModifiedFlag(true);
    return 1;
}

int GetDividerShiftForSection(const CFigSymbol& sym, int section, const CFigure& fig, POINT& shift, int& divider,
                              CPoint& pt)
{
    int rescaled = 0;
    divider = sym.GetDividerForSection(section, shift, fig.m_rect, rescaled);
    CPoint handle;
    if (divider < 0 || !sym.GetDividerHandle(divider, handle, fig.m_rect))
        return 0;
    pt = CPoint(handle.x + shift.x, handle.y + shift.y);
    SIZE mins[kMaxSectionMins];
    const int count = GetSectionMinSizes(fig, mins);
    if (!sym.LimitDividerPoint(divider, fig.m_rect, pt, count, mins, -1))
        return 0;
    shift = POINT{pt.x - handle.x, pt.y - handle.y};
    return 1;
}
