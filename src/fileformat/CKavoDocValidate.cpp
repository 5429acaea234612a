// The document's consistency checks: the ids and pointers by which connectors,
// figures, staples and groups refer to each other, the list counts, the id
// counters, the figures' rectangles and the paper size. Every failed check
// writes one trace line; with repair, most also set the offending field to a
// consistent value. Counts are never changed here, and counters only to move
// past an id that repair gave out.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/PaperSizes.h"
#include "keyword/KeywordHooks.h"
#include "platform/NumText.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace {
class Validator {
public:
    Validator(CKavoDoc& doc, bool repair) : m_doc(doc), m_bRepair(repair) {}

    bool Run(int* pnResult, int* v1, int* v2, int* v3);

private:
    template <class... Args>
    void Fail(int check, const char* format, Args... args)
    {
        const int values[3] = {int(args)..., };
        m_nLast = check;
        for (int i = 0; i < 3; ++i)
            m_values[i] = i < int(sizeof...(Args)) ? values[i] : 0;
        if (g_pfnKwTrace) {
            const std::string text = StrPrintf(format, args...);
            g_pfnKwTrace("VALIDATION FAILED %05d: %s", check, text.c_str());
        }
    }

    void CheckDuplicateIds();
    template <class Range, class IdOf>
    void RenumberRepeatedIds(int check, const char* format, const Range& items, IdOf idOf, int32_t& counter,
                             int32_t heldMax = -1);
    int32_t LargestHeldObjectId() const;
    void CheckObjects();
    void CheckConnectorEnd(CConnector* con, int end);
    void CheckFigure(CFigure* fig);
    void CheckFigureStaple(CFigure* fig);
    void CheckCounts();
    void CheckAttachments();
    void CheckStaplesAndCounters();
    void CheckPaper();
    void CheckGroups();
    void DropGroup(size_t ix);
    void CheckGroupPointers();

    CKavoDoc& m_doc;
    bool m_bRepair;
    int m_nLast = 0;
    int m_values[3] = {};
    int m_nFigures = 0;
    int m_nConnectors = 0;
};

bool IsFigure(const CDiagObj* o)
{
    return o && o->GetType() == kObjFigure;
}

bool IsConnector(const CDiagObj* o)
{
    return o && o->GetType() == kObjConnector;
}

// The pointer fields checked here may hold any object (that is what is being
// checked), so they are viewed as objects without a checked conversion; a
// figure's and a connector's object part lies at their start.
const CDiagObj* AsObject(const void* p)
{
    return static_cast<const CDiagObj*>(p);
}

bool EndsAt(const CConnector* con, const CFigure* fig)
{
    if (!IsConnector(AsObject(con)))
        return false;
    return con->m_pFig1 == fig || con->m_pFig2 == fig;
}

// Whether the figure offers a connection point of that id: its own points,
// else its style's, else its symbol's. The automatic attach modes (-2, -3)
// name no point and are not checked.
bool HasConPt(const CFigure* fig, int id)
{
    if (id < 0)
        return true;
    const CConPtList* list = nullptr;
    if (fig->m_pConPts && fig->m_pConPts->GetCount() > 0)
        list = fig->m_pConPts.get();
    else if (const CFigStyle* style = fig->GetStyle(); style && style->m_conPts.GetCount() > 0)
        list = &style->m_conPts;
    else if (const CFigSymbol* symbol = fig->GetSymbol())
        list = &symbol->m_conPts;
    return list && list->FindById(id) != nullptr;
}
} // namespace

bool Validator::Run(int* pnResult, int* v1, int* v2, int* v3)
{
    CheckDuplicateIds();
    CheckObjects();
    CheckCounts();
    CheckAttachments();
    CheckStaplesAndCounters();
    CheckPaper();
    CheckGroups();
    CheckGroupPointers();
    if (m_nLast == 0) {
        if (g_pfnKwTrace)
            g_pfnKwTrace("VALIDATION SUCCEEDED!\n");
        return true;
    }
    if (pnResult)
        *pnResult = m_nLast;
    if (v1)
        *v1 = m_values[0];
    if (v2)
        *v2 = m_values[1];
    if (v3)
        *v3 = m_values[2];
    return false;
}

