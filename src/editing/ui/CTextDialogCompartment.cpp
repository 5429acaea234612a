// The first step of the editor's refit for a compartment of a special
// shape: the compartment takes its text by growing, the divider that grows
// it first and the figure for the rest, so the text needs no wrapping.
#include "editing/ui/CTextDialog.h"

#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/DividerEdit.h"
#include "richtext/FigureTextFit.h"
#include "shapes/CFigSymbol.h"

#include <algorithm>

namespace {

// Figure flags: the text extent follows the smallest font size (no layout
// by compartment); the figure may not grow wider or taller.
constexpr DWORD kFromFontSizeFlag = 0x800000;
constexpr DWORD kNoGrowWidthFlag = 0x10000, kNoGrowHeightFlag = 0x40000;

// How much the section's text box lacks for its text, per dimension.
CSize Shortfall(const CFigure& fig, int section)
{
    CRect box;
    if (!fig.GetTextAreaRect(section, box))
        return CSize(0, 0);
    const CSize ext = GetSectionTextExtent(fig, section, 1, nullptr, nullptr);
    return CSize(std::max(0L, long(ext.cx - box.Width())), std::max(0L, long(ext.cy - box.Height())));
}

// The divider that grows the section moves by what it can give.
void GrowByDivider(CKavoDoc& doc, CFigure& fig, int section, const CSize& need)
{
    const CFigSymbol* sym = fig.GetSymbol();
    POINT shift{need.cx, need.cy};
    int divider = -1;
    CPoint pt;
    if (sym && GetDividerShiftForSection(*sym, section, fig, shift, divider, pt) && (shift.x || shift.y))
        MoveDividerTo(doc, &fig, divider, pt, section);
}

// The figure grows by the rest, the section alone taking up the change.
bool GrowFigure(CKavoDoc& doc, CFigure& fig, int section, const CSize& need)
{
    const DWORD low = fig.m_props.Behavior.low;
    if ((need.cx && (low & kNoGrowWidthFlag)) || (need.cy && (low & kNoGrowHeightFlag)))
        return false;
    const CSize oldSize = fig.m_rect.Size();
    const CSize newSize(oldSize.cx + need.cx, oldSize.cy + need.cy);
    if (!ResizeFigSection(doc, &fig, section, oldSize, newSize))
        return false;
    fig.SetBounds(CRect(fig.m_rect.TopLeft(), newSize), true);
    doc.RelayAttachedCons(&fig);
    doc.UpdateAllStaples(0);
    doc.InvalidateObj(&fig);
    return true;
}

} // namespace

bool CTextDialog::FitCompartment()
{
    CKavoDoc* doc = m_pFig->m_pDoc;
    const CFigSymbol* sym = m_pFig->GetSymbol();
    if (!doc || !sym || !sym->HasCompartments() || !sym->HasCompartmentText() || !sym->UsesSpecialLayout() ||
        (m_pFig->m_props.Behavior.low & kFromFontSizeFlag))
        return false;
    // The text is measured as it now stands in the figure.
    StoreText();
    CSize need = Shortfall(*m_pFig, m_nSection);
    if (need.cx == 0 && need.cy == 0)
        return true;
    GrowByDivider(*doc, *m_pFig, m_nSection, need);
    need = Shortfall(*m_pFig, m_nSection);
    if (need.cx || need.cy) {
        if (!GrowFigure(*doc, *m_pFig, m_nSection, need))
            return false;
        need = Shortfall(*m_pFig, m_nSection);
    }
    PlaceOverText(true);
    return need.cx == 0 && need.cy == 0;
}
