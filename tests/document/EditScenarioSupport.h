#pragma once
// Shared by the edit scenario tests: figures and connectors added to the
// document, and a snapshot of everything an edit must bring back on undo
// (beyond Snapshot: connector ends and connection points, staples, group
// pointers and the selection in its order).
#include "DocTestSupport.h"
#include "document/CStaple.h"

#include <algorithm>

inline CFigure* AddTextFig(CKavoDoc& doc, int x, int y, int width = 200, int height = 100,
                           const std::string& text = "F")
{
    CFigProps props;
    auto* f = new CFigure(x, y, height, width, props, -1, 0, text, "", CFigure::CreateArgs(), &doc);
    EXPECT_TRUE(doc.AddFigWithId(f));
    return f;
}

// A connector between the centres of a and b (either may be null), added
// with a fresh id; `straight` sets its straight-line style bit.
inline CConnector* AddConBetween(CKavoDoc& doc, CFigure* a, CFigure* b, bool straight = false)
{
    CConnector* c = NewCon(doc, a, b);
    if (straight)
        c->m_props.Behavior.low |= 1;
    EXPECT_TRUE(doc.AddConWithId(c));
    return c;
}

// A connector with free ends at the two points.
inline CConnector* AddFreeCon(CKavoDoc& doc, const POINT& p1, const POINT& p2)
{
    CConnector* c = AddConBetween(doc, nullptr, nullptr);
    c->EndPoint1 = p1;
    c->EndPoint2 = p2;
    return c;
}

inline std::string Pt(const POINT& p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

inline std::string SceneSnapshot(const CKavoDoc& doc)
{
    std::string out = Snapshot(doc);
    for (CDiagObj* o : *doc.m_pObjList) {
        out += std::to_string(o->m_nId) + " grp" + std::to_string(o->m_pGroup ? o->m_pGroup->m_nId : 0);
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            out += " " + Pt(c->EndPoint1) + Pt(c->EndPoint2) + " cp" + std::to_string(c->m_nConPtId1) + "," +
                   std::to_string(c->m_nConPtId2);
        }
        out += "\n";
    }
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        out += "staple " + std::to_string(s->m_nType) + " con" + std::to_string(s->m_pCon ? s->m_pCon->m_nId : -1) +
               " f" + std::to_string(s->m_pFig1 ? s->m_pFig1->m_nId : -1) + " pos" + std::to_string(s->ConPos) + "\n";
    }
    // The selected set (undo rebuilds the list from the objects' flags, in
    // drawing order).
    std::vector<int> sel;
    for (CDiagObj* o : *doc.m_pSelList)
        sel.push_back(o->m_nId);
    std::sort(sel.begin(), sel.end());
    out += "sel";
    for (int id : sel)
        out += " " + std::to_string(id);
    return out;
}

// Ids of the objects in a list, in order.
inline std::vector<int> Ids(const CObjList& list)
{
    std::vector<int> ids;
    for (CDiagObj* o : list)
        ids.push_back(o->m_nId);
    return ids;
}

#include "common/TestSupport.h"

// While alive, the undo log refuses the record after `after` more and the
// user cancels: the operation stops and its step is taken back.
class RefusingUndoLog {
public:
    explicit RefusingUndoLog(CKavoDoc& doc, int after = 0) : m_log(doc.UndoLogRef())
    {
        m_log.m_nRefuseRecordAfter = after;
        m_prompt.QueueAnswer(IDCANCEL);
    }
    ~RefusingUndoLog() { m_log.m_nRefuseRecordAfter = -1; }
    RefusingUndoLog(const RefusingUndoLog&) = delete;
    RefusingUndoLog& operator=(const RefusingUndoLog&) = delete;
    bool Refused() const { return !m_prompt.shown.empty(); }

private:
    CUndoLog& m_log;
    CRecordingPrompt m_prompt;
};