// Ids must be unique within their list: every lookup takes the first object
// of an id, so a later one could never be found (undo would edit the first in
// its place). With repair the later one takes the next free id and the
// counter moves past it; the references made by that id were resolved to the
// first (connector ends to the figure of the id), and where one was not, the
// checks that follow report it. A new object id lies above every id that a
// reference still holds for an object that is missing too: a staple keeps
// such an id (so that undo can bring the object back), and the next relink
// would otherwise pin it to the renumbered object, another one.
void Validator::CheckDuplicateIds()
{
    const CObjList& objs = *m_doc.m_pObjList;
    auto objId = [](const CDiagObj* o) -> int32_t& { return const_cast<CDiagObj*>(o)->m_nId; };
    RenumberRepeatedIds(90, "object id=%d ix=%d repeats an earlier id\n", objs, objId, m_doc.m_nNextId,
                        LargestHeldObjectId());
    RenumberRepeatedIds(91, "staple id=%d ix=%d repeats an earlier id\n", *m_doc.m_pStapleList, objId,
                        m_doc.m_nNextStpId);
    auto groupId = [](const CGroup* g) -> int32_t& { return const_cast<CGroup*>(g)->m_nId; };
    RenumberRepeatedIds(92, "group id=%d ix=%d repeats an earlier id\n", m_doc.m_groupList, groupId,
                        m_doc.m_nNextGrpId);
}

// The largest object id named by a staple, a connector end or a group entry
// (resolved or not); -1 for none.
int32_t Validator::LargestHeldObjectId() const
{
    int32_t held = -1;
    for (const CDiagObj* o : *m_doc.m_pStapleList)
        if (o->GetType() == kObjStaple) {
            const auto* st = static_cast<const CStaple*>(o);
            held = std::max({held, st->m_nConId, st->m_nFig1Id, st->m_nFig2Id});
        }
    for (const CDiagObj* o : *m_doc.m_pObjList)
        if (IsConnector(o)) {
            const auto* con = static_cast<const CConnector*>(o);
            held = std::max({held, con->m_nFigId1, con->m_nFigId2});
        }
    for (const CGroup* g : m_doc.m_groupList)
        for (const CGroup::Member& m : g->m_members)
            held = std::max(held, m.id);
    for (const CGroup::Member& m : m_doc.m_lastUngroup.m_members)
        held = std::max(held, m.id);
    return held;
}

template <class Range, class IdOf>
void Validator::RenumberRepeatedIds(int check, const char* format, const Range& items, IdOf idOf, int32_t& counter,
                                    int32_t heldMax)
{
    int64_t next = std::max<int64_t>(counter, int64_t(heldMax) + 1);
    for (const auto* item : items)
        next = std::max(next, int64_t(idOf(item)) + 1);
    std::unordered_set<int32_t> seen;
    int ix = 0;
    for (const auto* item : items) {
        int32_t& id = idOf(item);
        if (!seen.insert(id).second) {
            Fail(check, format, id, ix);
            if (m_bRepair) {
                id = int32_t(std::min<int64_t>(next++, INT32_MAX));
                seen.insert(id);
                counter = std::max(counter, int32_t(std::min<int64_t>(next, INT32_MAX)));
            }
        }
        ++ix;
    }
}

void Validator::CheckObjects()
{
    int ix = 0;
    for (CDiagObj* obj : *m_doc.m_pObjList) {
        if (obj->m_pStaple && AsObject(obj->m_pStaple)->GetType() != kObjStaple) {
            Fail(100, "m_pStaple doesn't point to staple in object of ID=%d\n", obj->m_nId);
            if (m_bRepair)
                obj->m_pStaple = nullptr;
        }
        if (IsConnector(obj)) {
            ++m_nConnectors;
            CheckConnectorEnd(static_cast<CConnector*>(obj), 1);
            CheckConnectorEnd(static_cast<CConnector*>(obj), 2);
        } else if (IsFigure(obj)) {
            ++m_nFigures;
            CheckFigure(static_cast<CFigure*>(obj));
        } else {
            Fail(510, "object id=%d ix=%d type (%d) not recognized\n", obj->m_nId, ix, obj->GetType());
        }
        ++ix;
    }
}

