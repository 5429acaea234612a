// The document's undo records: what each operation logs before it changes
// anything, and how Undo puts it back. Objects are named by id; a record whose
// object is gone is skipped.
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "undo/UndoRecordChecks.h"
#include "undo/UndoRecordTraces.h"
#include "undo/UndoRecordsClipboard.h"
#include "document/UndoRecordsStaple.h"
#include "document/UndoStepMemo.h"

#include <cstring>
#include <new>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<CFigProps>, "figure props are logged whole");
static_assert(std::is_trivially_copyable_v<CConProps>, "connector props are logged whole");
// The record sizes the log's framing relies on.
static_assert(sizeof(CFigProps) == 176, "figure props take 176 bytes in the log");
static_assert(sizeof(CConProps) == 88, "connector props take 88 bytes in the log");

namespace {
void WriteConPts(UndoStream& s, const CConPtList* list)
{
    if (list) {
        for (int i = list->GetCount() - 1; i >= 0; --i) {
            const CConPt* p = list->GetAt(i);
            s.Raw(&p->m_pos, sizeof p->m_pos);
            s.Int32(p->m_nFlag);
            s.String(p->m_strName);
            s.Int32(p->m_nId);
        }
        s.Int32(list->GetCount());
    }
    s.Int32(list ? 1 : 0);
}

bool ReadConPts(UndoReader& r, std::unique_ptr<CConPtList>& out)
{
    int32_t holder = 0;
    if (!r.Int32(holder))
        return false;
    out.reset();
    if (!holder)
        return true;
    int32_t count = 0;
    if (!r.Int32(count) || count < 0 || count > CConPtList::kMaxPoints)
        return false;
    out = std::make_unique<CConPtList>();
    for (int i = 0; i < count; ++i) {
        CConPt p;
        if (!r.Int32(p.m_nId) || !r.String(p.m_strName) || !r.Int32(p.m_nFlag) || !r.Raw(&p.m_pos, sizeof p.m_pos))
            return false;
        out->AddConPt(p.m_pos, p.m_strName, p.m_nFlag, true, p.m_nId);
    }
    return true;
}

void WriteFigureState(UndoStream& s, const CFigure& f)
{
    s.Int32(f.m_bSelected);
    s.Int32(f.m_bVisited);
    WriteConPts(s, f.m_pConPts.get());
    if (f.HasPicture() && GlobalSize(f.m_props.Graphic) > 0) {
        CGlobalLock lock(f.m_props.Graphic);
        s.Blob(lock.data(), lock.data() ? int32_t(lock.size()) : 0);
    } else {
        s.Blob(nullptr, 0);
    }
    s.String(f.m_strText);
    s.String(f.m_strSecondText);
    s.Int16(f.m_nTextRotate);
    s.Double(f.m_dIndicatorAngle);
    s.String(f.m_strLink);
    s.Rect(f.m_rect);
    s.Int32(f.m_bLabel);
    s.Int32(f.m_nConnected);
    s.Int32(f.TerminalJct);
    s.Int32(f.AutoDelJct);
    s.Int32(f.AssociationIndicator);
    s.Blob(f.m_outline.GetPoints(), int32_t(f.m_outline.GetCount() * sizeof(CFltPoint)));
    s.Int32(f.m_nStyle);
    s.Raw(&f.m_props, sizeof f.m_props);
    s.Int32(f.m_nId);
}

// The picture block a figure state was read with, which nothing else owns
// until the figure is added.
void FreeReadPicture(CFigure& f)
{
    if (f.m_props.Graphic)
        GlobalFree(f.m_props.Graphic);
    f.m_props.Graphic = nullptr;
    f.m_props.m_nGraphicType = 0;
}

bool ReadFigureState(UndoReader& r, CFigure& f)
{
    const BYTE* data = nullptr;
    int32_t n = 0;
    RECT rc{};
    if (!r.Int32(f.m_nId) || !r.Raw(&f.m_props, sizeof f.m_props) || !r.Int32(f.m_nStyle) || !r.Blob(data, n))
        return false;
    f.m_outline.Clear();
    if (n > 0 && n % int32_t(sizeof(CFltPoint)) == 0) {
        std::vector<CFltPoint> pts(size_t(n) / sizeof(CFltPoint));
        std::memcpy(pts.data(), data, size_t(n));
        f.m_outline.Set(int(pts.size()), pts.data());
    }
    if (!r.Int32(f.AssociationIndicator) || !r.Int32(f.AutoDelJct) || !r.Int32(f.TerminalJct) ||
        !r.Int32(f.m_nConnected) || !r.Int32(f.m_bLabel) || !r.Rect(rc) || !r.String(f.m_strLink) ||
        !r.Double(f.m_dIndicatorAngle) || !r.Int16(f.m_nTextRotate) || !r.String(f.m_strSecondText) ||
        !r.String(f.m_strText) || !IsUndoRect(rc))
        return false;
    f.m_rect = rc;
    if (!r.Blob(data, n))
        return false;
    // The logged handle is stale: a picture comes back as a new block.
    f.m_props.Graphic = nullptr;
    if (n > 0 && f.m_props.m_nGraphicType != 0) {
        f.m_props.Graphic = GlobalAlloc(GMEM_MOVEABLE, size_t(n));
        if (CGlobalLock lock(f.m_props.Graphic); lock.data())
            std::memcpy(lock.data(), data, size_t(n));
    } else {
        f.m_props.m_nGraphicType = 0;
    }
    f.m_bHasConPts = 0;
    if (ReadConPts(r, f.m_pConPts) && r.Int32(f.m_bVisited) && r.Int32(f.m_bSelected)) {
        f.m_bHasConPts = f.m_pConPts ? 1 : 0;
        return true;
    }
    // A damaged record: the picture just made has no owner.
    FreeReadPicture(f);
    return false;
}
void WriteConnectorState(UndoStream& s, const CConnector& c)
{
    s.Int32(c.m_bSelected);
    s.Int32(c.m_bVisited);
    s.Int32(c.SuppressEnd2);
    s.Int32(c.SuppressEnd1);
    s.Pair(c.EndPoint2.x, c.EndPoint2.y);
    s.Pair(c.EndPoint1.x, c.EndPoint1.y);
    s.Int32(c.m_nConPtId2);
    s.Int32(c.m_nConPtId1);
    s.Int32(c.m_pFig2 ? c.m_pFig2->m_nId : c.m_nFigId2);
    s.Int32(c.m_pFig1 ? c.m_pFig1->m_nId : c.m_nFigId1);
    s.Int32(c.m_nStyle);
    s.Raw(&c.m_props, sizeof c.m_props);
    s.Int32(c.m_nId);
}

bool ReadConnectorState(UndoReader& r, CConnector& c)
{
    int32_t ep[4];
    if (!r.Int32(c.m_nId) || !r.Raw(&c.m_props, sizeof c.m_props) || !r.Int32(c.m_nStyle) ||
        !r.Int32(c.m_nFigId1) || !r.Int32(c.m_nFigId2) || !r.Int32(c.m_nConPtId1) || !r.Int32(c.m_nConPtId2) ||
        !r.Pair(ep[0], ep[1]) || !r.Pair(ep[2], ep[3]) || !r.Int32(c.SuppressEnd1) || !r.Int32(c.SuppressEnd2) ||
        !r.Int32(c.m_bVisited) || !r.Int32(c.m_bSelected))
        return false;
    c.EndPoint1 = CPoint(ep[0], ep[1]);
    c.EndPoint2 = CPoint(ep[2], ep[3]);
    return IsUndoPoint(c.EndPoint1) && IsUndoPoint(c.EndPoint2);
}
} // namespace

