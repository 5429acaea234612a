// Connection points added, moved and deleted one at a time. The figure
// gets a changed copy of its list through the figure-property change, so
// that undo puts the old list back and connectors on a removed point float.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/ConPtPlace.h"
#include "document/FigPropValues.h"
#include "document/Trunks.h"
#include "undo/UndoCodes.h"

namespace {
CConPtList ListOf(const CFigure* fig)
{
    CConPtList list;
    if (fig->m_pConPts)
        list.CopyFrom(*fig->m_pConPts);
    return list;
}

bool IsAutomatic(const CFigure* fig, int32_t key)
{
    const CConPt* p = fig->m_pConPts ? fig->m_pConPts->FindById(key) : nullptr;
    return p && (p->m_nFlag & kConPtAutomaticFlag);
}
} // namespace

bool CKavoDoc::AcceptsConPts(const CFigure* fig) const
{
    if (!fig || fig->IsInvisible() || fig->HasFlags(0x80000, 0))
        return false;
    if (!IsTrunkDiagrams())
        return true;
    const int kind = fig->GetStockKind();
    return !fig->IsTrunkObj() && !(kind >= 17 && kind <= 25);
}

int CKavoDoc::CountConsAtConPt(const CFigure* fig, int32_t key) const
{
    int count = 0;
    ForEachConnector([&](const CConnector* c) {
        count += (c->m_pFig1 == fig && c->m_nConPtId1 == key) + (c->m_pFig2 == fig && c->m_nConPtId2 == key);
    });
    return count;
}

// The figure takes the list; the records are written inside the open step.
static bool ApplyConPtList(CKavoDoc& doc, CFigure* fig, const CConPtList& list)
{
    FigPropValues values;
    values.props = fig->m_props;
    values.conPts = &list;
    CFigPropMask mask;
    mask.m_bSheet[kSheetConPts] = 1;
    return doc.ApplyFigProps(fig, values, mask, true);
}

bool CKavoDoc::AddAutoConPt(CFigure* fig, const POINT& pt, int32_t& key, bool automatic, bool second)
{
    (void)second;
    CFltPoint place;
    if (!fig || !ConPtPlaceForAdd(fig->m_rect, CPoint(pt), place))
        return false;
    CConPtList list = ListOf(fig);
    const int id = list.AddConPt(place, "", automatic ? kConPtAutomaticFlag : 0, true, -1);
    if (id <= 0 || !ApplyConPtList(*this, fig, list))
        return false;
    key = id;
    return true;
}

// One step of the code around a change whose input was checked: a refused
// record makes the log take back what the step had changed.
static bool ConPtListStep(CKavoDoc& doc, int code, CFigure* fig, const CConPtList& list)
{
    CUndoLog& log = doc.UndoLogRef();
    log.UndoBeginStep(code);
    const bool done = ApplyConPtList(doc, fig, list);
    log.UndoEndStep();
    return done;
}

bool CKavoDoc::AddConPtWithUndo(CFigure* fig, const POINT& pt, const char* name, bool automatic)
{
    CFltPoint place;
    if (!AcceptsConPts(fig) || !ConPtPlaceForAdd(fig->m_rect, CPoint(pt), place))
        return false;
    CConPtList list = ListOf(fig);
    if (list.AddConPt(place, name ? name : "", automatic ? kConPtAutomaticFlag : 0, true, -1) <= 0)
        return false;
    return ConPtListStep(*this, UDMAC_ADDCONPT, fig, list);
}

bool CKavoDoc::DelConPtWithUndo(CFigure* fig, int32_t key)
{
    if (!fig || !fig->m_pConPts || !fig->m_pConPts->FindById(key))
        return false;
    CConPtList list = ListOf(fig);
    list.RemoveConPt(key);
    return ConPtListStep(*this, UDMAC_DELCONPT, fig, list);
}

bool CKavoDoc::MoveConPtWithUndo(CFigure* fig, int32_t key, const POINT& pt)
{
    CFltPoint place;
    if (!fig || !fig->m_pConPts || !ConPtPlaceForMove(fig->m_rect, CPoint(pt), place))
        return false;
    const CConPt* old = fig->m_pConPts->FindById(key);
    if (!old)
        return false;
    CConPtList list;
    for (int i = 0; i < fig->m_pConPts->GetCount(); ++i) {
        const CConPt* p = fig->m_pConPts->GetAt(i);
        list.AddConPt(p == old ? place : p->m_pos, p->m_strName, p->m_nFlag, true, p->m_nId);
    }
    return ConPtListStep(*this, UDMAC_MOVECONPT, fig, list);
}

bool CKavoDoc::DropAutoConPt(CFigure* fig, int32_t key)
{
    if (!fig || !IsAutomatic(fig, key) || CountConsAtConPt(fig, key) > 0)
        return false;
    // Inside a step the removal is logged with it; outside (a load or a
    // renumber) the list is simply trimmed.
    if (!m_undo.IsStepOpen()) {
        fig->m_pConPts->RemoveConPt(key);
        return true;
    }
    CConPtList list = ListOf(fig);
    list.RemoveConPt(key);
    return ApplyConPtList(*this, fig, list);
}

void CKavoDoc::PurgeAutoConPts()
{
    ForEachFigure([&](CFigure* fig) {
        // Each removal changes the list: the walk starts over from its end.
        for (bool removed = true; removed && fig->m_pConPts;) {
            removed = false;
            for (int i = fig->m_pConPts->GetCount() - 1; i >= 0 && !removed; --i)
                removed = DropAutoConPt(fig, fig->m_pConPts->GetIdAt(i));
        }
    });
}

void CKavoDoc::OnUseConPts()
{
    m_bEnableConPts = m_bEnableConPts ? 0 : 1;
    EnableConPts = m_bEnableConPts;
    if (!m_bEnableConPts && g_nUIMode == 7)
        RestoreSelectMode();
    if (IAppContext* app = GetAppContext())
        app->UpdateAllDocuments();
    UpdateAllViews(nullptr, 0, nullptr);
    CfgSaveAll();
}
