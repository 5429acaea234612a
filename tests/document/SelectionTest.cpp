// The selection list and its cascades, filtered look-ups, hit tests and set
// rectangles.
#include "EditScenarioSupport.h"

#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/Trace.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <set>

namespace {
std::set<int> SelectedIds(const CKavoDoc& doc)
{
    std::set<int> ids;
    for (CDiagObj* o : *doc.m_pSelList) {
        EXPECT_TRUE(o->m_bSelected) << o->m_nId;
        ids.insert(o->m_nId);
    }
    return ids;
}
} // namespace

TEST_F(DocTest, SelectionModesKeepTheListInSelectionOrder)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 400, 0);
    CFigure* c = AddTextFig(doc, 800, 0);
    doc.SelectObj(a, 2, 0, 0);
    doc.SelectObj(b, 2, 0, 0);
    doc.SelectObj(a, 2, 0, 0);   // already selected: only becomes the newest
    EXPECT_EQ(Ids(*doc.m_pSelList), (std::vector<int>{b->m_nId, a->m_nId}));
    EXPECT_EQ(doc.GetTopSelFig(), a);
    doc.SelectObj(b, 3, 0, 0);   // toggle
    EXPECT_EQ(Ids(*doc.m_pSelList), std::vector<int>{a->m_nId});
    EXPECT_FALSE(b->m_bSelected);
    doc.SelectObj(c, 1, 0, 0);   // clear first
    EXPECT_EQ(Ids(*doc.m_pSelList), std::vector<int>{c->m_nId});
    EXPECT_EQ(doc.GetSelCount(), 1);
    EXPECT_EQ(doc.GetSelFigCount(), 1);
    EXPECT_EQ(doc.DeselectAllObjs(), 1);
    EXPECT_EQ(doc.DeselectAllObjs(), 0);
}

TEST_F(DocTest, SelectionKeepsTheCallersUpdateLock)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 400, 0);
    CConnector* c = AddConBetween(doc, a, b);
    doc.m_nUpdateLock = 7;
    doc.SelectObj(a, 2, 1, 0);
    EXPECT_EQ(doc.m_nUpdateLock, 7);
    doc.SelectConAndEnds(c, 2, 0, true);
    EXPECT_EQ(doc.m_nUpdateLock, 7);
}

TEST_F(DocTest, AFailedSelectionAppendLeavesTheObjectUnflagged)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    doc.m_pSelList->FailAppendsForTest(true);
    EXPECT_FALSE(doc.AddObjToSel(a, 2, true));
    doc.m_pSelList->FailAppendsForTest(false);
    EXPECT_FALSE(a->m_bSelected);
    doc.RemoveFigFromSel(a, true);   // nothing to remove: the counts stay right
    EXPECT_EQ(doc.GetSelCount(), 0);
    EXPECT_EQ(doc.m_pSelList->m_nFigCount, 0);
    EXPECT_TRUE(doc.AddObjToSel(a, 2, true));
    EXPECT_EQ(doc.GetSelCount(), 1);
}

TEST_F(DocTest, SelectionCascades)
{
    // A -c1- J -c2- B with J an automatic junction; E a junction with one
    // connector from D; G and H grouped.
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* j = doc.CreateFigAt(CPoint(600, 40), 1);
    CFigure* b = AddTextFig(doc, 1000, 0);
    CConnector* c1 = AddConBetween(doc, a, j);
    CConnector* c2 = AddConBetween(doc, j, b);
    CFigure* d = AddTextFig(doc, 0, 1000);
    CFigure* e = doc.CreateFigAt(CPoint(600, 1040), 1);
    CConnector* c3 = AddConBetween(doc, d, e);
    CFigure* g = AddTextFig(doc, 0, 2000);
    CFigure* h = AddTextFig(doc, 400, 2000);
    auto* group = new CGroup;
    group->AddMember(g);
    group->AddMember(h);
    ASSERT_TRUE(doc.AddGroupWithId(group));
    ASSERT_TRUE(j->IsRedundantJct());

    struct Case {
        const char* what;
        std::function<void()> select;
        std::set<int> expected;
        bool groupSelected;
    };
    const std::vector<Case> cases = {
        {"a redundant junction takes both connectors", [&] { doc.SelectObj(j, 1, 0, 0); },
         {j->m_nId, c1->m_nId, c2->m_nId}, false},
        {"a connector takes the one continuing it", [&] { doc.SelectObj(c1, 1, 0, 0); }, {c1->m_nId, c2->m_nId}, false},
        {"a junction with one connector takes it", [&] { doc.SelectObj(e, 1, 0, 0); }, {e->m_nId, c3->m_nId}, false},
        {"a grouped figure takes its group", [&] { doc.SelectObj(g, 1, 0, 0); }, {g->m_nId, h->m_nId}, true},
        {"a connector with its ends", [&] { doc.SelectConAndEnds(c3, 1, 0, true); }, {c3->m_nId, d->m_nId, e->m_nId},
         false},
        {"a rectangle round the group takes it", [&] { doc.SelectInRect(CRect(-10, 1990, 700, 2200), 1); },
         {g->m_nId, h->m_nId}, true},
        {"a rectangle cutting the group leaves it", [&] { doc.SelectInRect(CRect(-10, 1990, 300, 2200), 1); }, {},
         false},
    };
    for (const Case& c : cases) {
        c.select();
        EXPECT_EQ(SelectedIds(doc), c.expected) << c.what;
        EXPECT_EQ(group->m_bSelected != 0, c.groupSelected) << c.what;
    }
    // Toggling a grouped member off takes the whole group off.
    doc.SelectObj(g, 1, 0, 0);
    doc.SelectObj(h, 3, 0, 0);
    EXPECT_TRUE(SelectedIds(doc).empty());
}

