// Automatic figure labels: a label made with a new figure, placed at the
// document's primary position around it and pinned by a figure-label staple.
#include "document/CKavoDoc.h"

#include "document/CStaple.h"
#include "document/FigTextFitHook.h"
#include "document/LabelPlacement.h"
#include "document/UndoRecordsStaple.h"

#include <memory>


void CKavoDoc::CalcFigLblRect(const CFigure* fig, const CSize& size, int code, CRect& out, int gap) const
{
    if (!fig || code < 1 || code > 12)
        return;
    const CRect& r = fig->m_rect;
    const int w = size.cx, h = size.cy;
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int left = 0, top = 0;
    switch (code) {
    case 1: left = r.left; top = r.top - gap - h; break;
    case 2: left = cx - w / 2; top = r.top - gap - h; break;
    case 3: left = r.right - w; top = r.top - gap - h; break;
    case 4: left = r.right + gap; top = r.top; break;
    case 5: left = r.right + gap; top = cy - h / 2; break;
    case 6: left = r.right + gap; top = r.bottom - h; break;
    case 7: left = r.right - w; top = r.bottom + gap; break;
    case 8: left = cx - w / 2; top = r.bottom + gap; break;
    case 9: left = r.left; top = r.bottom + gap; break;
    case 10: left = r.left - gap - w; top = r.bottom - h; break;
    case 11: left = r.left - gap - w; top = cy - h / 2; break;
    default: left = r.left - gap - w; top = r.top; break;
    }
    out.SetRect(left, top, left + w, top + h);
}

int CKavoDoc::LabelGapFor(int spacing) const
{
    // An unset spacing (0 or -1) falls back to the custom spacing while the
    // figure-margin mode is on, else to 16. The custom spacing is the left
    // figure margin (12 by default), the value the connector stub length
    // takes in that mode too.
    if (spacing > 0)
        return spacing;
    return m_nFigMarginMode == 1 ? m_nFigMarginLeft : 16;
}

void CKavoDoc::GetLabelSpacing(int& x, int& y) const
{
    x = LabelGapFor(m_nLabelToFigSpacing);
    y = LabelGapFor(m_nLabelToConSpacing);
}

int CKavoDoc::GetFigLblGap() const
{
    return LabelGapFor(m_nLabelToFigSpacing);
}

int CKavoDoc::GetConLblGap() const
{
    return LabelGapFor(m_nLabelToConSpacing);
}

bool CKavoDoc::CalcFlowLblRects(const CConnector* con, const CFigure* fig, const CSize& size, int gap, int inflate,
                                CRect& r1, CRect& r2, int& corner1, int& corner2) const
{
    return con && fig && ::CalcFlowLblRects(*con, *fig, size, gap, inflate, r1, r2, corner1, corner2);
}

const CFigStyle& CKavoDoc::GetAutoLblStyle(int& index) const
{
    index = m_strAutoLabelStyle.empty() ? -1 : m_figStyles.FindByName(m_strAutoLabelStyle);
    if (index >= 0)
        return *m_figStyles.GetAt(index);
    index = m_nCurLblStyle;
    return m_curLblStyle;
}

CFigure* CKavoDoc::AddAutoFigLabel(CFigure* fig, const std::string& text)
{
    if (!fig || text.empty())
        return nullptr;
    int styleIndex = -1;
    const CFigStyle& style = GetAutoLblStyle(styleIndex);
    CFigProps props = style.m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    const CSize size(style.Width, style.Height);
    const int code = m_nFigLblPrimarySector >= 1 && m_nFigLblPrimarySector <= 12 ? m_nFigLblPrimarySector : 8;
    const FigLblPlace place = FigLblPlaceOf(code);
    // The text faces the figure.
    props.SetTextAlign(place.alignH, 1, nullptr);
    props.SetTextAlign(place.alignV, 1, nullptr);
    CRect rc;
    CalcFigLblRect(fig, size, code, rc, GetFigLblGap());
    auto label = std::make_unique<CFigure>(rc.left, rc.top, rc.Height(), rc.Width(), props, styleIndex, 1, text, "",
                                           CFigure::CreateArgs(), this);
    // The label takes the size of its text and is placed again with it.
    if (g_pfnSizeFigToText && g_pfnSizeFigToText(this, label.get())) {
        CalcFigLblRect(fig, label->m_rect.Size(), code, rc, GetFigLblGap());
        label->SetRectNoUndo(rc);
    }
    CFigure* added = AddNewFig(-1, label.get(), true);
    if (!added)
        return nullptr;
    label.release();

    // The offset runs from the figure's anchor to the label's, the way the
    // staple pass reads it when the figure moves.
    auto staple = std::make_unique<CStaple>(this);
    staple->MakeFigLbl(fig, place.figX, place.figY, added, place.lblX, place.lblY, 0, 0);
    staple->RecordOffset(nullptr);
    if (!AddStapleWithId(staple.get())) {
        for (CDiagObj* o : {static_cast<CDiagObj*>(fig), static_cast<CDiagObj*>(added)})
            o->RefindStaple(staple.get());
        return added;
    }
    staple.release();
    return added;
}

int CKavoDoc::PlaceFigLblAt(CStaple* staple, int code)
{
    if (!staple || !staple->IsFigLbl(true) || code < 1 || code > 12)
        return 0;
    CFigure* fig = staple->m_pFig1;
    CFigure* label = staple->m_pFig2;
    const FigLblPlace place = FigLblPlaceOf(code);
    CRect rc;
    CalcFigLblRect(fig, CSize(label->m_rect.Width(), label->m_rect.Height()), code, rc, GetFigLblGap());
    CFigProps props = label->m_props;
    props.SetTextAlign(place.alignH, 1, nullptr);
    props.SetTextAlign(place.alignV, 1, nullptr);
    SetAlignFlags(props.Behavior, props.TextFormat);
    const bool anchored = staple->Fig1PosX == place.figX && staple->Fig1PosY == place.figY &&
                          staple->Fig2PosX == place.lblX && staple->Fig2PosY == place.lblY;
    if (rc == label->m_rect && anchored && props == label->m_props)
        return 0;
    if (!LogFigureState(label) || !LogStapleState(*this, staple) || !MoveFigToRect(label, rc))
        return -1;
    label->m_props = props;
    InvalidateObj(label);
    staple->Fig1PosX = place.figX;
    staple->Fig1PosY = place.figY;
    staple->Fig2PosX = place.lblX;
    staple->Fig2PosY = place.lblY;
    staple->RecordOffset(nullptr);
    staple->TakeSnapshots();
    SetModifiedFlag(true);
    return 1;
}

bool HasFigLabelAt(const CKavoDoc& doc, const CFigure* fig, int code)
{
    if (!fig || code < 1 || code > 12)
        return false;
    const FigLblPlace place = FigLblPlaceOf(code);
    for (const CStaple* s : doc.FigLabelStaplesOf(fig))
        if (s->Fig1PosX == place.figX && s->Fig1PosY == place.figY && s->Fig2PosX == place.lblX &&
            s->Fig2PosY == place.lblY)
            return true;
    return false;
}