int CKavoDoc::LogFigureState(const CFigure* fig)
{
    return m_undo.UndoLog(UDOC_FIGPROPS, [fig](UndoStream& s) { WriteFigureState(s, *fig); });
}

int CKavoDoc::LogConnectorState(int type, const CConnector* con, int position)
{
    // The record does not carry the orientation hint: the step keeps it.
    m_undo.AppendStepMemo({kMemoConHint, con->m_nId, con->m_nOrientHint});
    return m_undo.UndoLog(type, [type, con, position](UndoStream& s) {
        if (type == UDOC_DELCON) {
            TraceUndoField(s, "ID", con->m_nId);
            TraceUndoField(s, "order", position);
            TraceUndoField(s, "Fig1ID", con->m_pFig1 ? con->m_pFig1->m_nId : con->m_nFigId1);
            TraceUndoField(s, "Fig2ID", con->m_pFig2 ? con->m_pFig2->m_nId : con->m_nFigId2);
            TraceUndoField(s, "selected", con->m_bSelected);
            s.Int32(position);
        }
        WriteConnectorState(s, *con);
    });
}

int CKavoDoc::LogIdRecord(int type, int32_t id)
{
    return m_undo.UndoLog(type, [type, id](UndoStream& s) {
        // Group records name their group without a trace line.
        if (type != UDOC_GROUP)
            TraceUndoField(s, "ID", id);
        s.Int32(id);
    });
}