TEST_F(DocTest, FirstSelectedFigureFilters)
{
    CFigure* plain = AddTextFig(doc, 0, 0);
    CFigure* label = AddTextFig(doc, 400, 0);
    label->m_bLabel = 1;
    CFigure* jct = doc.CreateFigAt(CPoint(800, 0), 1);
    AddConBetween(doc, plain, jct);
    CFigure* grouped = AddTextFig(doc, 0, 400);
    CFigure* other = AddTextFig(doc, 400, 400);
    auto* g = new CGroup;
    g->AddMember(grouped);
    g->AddMember(other);
    ASSERT_TRUE(doc.AddGroupWithId(g));
    for (CFigure* f : {plain, label, jct})
        doc.AddObjToSel(f, 2, false);   // newest: jct

    struct Case {
        int filter, groupMode;
        CFigure* first;
        int count;
    };
    const Case cases[] = {
        {0, 0, jct, 3}, {2, 0, label, 1}, {3, 0, nullptr, 0}, {7, 0, plain, 1}, {9, 0, jct, 1}, {10, 0, label, 2},
    };
    for (const Case& c : cases) {
        int n = -1;
        EXPECT_EQ(doc.GetFirstSelFig(c.filter, c.groupMode, &n), c.first) << c.filter;
        EXPECT_EQ(n, c.count) << c.filter;
        EXPECT_EQ(doc.GetFirstSelFig(c.filter, c.groupMode), c.first) << c.filter;
    }
    doc.AddObjToSel(grouped, 2, false);   // the newest, in a group
    int n = 0;
    EXPECT_EQ(doc.GetFirstSelFig(7, 0, &n), plain);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(doc.GetFirstSelFig(7, 1, &n), grouped);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(doc.GetFirstSelFig(7, 2, &n), plain);   // ungrouped preferred
    EXPECT_EQ(n, 2);
    PromptForApplyToGroups = 0;
    ApplyToGroups = 1;
    EXPECT_EQ(doc.GetFirstSelFig(7, 2, &n), grouped);   // acts as mode 1
    // The connector look-up ends at the first selected figure for other kinds.
    EXPECT_EQ(doc.GetFirstSelCon(3, 1), nullptr);
    EXPECT_EQ(doc.CountSelFigs(0, 1), 4);
}

TEST_F(DocTest, HitTestsPairStylesAndPassFloatingEndsOver)
{
    CFigProps fp;
    ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "Activation", 0, 0, 0, "", "", 100, 50, "", "", nullptr, 0, ""));
    ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "Lifeline", 0, 0, 0, "", "", 100, 50, "", "", nullptr, 0, ""));
    ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "Other", 0, 0, 0, "", "", 100, 50, "", "", nullptr, 0, ""));
    const int activation = doc.m_figStyles.FindByName("Activation");
    const int lifeline = doc.m_figStyles.FindByName("Lifeline");
    const int other = doc.m_figStyles.FindByName("Other");
    CFigure* life = AddTextFig(doc, 0, 0);
    life->m_nStyle = lifeline;
    EXPECT_EQ(doc.ObjFromPoint(50, 50, 2, false, activation, 0, 0), life);
    EXPECT_EQ(doc.ObjFromPoint(50, 50, 2, false, other, 0, 0), nullptr);

    // A connector end floating on an ordinary figure: the figure takes the
    // hit near that end; elsewhere the connector does.
    CFigure* a = AddTextFig(doc, 1000, 0);
    CFigure* b = AddTextFig(doc, 2000, 0);
    CConnector* c = AddConBetween(doc, a, b);
    const CPoint end1 = c->GetEndAttachPt(1);
    EXPECT_EQ(doc.ObjFromPoint(end1.x, end1.y, 4, false, -1, 0, 0, nullptr, true), a);
    EXPECT_EQ(doc.ObjFromPoint(1500, c->EndPoint1.y, 4, false, -1, 0, 0, nullptr, true), c);
    EXPECT_EQ(doc.ConFromPoint(1500, c->EndPoint1.y, 4, false), c);
}

TEST_F(DocTest, NearestConnectorIsFoundAcrossTheWholeWorkSpace)
{
    CFigure* a = AddTextFig(doc, -16000, -16000);
    CConnector* c = AddConBetween(doc, a, nullptr);
    c->EndPoint1 = CPoint(-16000, -16000);
    c->EndPoint2 = CPoint(-15990, -16000);
    EXPECT_EQ(doc.FindConNearPoint(16000, 16000), c);   // about 45000 away
}