void Validator::CheckConnectorEnd(CConnector* con, int end)
{
    const int base = end == 1 ? 0 : 100;
    int32_t& fid = end == 1 ? con->m_nFigId1 : con->m_nFigId2;
    CFigure*& pfig = end == 1 ? con->m_pFig1 : con->m_pFig2;
    int32_t& conPt = end == 1 ? con->m_nConPtId1 : con->m_nConPtId2;
    // The end's figure pointer as an object: it may hold anything.
    const CDiagObj* target = AsObject(pfig);
    const int id = con->m_nId;
    const int n = end;
    if (fid == -1) {
        if (IsFigure(target)) {
            Fail(105 + base, end == 1 ? "con %d has NULL FId1 but m_pFig1 pts to Fig %d\n"
                                      : "con %d has NULL FId2 but m_pFig2 pts to Fig %d\n",
                 id, target->m_nId);
            if (m_bRepair)
                fid = target->m_nId;
        } else if (target) {
            Fail(110 + base, end == 1 ? "con %d has NULL FId1, m_pFig1 pts to non-Fig %d\n"
                                      : "con %d has NULL FId2, m_pFig2 pts to non-Fig %d\n",
                 id, target->m_nId);
            if (m_bRepair)
                pfig = nullptr;
        }
    } else if (!target) {
        Fail(120 + base, end == 1 ? "con %d has FId1=%d m_pFig1=NULL\n" : "con %d has FId2=%d m_pFig2=NULL\n", id,
             fid);
        if (m_bRepair)
            fid = -1;
    } else if (!IsFigure(target)) {
        Fail(130 + base,
             end == 1 ? "con %d has FId1=%d and m_pFig1 that doesn't point to fig\n"
                      : "con %d has FId2=%d and m_pFig2 that doesn't point to fig\n",
             id, fid);
        if (m_bRepair) {
            fid = -1;
            pfig = nullptr;
        }
    } else if (fid != target->m_nId) {
        Fail(140 + base,
             end == 1 ? "con %d has FId1=%d and non-matching m_pFig1 id=%d\n"
                      : "con %d has FId2=%d and non-matching m_pFig2 id=%d\n",
             id, fid, target->m_nId);
        if (m_bRepair)
            fid = target->m_nId;
    }
    (void)n;
    // On the values as repaired above.
    target = AsObject(pfig);
    if (conPt == -1)
        return;
    if (!IsFigure(target)) {
        Fail(141 + base,
             end == 1 ? "con %d has m_nConPtId1=%d and m_pFig1=NULL or not fig\n"
                      : "con %d has m_nConPtId2=%d and m_pFig2=NULL or not fig\n",
             id, conPt);
        if (m_bRepair)
            conPt = -1;
    } else if (!HasConPt(pfig, conPt)) {
        Fail(142 + base,
             end == 1 ? "con %d has m_nConPtId1=%d not valid for fig1=%d\n"
                      : "con %d has m_nConPtId2=%d not valid for fig2=%d\n",
             id, conPt, fid);
        if (m_bRepair)
            conPt = -1;
    }
}

void Validator::CheckFigure(CFigure* fig)
{
    // Sizing keeps left <= right and top <= bottom; a file may not. An
    // inverted rectangle is hit by no point and lies inside no selection.
    const CRect& rc = fig->m_rect;
    if (rc.right < rc.left || rc.bottom < rc.top) {
        Fail(320, "fig %d has inverted bounds (width %d, height %d)\n", fig->m_nId, rc.Width(), rc.Height());
        if (m_bRepair)
            fig->m_rect.NormalizeRect();
    }
    const CDiagObj* c1 = AsObject(fig->m_pAttachedCon1);
    const CDiagObj* c2 = AsObject(fig->m_pAttachedCon2);
    if (c1 && !IsConnector(c1)) {
        Fail(300, "fig %d has non-con as m_pAttachedCon1\n", fig->m_nId);
        if (m_bRepair)
            fig->m_pAttachedCon1 = nullptr;
    }
    if (c2 && !IsConnector(c2)) {
        Fail(310, "fig %d has non-con as m_pAttachedCon2\n", fig->m_nId);
        if (m_bRepair)
            fig->m_pAttachedCon2 = nullptr;
    }
    CheckFigureStaple(fig);
}