int CKavoDoc::LogFigureCut(const CFigure* fig, int position)
{
    return m_undo.UndoLog(UDOC_DELFIG, [fig, position](UndoStream& s) {
        TraceUndoField(s, "ID", fig->m_nId);
        TraceUndoField(s, "order", position);
        TraceUndoField(s, "nConnected", fig->m_nConnected);
        TraceUndoField(s, "selected", fig->m_bSelected);
        s.Int32(position);
        WriteFigureState(s, *fig);
    });
}

int CKavoDoc::LogConnectorEnds(int type, const CConnector* con)
{
    // The record does not carry the orientation hint, which re-routing the
    // moved ends may fix: the step keeps it, as for the property records.
    m_undo.AppendStepMemo({kMemoConHint, con->m_nId, con->m_nOrientHint});
    // The attachment slots of the ends the connector may leave.
    for (const CFigure* f : {con->m_pFig1, con->m_pFig2})
        if (f)
            m_undo.AppendStepMemo({kMemoFigSlots, f->m_nId, f->m_pAttachedCon1 ? f->m_pAttachedCon1->m_nId : -1,
                                   f->m_pAttachedCon2 ? f->m_pAttachedCon2->m_nId : -1});
    return m_undo.UndoLog(type, [con](UndoStream& s) {
        const int32_t fid1 = con->m_pFig1 ? con->m_pFig1->m_nId : -1, fid2 = con->m_pFig2 ? con->m_pFig2->m_nId : -1;
        TraceUndoField(s, "ID", con->m_nId);
        TraceUndoField(s, "fid1", fid1);
        TraceUndoField(s, "fid2", fid2);
        TraceUndoField(s, "nConPtId1", con->m_nConPtId1);
        TraceUndoField(s, "nConPtId2", con->m_nConPtId2);
        s.Int32(con->m_nId);
        s.Int32(fid1);
        s.Int32(fid2);
        s.Int32(con->m_nConPtId1);
        s.Int32(con->m_nConPtId2);
        s.Pair(con->EndPoint1.x, con->EndPoint1.y);
        s.Pair(con->EndPoint2.x, con->EndPoint2.y);
    });
}

int CKavoDoc::LogGroupMemberRemoved(const CGroup* group, const CDiagObj* obj)
{
    const int32_t objId = obj->m_nId, groupId = group->m_nId;
    int32_t place = 0;
    while (size_t(place) < group->m_members.size() && group->m_members[size_t(place)].id != objId)
        ++place;
    // The record puts the member back at the head: the step keeps its place.
    m_undo.AppendStepMemo({kMemoGroupPlace, groupId, objId, place});
    return m_undo.UndoLog(UDOC_GRPDELOBJ, [objId, groupId](UndoStream& s) {
        s.Int32(objId);
        s.Int32(groupId);
    });
}

int CKavoDoc::LogGroupCut(const CGroup* group, int position)
{
    return m_undo.UndoLog(UDOC_UNGROUP, [group, position](UndoStream& s) {
        for (const CGroup::Member& m : group->m_members)
            s.Int32(m.id);
        s.Int32(group->GetCount());
        s.Int32(position);
        s.Int32(group->m_nId);
    });
}

