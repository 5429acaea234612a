#include "document/FigApplySteps.h"

#include "document/CKavoDoc.h"
#include "document/DividedShapeFigureLink.h"
#include "document/FigPropValues.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeSetup.h"
#include "undo/UndoCodes.h"

namespace {

bool HasSpecialLayout(const CFigure& f)
{
    const CFigSymbol* s = f.GetSymbol();
    return s && s->Reshape != 0;
}

// Only width and/or height, nothing else.
bool IsSizeOnly(const CFigPropMask& m)
{
    const int w = m.m_bSheet[kSheetWidth] != 0, h = m.m_bSheet[kSheetHeight] != 0;
    return (w || h) && m.CountSet() == w + h;
}

} // namespace

FigApplyPlan PlanFigApply(const CFigure& f, const FigPropValues& v, const CFigPropMask& m)
{
    FigApplyPlan p;
    p.newConPts = m.m_bSheet[kSheetConPts] && v.conPts;
    const bool size = m.m_bSheet[kSheetWidth] || m.m_bSheet[kSheetHeight];
    p.geometry = size || p.newConPts;
    const bool position = m.m_bSheet[kSheetX] || m.m_bSheet[kSheetY];
    const bool style = m.m_bSheet[kSheetStyle] != 0;
    p.resizeClass = position || p.geometry || (m.m_bFont && f.HasText()) || style ||
                    (m.m_behavior.low & kResizeClassFlag);
    // What may touch the texts: they are logged whole before anything
    // changes, so that undo gives back exactly what was there.
    const bool texts = m.m_bSheet[kSheetText] || m.m_bTextFormat || m.m_bFont || m.m_bTextColor || style ||
                       (m.m_behavior.low & kFigFlagReflowText);
    // What may re-fit the figure to its text.
    const bool refit = texts || (m.m_behavior.low & kFollowTextFlags);
    p.logRect = p.resizeClass || refit;
    p.logText = (m.m_bTextFormat && !p.newConPts && f.GetTextAreaCount() > 1) || texts;
    // A size change drops the size snapping requests: the whole state is
    // logged whenever it would.
    const DWORD snapBits = (m.m_bSheet[kSheetWidth] ? kWidthSnapBits : 0) | (m.m_bSheet[kSheetHeight] ? kHeightSnapBits : 0);
    p.logProps = !(IsSizeOnly(m) && !HasSpecialLayout(f)) || (f.m_props.Behavior.high & snapBits) != 0;
    return p;
}

bool LogFigApply(CKavoDoc& doc, CFigure* f, const FigApplyPlan& p)
{
    if (p.logRect && !doc.LogFigRect(f))
        return false;
    if (p.logText && !doc.LogFigText(f, -1))
        return false;
    return !p.logProps || doc.LogFigureState(f);
}

bool FreeDroppedConPts(CKavoDoc& doc, CFigure* f, const CConPtList& kept)
{
    bool ok = true;
    doc.ForEachConnector([&](CConnector* c) {
        for (int end = 1; end <= 2 && ok; ++end) {
            int32_t& id = end == 1 ? c->m_nConPtId1 : c->m_nConPtId2;
            if ((end == 1 ? c->m_pFig1 : c->m_pFig2) != f || id <= 0 || kept.FindById(id))
                continue;
            ok = doc.LogConnectorEnds(UDOC_CONMOVE, c) != 0;
            if (ok)
                id = -1;
        }
    });
    return ok;
}

bool SetUpChangedShape(CKavoDoc& doc, CFigure* f, const CFigure& before, bool inStep)
{
    const bool changed = f->m_props.Symbol != before.m_props.Symbol ||
                         f->m_props.m_nGraphicType != before.m_props.m_nGraphicType ||
                         f->m_props.Graphic != before.m_props.Graphic;
    if (!changed)
        return true;
    f->ResetStockKind();
    // A special shape that comes in while the document's figure margins are
    // in force is set up for them, as a new figure of that shape is.
    if (!inStep || doc.m_nFigMarginMode != 1)
        return true;
    int left = 0, right = 0, top = 0, bottom = 0;
    doc.GetFigMargins(left, right, top, bottom);
    CSpecialFigureLink link(doc, f);
    InitSpecialShapeFig(link, left, right, top, bottom);
    return !doc.UndoLogRef().IsUndoStepAbandoned();
}
