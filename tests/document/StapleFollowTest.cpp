// The staple pass moving objects the way the document moves them: labels made
// with their figures, connectors that end on moved figures and labels, and
// chains of figure links.
#include "DocTestSupport.h"

#include "document/CStaple.h"

#include <random>

namespace {
class StapleFollowTest : public DocTest {
protected:
    CFigure* Fig(int x, int y)
    {
        CFigure* f = NewFig(doc, x, y, "f");   // with text: never a junction
        doc.AddFigWithId(f);
        return f;
    }
    CConnector* Join(CFigure* a, CFigure* b)
    {
        CConProps props;
        CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
        if (con)
            con->RecalcRoute();
        return con;
    }
    CStaple* Link(CFigure* leader, CFigure* follower)
    {
        auto* s = new CStaple(&doc);
        s->MakeFigLink(leader, 255, 127, follower, 0, 127, 0, 0);
        s->RecordOffset(nullptr);
        EXPECT_TRUE(doc.AddStapleWithId(s));
        return s;
    }
    static void Move(CFigure* f, int dx, int dy)
    {
        CRect rc = f->m_rect;
        rc.OffsetRect(dx, dy);
        f->SetRectNoUndo(rc);
    }
    // Where the connector's ends should be for the figures as they are now.
    static bool EndsUpToDate(const CConnector* con)
    {
        CPoint p1, p2;
        con->ComputeEndPoints(nullptr, p1, p2);
        return p1 == con->EndPoint1 && p2 == con->EndPoint2;
    }
    // The document snapshot with every connector's end points.
    std::string FullSnapshot() const
    {
        std::string out = Snapshot(doc);
        doc.ForEachConnector([&out](CConnector* c) {
            out += "ends " + std::to_string(c->EndPoint1.x) + "," + std::to_string(c->EndPoint1.y) + " " +
                   std::to_string(c->EndPoint2.x) + "," + std::to_string(c->EndPoint2.y) + "\n";
        });
        return out;
    }
};
} // namespace

// The label made with a figure keeps its place beside it when the figure
// moves; it never jumps into the figure.
TEST_F(StapleFollowTest, AutomaticFigureLabelMovesWithItsFigure)
{
    CFigure* fig = Fig(0, 0);
    CFigure* label = doc.AddAutoFigLabel(fig, "name");
    ASSERT_TRUE(label);
    doc.UpdateAllStaples(0);
    const CRect before = label->m_rect;
    Move(fig, 100, 50);
    doc.UpdateAllStaples(0);
    CRect want = before;
    want.OffsetRect(100, 50);
    EXPECT_EQ(label->m_rect, want);
    EXPECT_FALSE(CRect().IntersectRect(label->m_rect, fig->m_rect));
}

// A figure link's follower is moved through the document: the connectors
// ending on it are re-laid, and one Undo puts them back.
TEST_F(StapleFollowTest, FollowerMovesWithItsConnectors)
{
    CFigure* leader = Fig(0, 0);
    CFigure* follower = Fig(300, 0);
    CFigure* other = Fig(300, 600);
    Link(leader, follower);
    CConnector* con = Join(follower, other);
    ASSERT_TRUE(con);
    doc.ResetUndoLog();
    const std::string before = FullSnapshot();

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    Move(leader, 120, 40);
    ASSERT_TRUE(doc.SetFigRect(leader, leader->m_rect));   // logs the leader's place for undo
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_EQ(follower->m_rect.left, 420);
    EXPECT_TRUE(EndsUpToDate(con)) << con->EndPoint1.x << "," << con->EndPoint1.y;

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    Move(leader, -120, -40);
    EXPECT_EQ(FullSnapshot(), before);
}

// A connector from a labelled figure ends at the label when it runs through
// it; once the label moves aside the connector is re-laid to the figure.
TEST_F(StapleFollowTest, ConnectorsOfALabelledFigureAreReLaid)
{
    CFigure* fig = Fig(0, 0);
    CFigure* below = Fig(0, 800);
    CFigure* label = Fig(0, 0);
    CRect rc;
    doc.CalcFigLblRect(fig, CSize(200, 40), 8, rc, 16);
    label->SetRectNoUndo(rc);
    auto* s = new CStaple(&doc);
    s->MakeFigLbl(fig, 127, 255, label, 127, 0, 0, 0);
    s->RecordOffset(nullptr);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    CConnector* con = Join(fig, below);
    ASSERT_TRUE(con);
    ASSERT_EQ(con->EndPoint1.y, label->m_rect.bottom) << "the line starts below the label";
    doc.ResetUndoLog();
    const std::string before = FullSnapshot();

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(label, CRect(400, rc.top, 600, rc.bottom)));
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_TRUE(EndsUpToDate(con));
    EXPECT_EQ(con->EndPoint1.y, fig->m_rect.bottom);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(FullSnapshot(), before);
}

// A chain of links listed follower-first settles in one pass.
TEST_F(StapleFollowTest, ChainsOfLinksSettleInOnePass)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(300, 0);
    CFigure* c = Fig(600, 0);
    CFigure* d = Fig(900, 0);
    Link(c, d);
    Link(b, c);
    Link(a, b);
    Move(a, 0, 70);
    doc.UpdateAllStaples(0);
    for (CFigure* f : {b, c, d})
        EXPECT_EQ(f->m_rect.top, 70) << f->m_nId;

    // A cycle of links ends after as many sweeps as there are links, each
    // figure having followed its leader round the cycle at most once.
    Link(d, a);
    Move(a, 0, 10);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(d->m_rect.top, 80);
    EXPECT_EQ(a->m_rect.top, 90);
}

