// The staple maintenance pass: after an edit every following object catches
// up with its leading object and the two keep their drawing order. Also the
// document's staple lookups.
#include "document/CKavoDoc.h"

#include "document/AttachKinds.h"
#include "document/AttachedConIndex.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/LabelPlacement.h"
#include "document/StapleKinds.h"
#include "document/TrunkInterfaces.h"
#include "document/Trunks.h"
#include "document/UndoRecordsStaple.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace {
std::vector<CStapleKindEntry> g_stapleKinds = AttachKindStapleEntries();
// A pass started while one runs returns at once.
bool g_bInStaplePass = false;
// The connectors of each figure, while a pass runs.
AttachedConIndex* g_pPassCons = nullptr;

// Each object's place in the object list, while a pass runs: the pass asks
// where a label and its figure stand for every label, and a search of the
// list each time would make it quadratic. Rebuilt after the list changed,
// which a pass rarely does (only to restack a label out of place).
class ObjListPositions {
public:
    explicit ObjListPositions(const CObjList& list) : m_list(list) {}
    int Find(const CDiagObj* obj)
    {
        if (!m_built || m_stamp != m_list.GetStamp()) {
            m_pos.clear();
            int i = 0;
            for (const CDiagObj* o : m_list)
                m_pos.emplace(o, i++);
            m_stamp = m_list.GetStamp();
            m_built = true;
        }
        const auto it = m_pos.find(obj);
        return it == m_pos.end() ? -1 : it->second;
    }

private:
    const CObjList& m_list;
    bool m_built = false;
    uint64_t m_stamp = 0;
    std::unordered_map<const CDiagObj*, int> m_pos;
};
ObjListPositions* g_pPassPositions = nullptr;

class PassGuard {
public:
    explicit PassGuard(const CKavoDoc& doc) : m_cons(doc), m_positions(*doc.m_pObjList)
    {
        g_bInStaplePass = true;
        g_pPassCons = &m_cons;
        g_pPassPositions = &m_positions;
    }
    ~PassGuard()
    {
        g_bInStaplePass = false;
        g_pPassCons = nullptr;
        g_pPassPositions = nullptr;
    }
    PassGuard(const PassGuard&) = delete;
    PassGuard& operator=(const PassGuard&) = delete;

private:
    AttachedConIndex m_cons;
    ObjListPositions m_positions;
};

// The object's index in the object list, -1 when absent.
int FindInObjList(const CKavoDoc& doc, const CDiagObj* obj)
{
    return g_pPassPositions ? g_pPassPositions->Find(obj) : doc.m_pObjList->Find(obj);
}

// Re-lays the figure's connectors (logged); how many, -1 when refused.
int RelayConsOf(CKavoDoc& doc, const CFigure* fig)
{
    return g_pPassCons ? doc.RelayCons(g_pPassCons->Of(fig)) : doc.RelayAttachedCons(fig);
}

template <class Pred>
CStaple* FindStaple(const CObjList& staples, Pred pred)
{
    for (CDiagObj* o : staples) {
        auto* s = static_cast<CStaple*>(o);
        if (pred(*s))
            return s;
    }
    return nullptr;
}

// The label directly in front of `anchor` in the object list; logged when it
// has to move.
bool RestackInFrontOf(CKavoDoc& doc, CDiagObj* label, const CDiagObj* anchor)
{
    const int at = FindInObjList(doc, anchor);
    const int from = FindInObjList(doc, label);
    if (at < 0 || from < 0 || from == at + 1)
        return true;
    // Taking the label out first shifts the anchor down when it lay behind.
    const int target = from < at ? at : at + 1;
    return doc.MoveObjInList(label, target + 1);
}

// The object that stands for a connector in the drawing order: the first
// connector of its chain through redundant junctions.
const CDiagObj* StackAnchor(const CKavoDoc& doc, CConnector* con)
{
    const std::vector<CConnector*> chain = doc.GetConChain(con);
    const CDiagObj* anchor = con;
    int best = FindInObjList(doc, con);
    for (CConnector* c : chain) {
        const int at = FindInObjList(doc, c);
        if (at > best) {
            best = at;
            anchor = c;
        }
    }
    return anchor;
}

