#include "document/UndoRecordsStaple.h"

#include "core/Trace.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "undo/UndoCodes.h"
#include "undo/UndoRecordTraces.h"

#include <memory>

namespace {
// The eight fields after Figure2's id, in field order.
template <class Staple>
auto* TailFields(Staple& s, int i)
{
    decltype(&s.FlowSide) fields[8] = {&s.Fig2PosX, &s.Fig2PosY, &s.OffsetX,       &s.OffsetY,
                                       &s.m_nType,  &s.FlowSide, &s.LateralOffset, &s.LateralConsistency};
    return fields[i];
}

} // namespace

void WriteStapleState(UndoStream& s, const CStaple& st)
{
    s.Int32(st.m_bSelected);
    s.Int32(st.m_bVisited);
    s.Int32(st.PinType);
    for (int i = 7; i >= 0; --i)
        s.Int32(*TailFields(st, i));
    s.Int32(st.m_pFig2 ? st.m_pFig2->m_nId : st.m_nFig2Id);
    s.Int32(st.Fig1PosY);
    s.Int32(st.Fig1PosX);
    s.Int32(st.m_pFig1 ? st.m_pFig1->m_nId : st.m_nFig1Id);
    s.Int32(st.ConPos);
    s.Int32(st.m_pCon ? st.m_pCon->m_nId : st.m_nConId);
    s.Int32(st.m_nId);
}

bool ReadStapleState(UndoReader& r, CStaple& st)
{
    if (!r.Int32(st.m_nId) || !r.Int32(st.m_nConId) || !r.Int32(st.ConPos) || !r.Int32(st.m_nFig1Id) ||
        !r.Int32(st.Fig1PosX) || !r.Int32(st.Fig1PosY) || !r.Int32(st.m_nFig2Id))
        return false;
    for (int i = 0; i < 8; ++i)
        if (!r.Int32(*TailFields(st, i)))
            return false;
    return r.Int32(st.PinType) && r.Int32(st.m_bVisited) && r.Int32(st.m_bSelected);
}

int LogStapleState(CKavoDoc& doc, const CStaple* staple)
{
    if (!staple)
        return 0;
    const int32_t conId = staple->m_pCon ? staple->m_pCon->m_nId : -1;
    return doc.UndoLogRef().UndoLog(UDOC_STPMOD, [staple, conId](UndoStream& s) {
        TraceUndoField(s, "ID", staple->m_nId);
        TraceUndoField(s, "ConId", conId);
        s.Int32(conId);
        WriteStapleState(s, *staple);
    });
}

int LogConFlip(CKavoDoc& doc, const CConnector* con)
{
    if (!con)
        return 0;
    const int32_t id = con->m_nId;
    return doc.UndoLogRef().UndoLog(UDOC_CONFLIP, [id](UndoStream& s) { s.Int32(id); });
}

void FlipConWithStaples(CKavoDoc& doc, CConnector* con)
{
    if (!con)
        return;
    doc.InvalidateObj(con);
    con->Reverse();
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* st = static_cast<CStaple*>(o);
        if (st->m_pCon != con)
            continue;
        // Counted from the other end now; a lateral label stays on its side.
        st->ConPos = kStaplePosMax - st->ConPos;
        if (st->m_nType == kStapleLatLabel)
            st->LateralOffset = -st->LateralOffset;
        st->ClearSnapshots();
    }
    doc.InvalidateObj(con);
}

bool CKavoDoc::FlipCon(CConnector* con)
{
    if (!con || m_pObjList->Find(con) < 0)
        return false;
    // The flip re-routes the connector: its ends are logged before, so that
    // undo gives back the route it had.
    if (!LogConnectorEnds(UDOC_CONMOVE, con) || !LogConFlip(*this, con))
        return false;
    FlipConWithStaples(*this, con);
    SetModifiedFlag(true);
    return true;
}

bool ReplayStapleRecord(CKavoDoc& doc, int type, UndoReader& r)
{
    if (type == UDOC_CONFLIP) {
        int32_t id = 0;
        if (!r.Int32(id))
            return false;
        FlipConWithStaples(doc, static_cast<CConnector*>(doc.m_pObjList->FindById(id, kObjConnector)));
        return true;
    }
    if (type != UDOC_STPMOD)
        return false;
    CStaple saved(&doc);
    int32_t conId = -1;
    if (!ReadStapleState(r, saved) || !r.Int32(conId))
        return false;
    CStaple* live = doc.FindStapleById(saved.m_nId);
    if (!live)
        return true;
    for (CDiagObj* o : {static_cast<CDiagObj*>(live->m_pCon), static_cast<CDiagObj*>(live->m_pFig1),
                        static_cast<CDiagObj*>(live->m_pFig2)})
        if (o)
            o->RefindStaple(live);
    const int32_t selected = saved.m_bSelected;
    live->CopyFrom(saved);
    live->m_bSelected = selected;
    live->Relink(*doc.m_pObjList);
    doc.NoteStapleRestored(live);
    for (CDiagObj* o : {static_cast<CDiagObj*>(live->m_pCon), static_cast<CDiagObj*>(live->m_pFig1),
                        static_cast<CDiagObj*>(live->m_pFig2)})
        if (o)
            doc.InvalidateObj(o);
    return true;
}