TEST_F(DocTest, SetRectangles)
{
    EXPECT_TRUE(doc.GetObjSetRect(0, 1, 0, nullptr, false).IsRectNull());   // empty: not inflated
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 1000, 1000);
    CRect ra, rb;
    a->GetBoundRect(ra, 1, 0);
    b->GetBoundRect(rb, 1, 0);
    const CRect all = doc.GetObjSetRect(0, 1, 0, nullptr, false);
    EXPECT_EQ(all, CRect(ra.left - 1, ra.top - 1, rb.right + 1, rb.bottom + 1));
    EXPECT_EQ(doc.GetObjSetRect(0, 0, 0, nullptr, false), CRect(ra.left, ra.top, rb.right, rb.bottom));
    doc.AddObjToSel(b, 2, false);
    EXPECT_EQ(doc.GetObjSetRect(1, 0, 0, nullptr, false), rb);
    b->m_props.Behavior.low |= 0x40000000;
    EXPECT_TRUE(doc.GetObjSetRect(1, 0, 0, nullptr, true).IsRectNull());
    a->m_bSetFlag = 1;
    EXPECT_EQ(doc.GetObjSetRect(2, 0, 0, nullptr, false), ra);
}

TEST_F(DocTest, DumpAndSetRectangleTraceLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetProgramFolderForTest(dir.path());
    CFigure* a = AddTextFig(doc, 0, 0, 200, 100, "Hello");
    CFigure* b = AddTextFig(doc, 500, 0);
    CConnector* c = AddConBetween(doc, a, b);
    auto* s = new CStaple(&doc, kStapleFigLink);
    s->MakeFigLink(a, 127, 127, b, 127, 127, 0, 0);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    doc.DumpObjs();   // diagnostics off: nothing
    EXPECT_FALSE(QFile::exists(dir.path() + "/Diags.log"));

    g_bDiagnostics = true;
    InitDiagnostics();
    doc.DumpObjs();
    doc.GetObjSetRect(0, 0, 0, doc.m_pStapleList.get(), false);
    DiagPrintf("STAT  next\n");
    QFile f(dir.path() + "/Diags.log");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray log = f.readAll();
    const QByteArray expected = "DUMP  All Objects, 1-based index(head to tail)(back to front)\n"
                                "DUMP    [1] F id=" + QByteArray::number(a->m_nId) + " <Hello>\n"
                                "DUMP    [2] F id=" + QByteArray::number(b->m_nId) + " <F>\n"
                                "DUMP    [3] C id=" + QByteArray::number(c->m_nId) + " from:" +
                                QByteArray::number(a->m_nId) + " to:" + QByteArray::number(b->m_nId) + "\n"
                                "DUMP    [1] S id=1 conid=-1 figid=" + QByteArray::number(a->m_nId) + "\n"
                                "STAT  GetObjSetRect unk type=2\n"
                                "STAT  next\n";
    EXPECT_TRUE(log.contains(expected)) << log.toStdString();
}

TEST_F(DocTest, CountsAndConnectorQueries)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 100, 50);   // overlaps a, in front of it
    CFigure* label = AddTextFig(doc, 2000, 0);
    label->m_bLabel = 1;
    CFigure* jct = doc.CreateFigAt(CPoint(1000, 1000), 1);
    CConnector* c1 = AddConBetween(doc, a, jct);
    CConnector* c2 = AddConBetween(doc, a, label);
    EXPECT_EQ(doc.GetObjCount(), 6);
    EXPECT_EQ(doc.GetConCount(), 2);
    EXPECT_EQ(doc.CountVisibleFigs(), 3);   // the junction is not counted
    doc.AddObjToSel(label, 2, false);
    doc.AddObjToSel(c2, 2, false);
    EXPECT_EQ(doc.CountAttachedLbls(), 1);
    EXPECT_TRUE(doc.IsConSelectedOnFig(a));
    EXPECT_FALSE(doc.IsConSelectedOnFig(b));
    CConnector *first = nullptr, *second = nullptr;
    EXPECT_EQ(doc.GetConsOnFig(a, first, second), 1);
    EXPECT_EQ(first, c1);
    EXPECT_EQ(second, c2);
    EXPECT_EQ(doc.GetUnselectedConsOnFig(a, first, second), 0);   // only one unselected
    EXPECT_EQ(first, c1);
    doc.BeginMarkPass();
    EXPECT_EQ(doc.GetUnmarkedConsOnFig(a, first, second), 1);
    c1->m_bVisited = 1;
    EXPECT_EQ(doc.CountMarkedObjs(), 1);
    EXPECT_EQ(doc.GetUnmarkedConsOnFig(a, first, second), 0);
    doc.EndMarkPass(0);
    EXPECT_TRUE(doc.OverlapsLaterObj(a, 0));
    EXPECT_TRUE(doc.OverlapsLaterObj(b, 0));   // the connector from a crosses it
    EXPECT_FALSE(doc.OverlapsLaterObj(label, 0));   // its own connector does not count
}