bool MoveFig(CKavoDoc* doc, CFigure* fig, const CRect& rc)
{
    if (fig->m_rect == rc)
        return true;
    if (!doc) {
        fig->SetRectNoUndo(rc);
        return true;
    }
    // The document's move: the rectangle, then the connectors re-laid.
    return doc->SetFigRect(fig, rc) && RelayConsOf(*doc, fig) >= 0;
}
} // namespace

void SetStapleKindTable(const std::vector<CStapleKindEntry>& entries)
{
    g_stapleKinds = entries;
}

void ResetStapleState()
{
    g_stapleKinds = AttachKindStapleEntries();
    g_bInStaplePass = false;
    g_pPassCons = nullptr;
    g_pPassPositions = nullptr;
}

const CStapleKindEntry& CStaple::GetKindEntry() const
{
    static const CStapleKindEntry kDefaults;
    if (PinType > 0) {
        for (const CStapleKindEntry& e : g_stapleKinds)
            if (e.id == PinType)
                return e;
    }
    return kDefaults;
}

CStaple* CDiagObj::RefindStaple(const CStaple* leaveOut)
{
    if (leaveOut && leaveOut != m_pStaple)
        return nullptr;
    const CStaple* current = m_pStaple;
    m_pStaple = nullptr;
    if (!m_pDoc || !m_pDoc->m_pStapleList)
        return nullptr;
    const bool isCon = GetType() == kObjConnector;
    m_pStaple = FindStaple(*m_pDoc->m_pStapleList, [&](const CStaple& s) {
        if (&s == current || &s == leaveOut)
            return false;
        return isCon ? s.m_pCon == this : (s.m_pFig1 == this || s.m_pFig2 == this);
    });
    return m_pStaple;
}

int CStaple::MoveToConnector(CConnector* con, int reanchor)
{
    if ((m_nType != kStapleConLabel && m_nType != kStapleLatLabel) || !m_pCon)
        return 0;
    if (!con || con == m_pCon || con->GetType() != kObjConnector)
        return 0;
    m_pCon->RefindStaple(nullptr);
    m_pCon = con;
    con->m_pStaple = this;
    StoreIds();
    if (reanchor && m_pFig1)
        ReanchorAt(m_pFig1->GetCenter(), true);
    return 1;
}

// ---- lookups

CStaple* CKavoDoc::FindConLblStaple(const CConnector* con) const
{
    return con ? FindStaple(*m_pStapleList, [con](CStaple& s) { return s.IsConLbl(true) && s.m_pCon == con; })
               : nullptr;
}

CStaple* CKavoDoc::FindLatLblStaple(const CConnector* con) const
{
    return con ? FindStaple(*m_pStapleList, [con](CStaple& s) { return s.IsLatLbl(true) && s.m_pCon == con; })
               : nullptr;
}

CStaple* CKavoDoc::FindLatLblStapleOfLabel(const CFigure* label) const
{
    return label ? FindStaple(*m_pStapleList,
                              [label](CStaple& s) { return s.IsLatLbl(true) && s.m_pFig1 == label; })
                 : nullptr;
}

CStaple* CKavoDoc::FindConOrLatLblStaple(const CConnector* con) const
{
    return con ? FindStaple(*m_pStapleList,
                            [con](CStaple& s) { return (s.IsConLbl(true) || s.IsLatLbl(true)) && s.m_pCon == con; })
               : nullptr;
}

CStaple* CKavoDoc::FindFigLink(const CFigure* fig, const CFigure* leader) const
{
    return fig ? FindStaple(*m_pStapleList,
                            [&](CStaple& s) { return s.IsFigLink(true) && s.m_pFig2 == fig && s.m_pFig1 == leader; })
               : nullptr;
}

CStaple* CKavoDoc::FindFigLinkFrom(const CFigure* fig) const
{
    return fig ? FindStaple(*m_pStapleList, [fig](CStaple& s) { return s.IsFigLink(true) && s.m_pFig1 == fig; })
               : nullptr;
}

CStaple* CKavoDoc::FindFigLinkTo(const CFigure* fig) const
{
    return fig ? FindStaple(*m_pStapleList, [fig](CStaple& s) { return s.IsFigLink(true) && s.m_pFig2 == fig; })
               : nullptr;
}