// Sliding a label along the same connector is one staple record: undo puts
// the position back, so the next change starts from the right place.
TEST_F(StapleFollowTest, MovingALabelAlongItsConnectorUndoes)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(1000, 0);
    CFigure* label = Fig(400, 200);
    CConnector* con = Join(a, b);
    ASSERT_TRUE(con);
    auto* s = new CStaple(&doc);
    s->MakeConLbl(con, con->GetMidPoint(), label, 127, 127);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    doc.UpdateAllStaples(0);
    doc.ResetUndoLog();
    const int pos = s->ConPos;
    const CRect place = label->m_rect;

    doc.UndoBeginStep(UDMAC_SLIDELBL);
    ASSERT_EQ(doc.MoveConLabel(s, con, CPoint(con->EndPoint1.x + 50, 0)), 1);
    doc.UndoEndStep();
    ASSERT_NE(s->ConPos, pos);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SLIDELBL);
    EXPECT_EQ(s->ConPos, pos);
    EXPECT_EQ(label->m_rect, place);
}

// Unset label spacings fall back to the custom spacing in the figure-margin
// mode, else to 16; a set spacing is taken as it is.
TEST_F(StapleFollowTest, LabelSpacingFallsBackByTheMarginMode)
{
    struct Row {
        int mode, custom, fig, con, wantFig, wantCon;
    } rows[] = {
        {0, 20, -1, -1, 16, 16}, {1, 20, -1, 0, 20, 20}, {1, 20, 30, -1, 30, 20}, {0, 20, 0, 40, 16, 40},
    };
    for (const Row& r : rows) {
        doc.m_nFigMarginMode = r.mode;
        doc.m_nFigMarginLeft = r.custom;
        doc.m_nLabelToFigSpacing = r.fig;
        doc.m_nLabelToConSpacing = r.con;
        int x = 0, y = 0;
        doc.GetLabelSpacing(x, y);
        EXPECT_EQ(CSize(x, y), CSize(r.wantFig, r.wantCon)) << r.mode << " " << r.fig << " " << r.con;
        EXPECT_EQ(doc.GetFigLblGap(), r.wantFig);
        EXPECT_EQ(doc.GetConLblGap(), r.wantCon);
    }
}

// A new figure label keeps the spacing's gap from its figure.
TEST_F(StapleFollowTest, NewFigureLabelTakesTheCustomSpacing)
{
    doc.m_nFigLblPrimarySector = 8;
    doc.m_nFigMarginMode = 1;
    doc.m_nFigMarginLeft = 20;
    CFigure* fig = Fig(0, 0);
    CFigure* label = doc.AddAutoFigLabel(fig, "name");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->m_rect.top - fig->m_rect.bottom, 20);
}

// Random scenes of linked and labelled figures joined by connectors: after
// any figure is moved and the pass has run, every connector meets its
// figures where they now are.
TEST(StapleFollowScenes, NoConnectorEndIsLeftBehind)
{
    std::mt19937 rng(2026);
    for (int scene = 0; scene < 150; ++scene) {
        CKavoDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        std::uniform_int_distribution<int> place(-2000, 2000);
        const int count = 4 + int(rng() % 6);
        std::vector<CFigure*> figs;
        for (int i = 0; i < count; ++i) {
            CFigure* f = NewFig(doc, place(rng), place(rng), "f");
            doc.AddFigWithId(f);
            figs.push_back(f);
        }
        // Links from earlier figures to later ones, each figure following
        // at most one leader.
        for (int i = 1; i < count; ++i) {
            if (rng() % 2)
                continue;
            auto* s = new CStaple(&doc);
            s->MakeFigLink(figs[rng() % i], 255, 127, figs[i], 0, 127, 0, 0);
            s->RecordOffset(nullptr);
            ASSERT_TRUE(doc.AddStapleWithId(s));
        }
        for (CFigure* f : figs)
            if (rng() % 2 && !doc.AddAutoFigLabel(f, "label"))
                FAIL() << "label";
        std::vector<CConnector*> cons;
        for (int i = 0; i < count; ++i) {
            CFigure* a = figs[rng() % count];
            CFigure* b = figs[rng() % count];
            if (a == b)
                continue;
            CConProps props;
            CConnector* c = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
            ASSERT_TRUE(c);
            c->RecalcRoute();
            cons.push_back(c);
        }
        doc.UpdateAllStaples(0);
        for (int move = 0; move < 3; ++move) {
            CFigure* f = figs[rng() % count];
            CRect rc = f->m_rect;
            rc.OffsetRect(place(rng) / 4, place(rng) / 4);
            ASSERT_TRUE(doc.MoveFigToRect(f, rc));
            doc.UpdateAllStaples(0);
            for (CConnector* c : cons) {
                CPoint p1, p2;
                c->ComputeEndPoints(nullptr, p1, p2);
                EXPECT_EQ(p1, c->EndPoint1) << "scene " << scene << " move " << move << " connector " << c->m_nId;
                EXPECT_EQ(p2, c->EndPoint2) << "scene " << scene << " move " << move << " connector " << c->m_nId;
            }
        }
    }
}
