// Putting objects into the document's lists: plain appends, appends with an
// undo record, appends with a fresh id, and copies for paste and duplicate.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "document/AttachKinds.h"
#include "document/CStaple.h"
#include "document/DividedShapeCreateTable.h"
#include "document/Trunks.h"

#include <new>
#include <vector>

// ---- plain appends: false when memory runs out

bool CKavoDoc::AddFig(CFigure* fig)
{
    if (!fig || !m_pObjList->AddTail(fig))
        return false;
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::AddCon(CConnector* con)
{
    if (!con || !m_pObjList->AddTail(con))
        return false;
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::AddStaple(CStaple* staple)
{
    if (!staple || !m_pStapleList->AddTail(staple))
        return false;
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::AppendGroup(CGroup* group)
{
    try {
        m_groupList.push_back(group);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CKavoDoc::AddGroup(CGroup* group)
{
    if (!group || !AppendGroup(group))
        return false;
    SetModifiedFlag(true);
    return true;
}

// ---- appends with an undo record: a refused record means no append

bool CKavoDoc::AddFigUndo(CFigure* fig)
{
    return fig && LogIdRecord(UDOC_FIGCREATE, fig->m_nId) && AddFig(fig);
}

bool CKavoDoc::AddConUndo(CConnector* con)
{
    return con && LogIdRecord(UDOC_CONCREATE, con->m_nId) && AddCon(con);
}

bool CKavoDoc::AddStapleUndo(CStaple* staple)
{
    return staple && LogIdRecord(UDOC_STPCREATE, staple->m_nId) && AddStaple(staple);
}

bool CKavoDoc::AddGroupUndo(CGroup* group)
{
    return group && LogIdRecord(UDOC_GROUP, group->m_nId) && AddGroup(group);
}

// ---- appends with a fresh id: the id is spent even when the append fails

bool CKavoDoc::AddFigWithId(CFigure* fig)
{
    if (!fig)
        return false;
    fig->m_nId = m_nNextId++;
    if (!AddFigUndo(fig))
        return false;
    InvalidateObj(fig);
    return true;
}

bool CKavoDoc::AddConWithId(CConnector* con)
{
    if (!con)
        return false;
    con->m_nId = m_nNextId++;
    return AddConUndo(con);
}

bool CKavoDoc::AddStapleWithId(CStaple* staple)
{
    if (!staple)
        return false;
    staple->m_nId = m_nNextStpId++;
    return AddStapleUndo(staple);
}

bool CKavoDoc::AddGroupWithId(CGroup* group)
{
    if (!group)
        return false;
    group->m_nId = m_nNextGrpId++;
    return AddGroupUndo(group);
}

CFigure* CKavoDoc::CreateFigAt(const POINT& pt, int data)
{
    CFigProps props;
    CFigure* fig = new (std::nothrow) CFigure(pt.x, pt.y, 15, 15, props, -1, 0, "", "", CFigure::CreateArgs(), this);
    if (!fig)
        return nullptr;
    if (!AddFigWithId(fig)) {
        delete fig;
        return nullptr;
    }
    fig->AutoDelJct = data;
    return fig;
}

CFigure* CKavoDoc::AddNewFig(int kind, CFigure* fig, bool noSelect, bool label, const std::string& labelText,
                             const CFigStyle* sourceStyle, bool pinToHost)
{
    if (!fig)
        return nullptr;
    const AttachKind* pinRow = nullptr;
    const bool pin = pinToHost && GetPinKind(fig, &pinRow) != -1 && pinRow;
    if (pin && kind != -1 && pinRow->createStep != -1)
        kind = pinRow->createStep;
    const SpecialShapeCreateRow* row = sourceStyle ? nullptr : FindSpecialShapeCreateRow(FigShapeKind(*fig));
    if (row && row->undoKind != -1)
        kind = row->undoKind;
    if (IsTrunkDiagrams() && fig->IsTrunkObj())
        kind = UDMAC_CREATEINTERFACE;
    // Only a step this call opened may be undone when the append fails: a
    // caller's open step (kind -1) belongs to the caller.
    const bool ownStep = kind != -1;
    if (ownStep)
        m_undo.UndoBeginStep(kind);
    const bool added = AddFigWithId(fig);
    if (added) {
        if (fig->HasPicture())
            m_graphics.AddUse(fig->m_props.m_nGraphicType, fig->m_props.Graphic);
        if (row && row->setUp)
            row->setUp(*this, *fig);
        if (label && !labelText.empty())
            AddAutoFigLabel(fig, labelText);
        if (pin)
            PinNewFig(fig, 0);
    }
    // The user abandoned the step for lack of memory: the log takes back what
    // it recorded when the step closes. The figure leaves the list first, so
    // that it stays the caller's, as after any failed append.
    const bool refused = m_undo.m_bStepRefused != 0;
    bool listed = added;
    if (refused && added) {
        if (fig->HasPicture())
            m_graphics.ReleaseUse(fig->m_props.Graphic);
        RemoveFromSelection(fig);
        UnlinkFromGroups(fig);
        m_pObjList->Remove(fig);
        listed = false;
    }
    bool takenBack = false;
    if (ownStep) {
        // A refused closing record takes the whole step back; the figure then
        // leaves the list but stays the caller's.
        m_pFigBeingAdded = listed ? fig : nullptr;
        m_undo.UndoEndStep();
        m_pFigBeingAdded = nullptr;
        takenBack = listed && m_pObjList->Find(fig) < 0;
        listed = listed && !takenBack;
    }
    if (!listed) {
        if (ownStep && !refused && !takenBack && m_undo.CanUndo() && m_undo.GetLastUndoStepCode() == kind)
            UndoLastStep();
        return nullptr;
    }
    if (!noSelect && (kind == 7 || kind == 30 || kind == 39 || SelectAfterFigureCreate))
        Select(fig);
    UpdateTrunks(1);
    return fig;
}

CFigure* CKavoDoc::AddCopyOfFig(const CFigure* src, int idOffset)
{
    if (!src)
        return nullptr;
    CFigure* copy = new (std::nothrow) CFigure(*src);
    if (!copy)
        return nullptr;
    if (idOffset == -1)
        copy->m_nId = m_nNextId++;
    else
        copy->OffsetId(idOffset);
    if (!AddFigUndo(copy)) {
        delete copy;
        return nullptr;
    }
    if (copy->HasPicture()) {
        DiagPrintf("SMEM  From CKavoDoc::AddCopyOfFig()\n");
        m_graphics.AddUse(copy->m_props.m_nGraphicType, copy->m_props.Graphic);
    }
    return copy;
}

CConnector* CKavoDoc::AddCopyOfCon(const CConnector* src, int idOffset)
{
    if (!src)
        return nullptr;
    CConnector* copy = new (std::nothrow) CConnector(*src);
    if (!copy)
        return nullptr;
    if (idOffset == -1)
        copy->m_nId = m_nNextId++;
    else
        copy->OffsetIds(idOffset);
    if (!AddConUndo(copy)) {
        delete copy;
        return nullptr;
    }
    // A copy with its own id shares the source's end figures: attach it to
    // them now. Shifted copies are relinked by the caller once every copied
    // figure is in.
    if (idOffset == -1) {
        copy->Relink(*m_pObjList);
        copy->AttachToFigs();
    }
    return copy;
}

CConnector* CKavoDoc::DuplicateCon(const CConnector* src)
{
    CConnector* copy = AddCopyOfCon(src, -1);
    if (!copy)
        return nullptr;
    const int at = m_pObjList->Find(src);
    if (at >= 0)
        m_pObjList->MoveTo(copy, at + 1);
    return copy;
}

// One creation record, written once the copy's id is final: a record with
// the source's id would remove the source when undone.
CStaple* CKavoDoc::AddCopyOfStaple(const CStaple* src, int idOffset, int objIdOffset)
{
    if (!src)
        return nullptr;
    CStaple* copy = new (std::nothrow) CStaple(*src);
    if (!copy)
        return nullptr;
    int ownShift = idOffset;
    if (idOffset == -1) {
        copy->m_nId = m_nNextStpId++;
        ownShift = 0;
    }
    copy->OffsetIds(ownShift, objIdOffset);
    if (!AddStapleUndo(copy)) {
        delete copy;
        return nullptr;
    }
    return copy;
}

CGroup* CKavoDoc::AddCopyOfGroup(const CGroup* src, int idOffset, int memberIdOffset)
{
    if (!src)
        return nullptr;
    CGroup* copy = new (std::nothrow) CGroup(*src);
    if (!copy)
        return nullptr;
    copy->m_bSelected = 0;
    if (idOffset == -1)
        copy->m_nId = m_nNextGrpId++;
    else
        copy->OffsetId(idOffset);
    copy->OffsetMemberIds(memberIdOffset);
    if (!AddGroupUndo(copy)) {
        delete copy;
        return nullptr;
    }
    return copy;
}

CConnector* CKavoDoc::CreateCon(CFigure* end1, CFigure* end2, int conPt1, int conPt2, const POINT& pt1,
                                const POINT& pt2, int style, const CConProps& props)
{
    CConnector* con = new (std::nothrow) CConnector(this);
    if (!con)
        return nullptr;
    con->m_nStyle = style;
    con->m_props = props;
    if (!AddConWithId(con)) {
        delete con;
        return nullptr;
    }
    for (CFigure* end : {end1, end2})
        if (end && end->IsRedundantJct()) {
            if (end->m_pAttachedCon1)
                InvalidateObj(end->m_pAttachedCon1);
            if (end->m_pAttachedCon2)
                InvalidateObj(end->m_pAttachedCon2);
        }
    // Both ends of a connector are never on one figure: end 2 is then free
    // at its point, as attaching it would leave it.
    if (end2 && end2 == end1) {
        end2 = nullptr;
        conPt2 = kConPtCentre;
    }
    con->m_pFig1 = end1;
    con->m_nConPtId1 = conPt1;
    con->EndPoint1 = pt1;
    con->m_pFig2 = end2;
    con->m_nConPtId2 = conPt2;
    con->EndPoint2 = pt2;
    con->StoreIds();
    if (end1)
        end1->AttachCon(con);
    if (end2)
        end2->AttachCon(con);
    InvalidateObj(con);
    return con;
}

namespace {
// The far end of the connector seen from the junction: its figure and point.
void FarEnd(const CConnector* c, const CFigure* jct, const CFigure*& fig, CPoint& pt, int& nearEnd)
{
    if (c->m_pFig1 == jct) {
        fig = c->m_pFig2;
        pt = c->EndPoint2;
        nearEnd = 1;
    } else {
        fig = c->m_pFig1;
        pt = c->EndPoint1;
        nearEnd = 2;
    }
}
} // namespace

bool CKavoDoc::CanMergeAtJct(const CFigure* jct) const
{
    if (!jct || !jct->AutoDelJct)
        return false;
    std::vector<const CConnector*> cons;
    ForEachConnector([&](CConnector* c) {
        if (c->m_pFig1 == jct || c->m_pFig2 == jct)
            cons.push_back(c);
    });
    if (cons.size() != 2)
        return false;
    const CFigure *far1 = nullptr, *far2 = nullptr;
    CPoint p1, p2;
    int near1 = 0, near2 = 0;
    FarEnd(cons[0], jct, far1, p1, near1);
    FarEnd(cons[1], jct, far2, p2, near2);
    if ((far1 != nullptr) != (far2 != nullptr))
        return false;
    if (cons[0]->m_pStaple && cons[1]->m_pStaple)
        return false;
    // The junction lies on the straight line between the far ends.
    const CPoint j = jct->GetCenter();
    const long long cross = (long long)(j.x - p1.x) * (p2.y - p1.y) - (long long)(j.y - p1.y) * (p2.x - p1.x);
    if (cross != 0)
        return false;
    auto endSymbolAtJct = [](const CConnector* c, int nearEnd) {
        return (nearEnd == 1 ? c->m_props.End1 : c->m_props.End2) > 0;
    };
    return !endSymbolAtJct(cons[0], near1) && !endSymbolAtJct(cons[1], near2);
}