CStaple* CKavoDoc::FindFigLinkBetween(const CFigure* a, const CFigure* b) const
{
    if (!a || !b)
        return nullptr;
    return FindStaple(*m_pStapleList, [a, b](CStaple& s) {
        return s.IsFigLink(true) && ((s.m_pFig1 == a && s.m_pFig2 == b) || (s.m_pFig1 == b && s.m_pFig2 == a));
    });
}

// ---- snapshots and redraws

void CKavoDoc::RefreshStapleSnapshots()
{
    for (CDiagObj* o : *m_pStapleList)
        static_cast<CStaple*>(o)->TakeSnapshots();
}

void CKavoDoc::RefreshFigSnapshots(const CFigure* fig)
{
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (!fig || s->m_pFig1 == fig || s->m_pFig2 == fig) {
            s->SnapFig1();
            s->SnapFig2();
        }
    }
}

void CKavoDoc::InvalidateStapled(CDiagObj* obj)
{
    if (!obj)
        return;
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_bVisited || (s->m_pCon != obj && s->m_pFig1 != obj && s->m_pFig2 != obj))
            continue;
        s->m_bVisited = 1;
        switch (s->m_nType) {
        case kStapleConLabel:
        case kStapleLatLabel:
            InvalidateObj(s->m_pFig1);
            break;
        case kStapleFigLink:
            if (s->m_pFig2 != obj)
                InvalidateObj(s->m_pFig2);
            else if (s->GetKindEntry().redrawLeader == 1)
                InvalidateObj(s->m_pFig1);
            break;
        default:
            InvalidateObj(s->m_pFig2);
            break;
        }
    }
}

// ---- the pass

int CKavoDoc::MoveConLabel(CStaple* staple, CConnector* con, const POINT& pt)
{
    if (!staple || !con)
        return 0;
    UpdateTrunks(0);
    // One record before anything changes: undo gives back the connector and
    // the position along it together.
    if (!LogStapleState(*this, staple))
        return 0;
    if (con != staple->m_pCon) {
        InvalidateObj(staple->m_pCon);
        if (!staple->MoveToConnector(con, 0))
            return 0;
        if (staple->m_pFig1)
            RestackInFrontOf(*this, staple->m_pFig1, con);
        InvalidateObj(staple->m_pFig1);
    }
    staple->ReanchorAt(pt, false);
    InvalidateObj(staple->m_pCon);
    UpdateAllStaples(0);
    SetModifiedFlag(true);
    return 1;
}

namespace {
// The figure links of the first sweep: followers catch up with their
// leaders and are stacked on the right side of them. Whether any link's
// figures had changed (a follower moved by one link may lead another).
bool SweepFigLinks(CKavoDoc& doc, int log, bool redrawInvalid, int& result)
{
    bool changed = false;
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (!s->IsFigLink(true)) {
            if (redrawInvalid && !s->IsValid())
                doc.InvalidateObj(s->m_pCon);
            continue;
        }
        if (s->FigsChanged()) {
            changed = true;
            result = s->Update(&doc, log);
        }
        CFigure* behind = s->GetKindEntry().leaderBehind ? s->m_pFig1 : s->m_pFig2;
        CFigure* front = behind == s->m_pFig1 ? s->m_pFig2 : s->m_pFig1;
        const int b = FindInObjList(doc, behind), f = FindInObjList(doc, front);
        // The figure on the wrong side takes the other's place, which puts it
        // directly behind it; the record names the figure that moves.
        if (b > f && f >= 0 && doc.MoveObjInList(behind, f + 1))
            doc.UpdateAllViews(nullptr, 1, nullptr);
    }
    return changed;
}

// The labels of the second sweep. Whether connectors ending on a labelled
// figure were re-laid (their own labels may then have to follow).
bool SweepLabels(CKavoDoc& doc, int log, int& result)
{
    bool relaid = false;
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->IsFigLink(true))
            continue;
        if (s->IsConLbl(true)) {
            if (s->ConMoved())
                result = s->Update(&doc, log);
            if (s->m_pFig1)
                RestackInFrontOf(doc, s->m_pFig1, StackAnchor(doc, s->m_pCon));
        } else if (s->IsLatLbl(true)) {
            if (s->LatLblChanged())
                result = s->Update(&doc, log);
        } else if (s->IsFigLbl(true)) {
            if (s->FigsChanged()) {
                result = s->Update(&doc, log);
                // Connector ends clip against the figure's labels: a moved
                // label changes where they meet the figure.
                relaid = RelayConsOf(doc, s->m_pFig1) > 0 || relaid;
            }
            RestackInFrontOf(doc, s->m_pFig2, s->m_pFig1);
        } else if (s->IsFlowLbl(true)) {
            if (s->FlowLblChanged())
                result = s->Update(&doc, log);
        }
    }
    return relaid;
}
} // namespace