// The figure's staple must hold this figure in the slot its kind gives a
// label (or the figure a label pins to). The type tests may settle the type
// of a staple that had none.
void Validator::CheckFigureStaple(CFigure* fig)
{
    CStaple* st = fig->m_pStaple;
    if (!st || AsObject(st)->GetType() != kObjStaple)
        return;
    const int id = fig->m_nId;
    auto wrongFirst = [&] { return st->m_pFig1 != fig || st->m_nFig1Id != id; };
    auto setFirst = [&] {
        if (m_bRepair) {
            st->m_pFig1 = fig;
            st->m_nFig1Id = id;
            NoteStapleLinksChanged();
        }
    };
    if (st->IsConLbl(false)) {
        if (wrongFirst()) {
            Fail(400, "fig %d has CONLBL staple %d not connected to this fig\n", id, st->m_nId);
            setFirst();
        }
    } else if (st->IsLatLbl(false)) {
        if (wrongFirst()) {
            Fail(400, "fig %d has LATLBL staple %d not connected to this fig\n", id, st->m_nId);
            setFirst();
        }
    } else if (st->IsFigLbl(false)) {
        if (fig->m_bLabel) {
            if (st->m_pFig2 != fig || st->m_nFig2Id != id) {
                Fail(410, "fig %d has FIGLBL staple %d not connected to this fig\n", id, st->m_nId);
                if (m_bRepair) {
                    st->m_pFig2 = fig;
                    st->m_nFig2Id = id;
                    NoteStapleLinksChanged();
                }
            }
        } else if (wrongFirst()) {
            Fail(420, "fig %d has staple %d not connected to this fig\n", id, st->m_nId);
            setFirst();
        }
    }
}

void Validator::CheckCounts()
{
    const CObjList& list = *m_doc.m_pObjList;
    if (list.m_nFigCount != m_nFigures)
        Fail(520, "object list figure count %d disagress with actual %d\n", list.m_nFigCount, m_nFigures);
    if (list.m_nConCount != m_nConnectors)
        Fail(530, "object list connector count %d disagress with actual %d\n", list.m_nConCount, m_nConnectors);
}

// A connector with both ends on one figure counts twice for it.
void Validator::CheckAttachments()
{
    std::unordered_map<const CFigure*, int> counts;
    for (CDiagObj* obj : *m_doc.m_pObjList) {
        if (!IsConnector(obj))
            continue;
        auto* con = static_cast<CConnector*>(obj);
        for (const CFigure* end : {con->m_pFig1, con->m_pFig2})
            if (end)
                ++counts[end];
    }
    for (CDiagObj* obj : *m_doc.m_pObjList) {
        if (!IsFigure(obj))
            continue;
        auto* fig = static_cast<CFigure*>(obj);
        const auto it = counts.find(fig);
        const int n = it == counts.end() ? 0 : it->second;
        const int id = fig->m_nId;
        if (fig->m_nConnected != n) {
            Fail(600, "fig=%d m_nConnected(%d) disagrees with actual(%d)\n", id, fig->m_nConnected, n);
            if (m_bRepair)
                fig->m_nConnected = n;
        }
        CConnector* a1 = fig->m_pAttachedCon1;
        CConnector* a2 = fig->m_pAttachedCon2;
        if (n == 0) {
            if (a1 || a2) {
                Fail(601, "fig=%d has incorrect m_pAttachedCon fields\n", id);
                if (m_bRepair)
                    fig->m_pAttachedCon1 = fig->m_pAttachedCon2 = nullptr;
            }
        } else if (n == 1) {
            if (a2) {
                Fail(602, "fig=%d has incorrect m_pAttachedCon fields\n", id);
                if (m_bRepair)
                    fig->m_pAttachedCon2 = nullptr;
            } else if (a1 && !EndsAt(a1, fig)) {
                Fail(603, "fig=%d has incorrect m_pAttachedCon1 field\n", id);
            }
        } else if (!a1 && a2) {
            Fail(604, "fig=%d has incorrect m_pAttachedCon1 field\n", id);
        } else if (a1 && !a2) {
            if (!EndsAt(a1, fig))
                Fail(605, "fig=%d has incorrect m_pAttachedCon1 field\n", id);
        } else if (a1 && a2) {
            if (!EndsAt(a1, fig) || !EndsAt(a2, fig))
                Fail(606, "fig=%d has incorrect m_pAttachedCon1 field\n", id);
            else if (a1 == a2)
                Fail(607, "fig=%d has duplicate m_pAttachedCon fields\n", id);
        }
    }
}

// A counter is the id the next new object receives, so it must lie above
// every id in use: a counter equal to the largest id would hand that id out
// a second time.
void Validator::CheckStaplesAndCounters()
{
    int maxStapleId = -1;
    for (CDiagObj* obj : *m_doc.m_pStapleList) {
        if (obj->GetType() != kObjStaple)
            Fail(700, "staple=%d has bad type\n", obj->m_nId);
        maxStapleId = std::max(maxStapleId, int(obj->m_nId));
    }
    const CObjList& staples = *m_doc.m_pStapleList;
    if (staples.m_nFigCount != 0 || staples.m_nConCount != 0)
        Fail(456, "staple list has non-zero fig count (%d) or con count (%d)\n", staples.m_nFigCount,
             staples.m_nConCount);
    int maxId = -1;
    for (CDiagObj* obj : *m_doc.m_pObjList)
        maxId = std::max(maxId, int(obj->m_nId));
    if (m_doc.m_nNextId < 1 || m_doc.m_nNextId <= maxId)
        Fail(800, "bad m_nNextId (%d) max is %d\n", m_doc.m_nNextId, maxId);
    if (m_doc.m_nNextStpId < 1 || m_doc.m_nNextStpId <= maxStapleId)
        Fail(810, "bad m_nNextStpId (%d) max is %d\n", m_doc.m_nNextStpId, maxStapleId);
}