int CKavoDoc::LogObjOrder(const CDiagObj* obj)
{
    const int32_t id = obj->m_nId, pos = m_pObjList->GetPosition(obj);
    return m_undo.UndoLog(UDOC_OBJORDER, [id, pos](UndoStream& s) {
        TraceUndoField(s, "ID", id);
        s.Int32(id);
        s.Int32(pos);
    });
}

int CKavoDoc::LogView(int x, int y, double zoom)
{
    return m_undo.UndoLog(UDOC_VIEW, [x, y, zoom](UndoStream& s) {
        s.Int32(x);
        s.Int32(y);
        s.Double(zoom);
    });
}

bool CKavoDoc::SetLineSpacing(int mode, float value)
{
    int32_t bits;
    std::memcpy(&bits, &m_fLineSpacingValue, 4);
    const int32_t oldMode = m_nLineSpacingMode;
    if (!m_undo.UndoLog(UDOC_DOCLINESPACING, [oldMode, bits](UndoStream& s) { s.Pair(oldMode, bits); }))
        return false;
    m_nLineSpacingMode = mode;
    m_fLineSpacingValue = value;
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::ReplayFigureState(UndoReader& r)
{
    auto fig = std::make_unique<CFigure>(this);
    if (!ReadFigureState(r, *fig))
        return false;
    int32_t position = 0;
    if (!r.Int32(position)) {
        FreeReadPicture(*fig);
        return false;
    }
    if (fig->HasPicture()) {
        DiagPrintf("SMEM            From UDOC_DELFIG\n");
        m_graphics.AddUse(fig->m_props.m_nGraphicType, fig->m_props.Graphic);
    }
    CFigure* raw = fig.get();
    // The attachments are rebuilt from the connectors' ends after the replay.
    raw->m_nConnected = 0;
    if (!AddFig(raw)) {
        if (raw->HasPicture())
            m_graphics.ReleaseUse(raw->m_props.Graphic);
        return true;
    }
    fig.release();
    if (position >= 1 && position < m_pObjList->GetCount())
        m_pObjList->MoveTo(raw, position - 1);
    InvalidateObj(raw);
    return true;
}

bool CKavoDoc::ReplayUndoRecord(int type, UndoReader& r)
{
    int32_t id = 0;
    switch (type) {
    case UDOC_FIGCREATE:
        if (!r.Int32(id))
            return false;
        DeleteFig(static_cast<CFigure*>(m_pObjList->FindById(id, kObjFigure)), true);
        return true;
    case UDOC_CONCREATE:
        if (!r.Int32(id))
            return false;
        if (auto* c = static_cast<CConnector*>(m_pObjList->FindById(id, kObjConnector))) {
            RemoveConOnly(c, true);
            m_bConRemovedByUndo = 1;
        }
        return true;
    case UDOC_STPCREATE:
        if (!r.Int32(id))
            return false;
        DeleteStaple(FindStapleById(id));
        return true;
    case UDOC_GROUP:
    case UDOC_GRPCREATE:
        if (!r.Int32(id))
            return false;
        DeleteGroup(FindGroupById(id));
        return true;
    case UDOC_FIGDIM: {
        RECT rc;
        if (!r.Rect(rc) || !r.Int32(id) || !IsUndoRect(rc))
            return false;
        if (auto* f = static_cast<CFigure*>(m_pObjList->FindById(id, kObjFigure))) {
            InvalidateObj(f);
            f->SetRectNoUndo(rc);
            InvalidateObj(f);
        }
        return true;
    }
    case UDOC_OBJORDER: {
        int32_t pos = 0;
        if (!r.Int32(pos) || !r.Int32(id))
            return false;
        if (CDiagObj* o = m_pObjList->FindById(id); o && pos >= 1)
            m_pObjList->MoveTo(o, pos - 1);
        return true;
    }
    case UDOC_CONMOVE:
    case UDOC_CONROTATE: {
        int32_t v[9];
        for (int i = 8; i >= 0; --i)
            if (!r.Int32(v[i]))
                return false;
        if (!IsUndoPoint(CPoint(v[5], v[6])) || !IsUndoPoint(CPoint(v[7], v[8])))
            return false;
        if (auto* c = static_cast<CConnector*>(m_pObjList->FindById(v[0], kObjConnector))) {
            c->m_nFigId1 = v[1];
            c->m_nFigId2 = v[2];
            c->Relink(*m_pObjList);
            c->m_nConPtId1 = v[3];
            c->m_nConPtId2 = v[4];
            c->EndPoint1 = CPoint(v[5], v[6]);
            c->EndPoint2 = CPoint(v[7], v[8]);
            c->StoreIds();
            if (const int32_t* hint = FindUndoMemoEntry(m_undo.ReplayMemo(), kMemoConHint, c->m_nId))
                c->m_nOrientHint = hint[1];
            InvalidateObj(c);
        }
        return true;
    }
    case UDOC_DELFIG:
        return ReplayFigureState(r);
    case UDOC_DELCON: {
        auto con = std::make_unique<CConnector>(this);
        int32_t pos = 0;
        if (!ReadConnectorState(r, *con) || !r.Int32(pos))
            return false;
        CConnector* raw = con.get();
        if (const int32_t* hint = FindUndoMemoEntry(m_undo.ReplayMemo(), kMemoConHint, raw->m_nId))
            raw->m_nOrientHint = hint[1];
        if (AddCon(raw)) {
            con.release();
            if (pos >= 1 && pos < m_pObjList->GetCount())
                m_pObjList->MoveTo(raw, pos - 1);
        }
        return true;
    }
    case UDOC_FIGPROPS: {
        CFigure saved(this);
        if (!ReadFigureState(r, saved))
            return false;
        auto* live = static_cast<CFigure*>(m_pObjList->FindById(saved.m_nId, kObjFigure));
        if (!live) {
            if (saved.HasPicture())
                GlobalFree(saved.m_props.Graphic);
            return true;
        }
        // The live figure takes the logged props, style and connection
        // points; a logged picture comes back as its own use.
        if (live->HasPicture())
            m_graphics.ReleaseUse(live->m_props.Graphic);
        live->m_props = saved.m_props;
        if (live->HasPicture())
            m_graphics.AddUse(live->m_props.m_nGraphicType, live->m_props.Graphic);
        saved.m_props.m_nGraphicType = 0;
        saved.m_props.Graphic = nullptr;
        live->m_nStyle = saved.m_nStyle;
        live->m_outline = saved.m_outline;   // a new picture drops the hot zone
        live->m_pConPts = std::move(saved.m_pConPts);
        live->m_bHasConPts = live->m_pConPts ? 1 : 0;
        live->ResetStockKind();
        InvalidateObj(live);
        return true;
    }
    case UDOC_CONPROPS: {
        CConnector saved(this);
        if (!ReadConnectorState(r, saved))
            return false;
        saved.Relink(*m_pObjList);
        if (auto* live = static_cast<CConnector*>(m_pObjList->FindById(saved.m_nId, kObjConnector))) {
            InvalidateObj(live);
            const int32_t selected = live->m_bSelected, visited = live->m_bVisited;
            const int32_t* hint = FindUndoMemoEntry(m_undo.ReplayMemo(), kMemoConHint, saved.m_nId);
            const int32_t orient = hint ? hint[1] : live->m_nOrientHint;
            *live = saved;
            live->m_bSelected = selected;
            live->m_bVisited = visited;
            live->m_nOrientHint = orient;
            InvalidateObj(live);
        }
        return true;
    }
    case UDOC_DELSTP: {
        auto st = std::make_unique<CStaple>(this);
        int32_t pos = 0;
        if (!ReadStapleState(r, *st) || !r.Int32(pos))
            return false;
        CStaple* raw = st.get();
        if (AddStaple(raw)) {
            st.release();
            if (pos >= 1 && pos < m_pStapleList->GetCount())
                m_pStapleList->MoveTo(raw, pos - 1);
            raw->Relink(*m_pObjList);
            m_pLastRestoredStaple = raw;
        }
        return true;
    }
    case UDOC_UNGROUP: {
        int32_t pos = 0, count = 0;
        if (!r.Int32(id) || !r.Int32(pos) || !r.Int32(count) || count < 0 || size_t(count) * 4 > r.Remaining())
            return false;
        auto g = std::make_unique<CGroup>();
        g->m_nId = id;
        for (int i = 0; i < count; ++i) {
            int32_t member = 0;
            if (!r.Int32(member) || !g->AddMember(nullptr, member, true))
                return false;
        }
        if (count > 0) {
            CGroup* raw = g.get();
            if (AddGroup(raw)) {
                g.release();
                if (pos >= 1 && pos < int(m_groupList.size())) {
                    m_groupList.pop_back();
                    m_groupList.insert(m_groupList.begin() + (pos - 1), raw);
                }
            }
        }
        return true;
    }
    case UDOC_GRPDELOBJ: {
        int32_t objId = 0;
        if (!r.Int32(id) || !r.Int32(objId))
            return false;
        if (CGroup* g = FindGroupById(id)) {
            // Back at its old place when the step kept it, else at the head.
            const int32_t* place = FindUndoMemoEntry(m_undo.ReplayMemo(), kMemoGroupPlace, id, objId);
            CDiagObj* obj = m_pObjList->FindById(objId);
            if (place && place[2] > 0 && size_t(place[2]) <= g->m_members.size())
                g->m_members.insert(g->m_members.begin() + place[2], CGroup::Member{obj, objId});
            else
                g->AddMember(obj, objId, true);
        }
        return true;
    }
    case UDOC_SHADOW: {
        CShadowSpec spec;
        if (!r.Raw(&spec, sizeof spec))
            return false;
        // The record holds the document's earlier shadow, which the file's
        // bounds held; anything else is damage that must not reach the
        // document or the program's default.
        if (!spec.InStoredRange())
            return true;
        m_shadowSpec = spec;
        SetAppShadowDefault(spec);
        UpdateAllViews(nullptr, 0, nullptr);
        return true;
    }
    case UDOC_FIGTEXT: {
        int32_t area = 0;
        std::string text, second;
        if (!r.String(second) || !r.String(text) || !r.Int32(area) || !r.Int32(id))
            return false;
        if (auto* f = static_cast<CFigure*>(m_pObjList->FindById(id, kObjFigure)))
            f->SetText(text, second, area);
        return true;
    }
    case UDOC_VIEW: {
        double zoom = 0;
        int32_t x = 0, y = 0;
        if (!r.Double(zoom) || !r.Int32(y) || !r.Int32(x))
            return false;
        IAppContext* ctx = GetAppContext();
        if (IActiveView* view = ctx ? ctx->GetActiveView() : nullptr) {
            m_undo.HoldUndoLog();
            view->SetZoomAndScroll(float(zoom), x, y);
            m_undo.ReleaseUndoLog();
        }
        return true;
    }
    case UDOC_FIGMARGINS: {
        int32_t v[5];
        for (int i = 4; i >= 0; --i)
            if (!r.Int32(v[i]))
                return false;
        RestoreSpecialShapeSettings(*this, v[0], v[2], v[1], v[3], v[4] != 0);
        return true;
    }
    case UDOC_DOCLINESPACING: {
        int32_t mode = 0, bits = 0;
        if (!r.Pair(mode, bits))
            return false;
        m_nLineSpacingMode = mode;
        std::memcpy(&m_fLineSpacingValue, &bits, 4);
        return true;
    }
    case UDOC_TOCLIPBD:
        ReplayCopyToClipboard();
        return true;
    case UDOC_PASTE:
    case UDOC_LBLSTYLE:
    case UDOC_FIGSTYLEADD:
    case UDOC_LBLSTYLEADD:
    case UDOC_CONSTYLEADD:
    case UDOC_FIGSTYLEDEL:
    case UDOC_LBLSTYLEDEL:
    case UDOC_CONSTYLEDEL:
        return true;
    default:
        // A record this document cannot read stops the replay.
        return ReplaySmallRecord(type, r);
    }
}
