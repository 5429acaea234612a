#pragma once
// The trunk tests' fixture: figures of chosen stock kinds, the three connector
// styles the trunk rules tell apart, and links between figures.
#include "DocTestSupport.h"

#include "document/CStaple.h"

namespace {
// A figure of a chosen stock kind (kinds come from style names otherwise).
class KindFig : public CFigure {
public:
    KindFig(CKavoDoc& doc, int kind, int x) : CFigure(&doc), m_kind(kind)
    {
        m_rect = CRect(x, 0, x + 100, 60);
        m_strText = "t"; // a text keeps it from counting as a junction
    }
    int ClassifyStockKind() const override { return m_kind; }
    int m_kind;
};

class TrunksTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        SetTrunkDiagramsForTest(true);
        CConProps props;
        for (const char* name : {"To Interface", "Association", "Flow"})
            ASSERT_EQ(doc.m_conStyles.AddConStyle(&props, name, 1, 1, "", "", 0, "", 1, 0, 0, 90), 1);
        toInterface = doc.m_conStyles.FindByName("To Interface");
        association = doc.m_conStyles.FindByName("Association");
        plain = doc.m_conStyles.FindByName("Flow");
    }
    KindFig* Fig(int kind, int x)
    {
        auto* f = new KindFig(doc, kind, x);
        doc.AddFigWithId(f);
        return f;
    }
    CConnector* Con(CFigure* a, CFigure* b, int style)
    {
        CConProps props;
        return doc.CreateCon(a, b, -1, -1, a->GetCenter(), b ? b->GetCenter() : CPoint(0, 900), style, props);
    }
    void Link(CFigure* leader, CFigure* linked)
    {
        auto* s = new CStaple(&doc);
        s->MakeFigLink(leader, 0, 0, linked, 0, 0, 0, 0);
        doc.AddStapleWithId(s);
    }
    int toInterface = -1, association = -1, plain = -1;
};
} // namespace