// The paper's width and length in tenths of a millimetre: a page of no size
// tiles nothing and prints nothing. Repair takes the size of the paper code,
// else letter paper.
void Validator::CheckPaper()
{
    if (m_doc.m_nPaperWidth >= 1 && m_doc.m_nPaperLength >= 1)
        return;
    Fail(820, "bad paper size width %d length %d\n", m_doc.m_nPaperWidth, m_doc.m_nPaperLength);
    if (!m_bRepair)
        return;
    int width = 0, length = 0;
    if (!LookupPaperSize(m_doc.m_nPaper, width, length)) {
        m_doc.m_nPaper = 1;
        width = 2159;
        length = 2794;
    }
    m_doc.m_nPaperWidth = width;
    m_doc.m_nPaperLength = length;
}

// A group lists at least two objects of the document, each once (an object
// may be listed in several groups). Entries that name no object and repeated
// entries are dropped with repair; a group left with fewer than two members
// is dissolved, as deleting objects dissolves one.
void Validator::CheckGroups()
{
    std::unordered_set<const CDiagObj*> live(m_doc.m_pObjList->begin(), m_doc.m_pObjList->end());
    for (size_t ix = 0; ix < m_doc.m_groupList.size();) {
        CGroup* g = m_doc.m_groupList[ix];
        std::unordered_set<const CDiagObj*> seen;
        auto& members = g->m_members;
        for (size_t i = 0; i < members.size();) {
            const CGroup::Member& m = members[i];
            bool drop = false;
            if (!m.obj || !live.count(m.obj)) {
                Fail(910, "group %d has member id=%d that names no object\n", g->m_nId, m.id);
                drop = true;
            } else if (!seen.insert(m.obj).second) {
                Fail(915, "group %d lists object %d twice\n", g->m_nId, m.obj->m_nId);
                drop = true;
            }
            if (drop && m_bRepair)
                members.erase(members.begin() + long(i));
            else
                ++i;
        }
        const int count = int(seen.size());
        if (count < 2) {
            Fail(900, "group %d ix=%d has %d members\n", g->m_nId, int(ix), count);
            if (m_bRepair) {
                DropGroup(ix);
                continue;
            }
        }
        ++ix;
    }
}

// Every object that names the group moves to the last other group that
// lists it (the outermost one it is nested in), or to none.
void Validator::DropGroup(size_t ix)
{
    CGroup* group = m_doc.m_groupList[ix];
    m_doc.m_groupList.erase(m_doc.m_groupList.begin() + long(ix));
    for (CDiagObj* o : *m_doc.m_pObjList) {
        if (o->m_pGroup != group)
            continue;
        o->m_pGroup = nullptr;
        for (CGroup* g : m_doc.m_groupList)
            if (g->HasMember(o->m_nId))
                o->m_pGroup = g;
    }
    group->m_members.clear();
    delete group;
}

// An object's group pointer names a group of the list that lists it.
void Validator::CheckGroupPointers()
{
    std::unordered_set<const CGroup*> groups(m_doc.m_groupList.begin(), m_doc.m_groupList.end());
    for (CDiagObj* o : *m_doc.m_pObjList) {
        CGroup* g = o->m_pGroup;
        if (!g || (groups.count(g) && g->HasMember(o->m_nId)))
            continue;
        Fail(930, "object %d has m_pGroup that doesn't list it\n", o->m_nId);
        if (!m_bRepair)
            continue;
        o->m_pGroup = nullptr;
        for (CGroup* other : m_doc.m_groupList)
            if (other->HasMember(o->m_nId))
                o->m_pGroup = other;
    }
}

bool CKavoDoc::Validate(int* pnResult, int* pValue1, int* pValue2, int* pValue3)
{
    if (!HasLists())
        return false;
    Validator v(*this, pnResult != nullptr);
    return v.Run(pnResult, pValue1, pValue2, pValue3);
}