int CKavoDoc::UpdateAllStaples(int log)
{
    UpdateTrunks(1);
    if (g_bInStaplePass)
        return 0;
    PassGuard guard(*this);
    int result = 0;
    // Figure links first: their followers may lead labels in the second
    // sweep. A chain of links settles whatever order the list holds it in;
    // a cycle of links stops after as many sweeps as there are links.
    int links = 0;
    for (CDiagObj* o : *m_pStapleList)
        links += static_cast<CStaple*>(o)->IsFigLink(true) ? 1 : 0;
    bool again = true;
    for (int sweep = 0; again && sweep < std::max(links, 1); ++sweep)
        again = SweepFigLinks(*this, log, sweep == 0, result);
    // The labels of a connector re-laid by a figure label's move may come
    // earlier in the list: they follow in one more sweep.
    again = true;
    for (int sweep = 0; again && sweep <= m_pStapleList->GetCount(); ++sweep)
        again = SweepLabels(*this, log, result);
    return result;
}

int CStaple::Update(CKavoDoc* doc, int log)
{
    switch (m_nType) {
    case kStapleConLabel:
        return UpdateConLbl(doc);
    case kStapleFigLabel:
        return UpdateFigLbl(doc, log);
    case kStapleFlowLabel:
        return UpdateFlowLbl(doc);
    case kStapleFigLink:
        return UpdateFigLink(doc, log);
    case kStapleLatLabel:
        return UpdateLatLbl(doc);
    default:
        return 0;
    }
}

int CStaple::UpdateConLbl(CKavoDoc* doc)
{
    if (!m_pCon || !m_pFig1 || !ConMoved())
        return 0;
    const CRect rc = RectAtAnchor(GetPointAtConPos(), m_pFig1->m_rect.Width(), m_pFig1->m_rect.Height(), Fig1PosX,
                                  Fig1PosY);
    if (!MoveFig(doc, m_pFig1, rc))
        return 0;
    SnapFig1();
    SnapCon();
    return 1;
}

// Figure2 stays where it was put: the offset is taken anew (logged with log).
int CStaple::RetakeOffset(CKavoDoc* doc, int log)
{
    if (!RecordOffset(log ? doc : nullptr))
        return 0;
    SnapFig1();
    SnapFig2();
    return 1;
}

// Figure2 keeps its size; its anchor goes to Figure1's anchor plus the offset.
int CStaple::FollowFig1(CKavoDoc* doc)
{
    CPoint at = AnchorPoint(m_pFig1->m_rect, Fig1PosX, Fig1PosY);
    at.Offset(OffsetX, OffsetY);
    if (!MoveFig(doc, m_pFig2, RectAtAnchor(at, m_pFig2->m_rect.Width(), m_pFig2->m_rect.Height(), Fig2PosX, Fig2PosY)))
        return 0;
    SnapFig1();
    SnapFig2();
    return 1;
}

int CStaple::UpdateFigLbl(CKavoDoc* doc, int log)
{
    if (!FigsChanged())
        return 0;
    if (!OnlyFig1Moved()) {
        // The label itself moved (or both did): it keeps its new place.
        return RetakeOffset(doc, log);
    }
    return FollowFig1(doc);
}

int CStaple::UpdateFlowLbl(CKavoDoc* doc)
{
    if (!FlowLblChanged())
        return 0;
    // Beside the connector where it meets Figure1, in the slot FlowSide
    // picks: the label spacing is the gap from the connector, the
    // connector spacing the room left round the figure.
    int gap = 16, inflate = 16;
    if (doc)
        doc->GetLabelSpacing(gap, inflate);
    const CSize size(m_pFig2->m_rect.Width(), m_pFig2->m_rect.Height());
    CRect r1, r2;
    int corner1 = -1, corner2 = -1;
    if (!CalcFlowLblRects(*m_pCon, *m_pFig1, size, gap, inflate, r1, r2, corner1, corner2))
        return 0;
    const bool first = FlowSide == 1;
    if (!MoveFig(doc, m_pFig2, first ? r1 : r2))
        return 0;
    AlignLabelText(doc, m_pFig2, FlowLblAlign(first ? corner1 : corner2));
    TakeSnapshots();
    return 1;
}

