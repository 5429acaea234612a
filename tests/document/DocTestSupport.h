#pragma once
// Shared by the document tests: a recording view, figure and connector
// makers, a snapshot of everything undo must bring back, and a fixture with
// a new document.
#include "document/CKavoDoc.h"
#include "document/IDocView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class RecordingView : public IDocView {
public:
    void OnDocUpdate(IDocView*, int hint, const CRect* rect) override
    {
        hints.push_back(hint);
        if (rect)
            rects.push_back(*rect);
    }
    std::vector<int> hints;
    std::vector<CRect> rects;   // the areas given with the updates
};

inline CFigure* NewFig(CKavoDoc& doc, int x, int y, const std::string& text = "")
{
    CFigProps props;
    return new CFigure(x, y, 100, 200, props, -1, 0, text, "", CFigure::CreateArgs(), &doc);
}

inline CConnector* NewCon(CKavoDoc& doc, CFigure* a, CFigure* b)
{
    auto* c = new CConnector(&doc);
    c->m_pFig1 = a;
    c->m_pFig2 = b;
    c->StoreIds();
    c->EndPoint1 = a ? a->GetCenter() : CPoint(0, 0);
    c->EndPoint2 = b ? b->GetCenter() : CPoint(10, 10);
    for (CFigure* f : {a, b})
        if (f) {
            (f->m_pAttachedCon1 ? f->m_pAttachedCon2 : f->m_pAttachedCon1) = c;
            ++f->m_nConnected;
        }
    return c;
}

// What undo must bring back: every object's id, kind, place and fields.
inline std::string Snapshot(const CKavoDoc& doc)
{
    std::string out;
    for (CDiagObj* o : *doc.m_pObjList) {
        out += std::to_string(o->GetType()) + ":" + std::to_string(o->m_nId);
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            out += " r" + std::to_string(f->m_rect.left) + "," + std::to_string(f->m_rect.top) + "," +
                   std::to_string(f->m_rect.right) + "," + std::to_string(f->m_rect.bottom) + " t=" + f->m_strText +
                   " c" + std::to_string(f->m_nConnected) + " b" + std::to_string(f->m_props.BorderColor) + " s" +
                   std::to_string(f->m_bSelected);
        } else {
            auto* c = static_cast<CConnector*>(o);
            out += " e" + std::to_string(c->m_pFig1 ? c->m_pFig1->m_nId : -1) + "," +
                   std::to_string(c->m_pFig2 ? c->m_pFig2->m_nId : -1) + " w" +
                   std::to_string(c->m_props.LineWidth);
        }
        out += "\n";
    }
    for (CDiagObj* s : *doc.m_pStapleList)
        out += "staple " + std::to_string(s->m_nId) + "\n";
    for (CGroup* g : doc.m_groupList) {
        out += "group " + std::to_string(g->m_nId) + ":";
        for (const CGroup::Member& m : g->m_members)
            out += " " + std::to_string(m.id) + (m.obj ? "" : "?");
        out += "\n";
    }
    return out;
}

class DocTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CKavoDoc doc;
};