void CStaple::AlignLabelText(CKavoDoc* doc, CFigure* label, WORD align)
{
    // A missing half (an alignment of 0) leaves that group as it is; the
    // groups of the flag word are normalised either way.
    CFigProps props = label->m_props;
    if (align & 7)
        props.SetTextAlign(align & 7, 1, nullptr);
    if (align & 0x70)
        props.SetTextAlign(align & 0x70, 1, nullptr);
    SetAlignFlags(props.Behavior, props.TextFormat);
    if (props.TextFormat == label->m_props.TextFormat && props.Behavior == label->m_props.Behavior)
        return;
    if (doc && !doc->LogFigureState(label))
        return;
    label->m_props = props;
    if (doc)
        doc->InvalidateObj(label);
}

int CStaple::UpdateFigLink(CKavoDoc* doc, int log)
{
    if (!FigsChanged())
        return 0;
    const bool fig1Resized = Fig1Resized(), fig2Resized = Fig2Resized();
    const bool oneResized = fig1Resized != fig2Resized;
    bool follow = OnlyFig1Moved() || fig2Resized;
    const CStapleKindEntry& kind = GetKindEntry();
    if (oneResized && ((kind.keepOnOwnResize && fig2Resized) || (kind.keepOnLeaderResize && fig1Resized)))
        follow = false;
    if (!follow) {
        // An interface moved alone away from its node: its connector meets
        // the node at the new place before the offset is taken anew.
        if (OnlyFig2Moved() && IsTrunkDiagrams() && m_pFig2->IsTrunkObj() && !m_pFig1->IsTrunkObj() &&
            !IsTrunkFigKind(m_pFig1, 11))
            ReattachInterface(*doc, m_pFig2, m_pFig1);
        return RetakeOffset(doc, log);
    }
    return FollowFig1(doc);
}

int CStaple::UpdateLatLbl(CKavoDoc* doc)
{
    const bool sizeKept = LatLblSizeKept();
    if (!LatLblChanged())
        return 0;
    WORD align = 0;
    const CRect rc = GetLatLblPlace(m_pFig1->m_rect.Width(), m_pFig1->m_rect.Height(), LateralOffset, align);
    if (!MoveFig(doc, m_pFig1, rc))
        return 0;
    // A label of another size may now touch the line with another side.
    if (!sizeKept)
        AlignLabelText(doc, m_pFig1, align);
    SnapFig1();
    SnapCon();
    return 1;
}

CStaple* CKavoDoc::CreateConLblStaple(CConnector* con, const POINT& pt, CFigure* label)
{
    if (!con || !label)
        return nullptr;
    auto staple = std::make_unique<CStaple>(this);
    // The label's anchor is where the point lies on it, in 0..255.
    const CRect& rc = label->m_rect;
    auto along = [](int v, int lo, int extent) {
        return extent > 0 ? std::clamp((v - lo) * kStaplePosMax / extent, 0, kStaplePosMax) : kStaplePosMid;
    };
    staple->MakeConLbl(con, pt, label, along(pt.x, rc.left, rc.Width()), along(pt.y, rc.top, rc.Height()));
    if (!AddStapleWithId(staple.get())) {
        for (CDiagObj* o : {static_cast<CDiagObj*>(con), static_cast<CDiagObj*>(label)})
            o->RefindStaple(staple.get());
        return nullptr;
    }
    InvalidateObj(con);
    return staple.release();
}

void CKavoDoc::DiscardUnaddedStaples(std::vector<CStaple*>& staples)
{
    while (!staples.empty() && staples.front() && staples.front()->m_nId == -1) {
        CStaple* s = staples.front();
        staples.erase(staples.begin());
        for (CDiagObj* o : {static_cast<CDiagObj*>(s->m_pCon), static_cast<CDiagObj*>(s->m_pFig1),
                            static_cast<CDiagObj*>(s->m_pFig2)})
            if (o) {
                InvalidateObj(o);
                o->RefindStaple(s);
            }
        delete s;
    }
}
