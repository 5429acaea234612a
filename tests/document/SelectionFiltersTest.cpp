// The filter kinds of the selected-figure look-ups over every kind of figure,
// the nearest connector on a tie, connector ends under the pointer, and the
// movement room of a connector selected with its ends.
#include "EditScenarioSupport.h"

#include "document/MoveRoom.h"
#include "platform/GlobalMem.h"
#include "shapes/CFigSymbol.h"

TEST_F(DocTest, FilterKindsOverEveryKindOfFigure)
{
    CFigSymbol* oneArea = doc.m_figSymbols.NewEntry();
    oneArea->SetName("one area");
    oneArea->m_nTextBoxes = 1;
    oneArea->m_nFillPos = 0;
    CFigSymbol* twoAreas = doc.m_figSymbols.NewEntry();
    twoAreas->SetName("two areas");
    twoAreas->m_nTextBoxes = 2;
    twoAreas->m_nFillPos = 0;
    const int one = doc.m_figSymbols.GetCount() - 2, two = one + 1;
    CStaple conLabel(&doc, kStapleConLabel);
    HGLOBAL picture = GlobalAlloc(GMEM_MOVEABLE, 16);

    auto make = [&](int symbol, const char* text) {
        CFigure* f = NewFig(doc, 0, 0, text);
        f->m_props.Symbol = symbol;
        return f;
    };
    CFigure* plain = make(one, "plain");
    CFigure* pictureFig = make(one, "picture");
    pictureFig->m_props.m_nGraphicType = 2;
    pictureFig->m_props.Graphic = picture;
    CFigure* freeLabel = make(one, "free");
    freeLabel->m_bLabel = 1;
    CFigure* stapled = make(one, "stapled");
    stapled->m_bLabel = 1;
    stapled->m_pStaple = &conLabel;
    CFigure* twoAreaLabel = make(two, "two");
    twoAreaLabel->m_bLabel = 1;
    CFigure* redundant = make(0, "");
    redundant->m_nConnected = 2;
    CFigure* branch = make(0, "");
    branch->m_nConnected = 2;
    branch->TerminalJct = 1;
    ASSERT_TRUE(redundant->IsRedundantJct());
    ASSERT_TRUE(branch->IsBranchJct());
    const std::vector<CFigure*> all = {plain, pictureFig, freeLabel, stapled, twoAreaLabel, redundant, branch};
    for (CFigure* f : all)
        doc.AddObjToSel(f, 2, false);   // the newest last

    struct Row {
        int filter;
        CFigure* first;
        int count;
    } rows[] = {
        {0, branch, 7},       {2, twoAreaLabel, 3}, {3, nullptr, 0},    {4, plain, 1},
        {5, twoAreaLabel, 4}, {6, freeLabel, 1},    {7, pictureFig, 2}, {8, redundant, 1},
        {9, branch, 2},       {10, twoAreaLabel, 5}, {11, pictureFig, 2},
    };
    for (const Row& r : rows) {
        int n = -1;
        EXPECT_EQ(doc.GetFirstSelFig(r.filter, 0, &n), r.first) << "filter " << r.filter;
        EXPECT_EQ(n, r.count) << "filter " << r.filter;
    }
    doc.ClearSel(false);
    stapled->m_pStaple = nullptr;
    pictureFig->m_props.Graphic = nullptr;
    pictureFig->m_props.m_nGraphicType = 0;
    for (CFigure* f : all)
        delete f;
    GlobalFree(picture);
}

TEST_F(DocTest, NearestConnectorTieGoesToTheFrontMost)
{
    CConnector* back = AddFreeCon(doc, CPoint(0, 0), CPoint(100, 0));
    CConnector* front = AddFreeCon(doc, CPoint(0, 20), CPoint(100, 20));
    EXPECT_EQ(doc.FindConNearPoint(50, 10), front);
    EXPECT_EQ(doc.FindConNearPoint(50, 9), back);
}

TEST_F(DocTest, ConnectorEndsUnderThePointer)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* j = doc.CreateFigAt(CPoint(600, 40), 1);
    CFigure* b = AddTextFig(doc, 1000, 0);
    CConnector* toJunction = AddConBetween(doc, a, j);
    CConnector* toFigure = AddConBetween(doc, j, b);
    ASSERT_TRUE(j->IsInvisible());
    CFigure* fig = nullptr;
    // At the junction both connectors end; neither counts there.
    EXPECT_EQ(doc.FreeConEndFromPoint(toJunction->EndPoint2.x, toJunction->EndPoint2.y, 4, &fig), nullptr);
    EXPECT_EQ(doc.FreeConEndFromPoint(toFigure->EndPoint2.x, toFigure->EndPoint2.y, 4, &fig), toFigure);
    EXPECT_EQ(fig, b);

    // The newest selected connector answers first, with its end.
    CConnector* other = AddFreeCon(doc, toFigure->EndPoint2, CPoint(1500, 900));
    doc.AddObjToSel(other, 2, false);
    doc.AddObjToSel(toFigure, 2, false);
    int end = 0;
    EXPECT_EQ(doc.SelConEndFromPoint(toFigure->EndPoint2, end, 6), toFigure);
    EXPECT_EQ(end, 2);
    EXPECT_EQ(doc.SelConEndFromPoint(CPoint(1500, 900), end, 6), other);
    EXPECT_EQ(end, 2);
    EXPECT_EQ(doc.SelConEndFromPoint(CPoint(5000, 5000), end, 6), nullptr);
    EXPECT_EQ(end, 0);
}

TEST(MoveRoom, LimitedOnOneAxisOnlyStopsTheOther)
{
    constexpr int U = CMoveSet::kUnlimited;
    struct Row {
        int up, down, left, right;
        int upAfter, downAfter, leftAfter, rightAfter;
    } rows[] = {
        {U, U, 30, 40, 0, 0, 30, 40},    // limited sideways only: no vertical move
        {10, 20, U, U, 10, 20, 0, 0},    // limited vertically only: no sideways move
        {U, U, U, U, U, U, U, U},        // free both ways
        {10, 20, 30, 40, 10, 20, 30, 40},
        {U, 20, 30, U, U, 20, 30, U},    // one side of each axis: left alone
    };
    for (const Row& r : rows) {
        CMoveSet m;
        m.m_nUp = r.up;
        m.m_nDown = r.down;
        m.m_nLeft = r.left;
        m.m_nRight = r.right;
        KeepMoveRoomOnOneAxis(m);
        EXPECT_EQ(m.m_nUp, r.upAfter);
        EXPECT_EQ(m.m_nDown, r.downAfter);
        EXPECT_EQ(m.m_nLeft, r.leftAfter);
        EXPECT_EQ(m.m_nRight, r.rightAfter);
    }
}

TEST_F(DocTest, ConnectorEndHitDependsOnHowTheEndIsAttached)
{
    CFigure* a = AddTextFig(doc, 0, 0);   // 200 x 100
    CFigure* b = AddTextFig(doc, 1000, 0);
    a->m_pConPts = std::make_unique<CConPtList>();
    const int right = a->m_pConPts->AddConPt(CFltPoint(2048, 1024), "", 0, true, -1);
    CConnector* c = AddConBetween(doc, a, b);
    struct Row {
        const char* what;
        int32_t conPt;
        CDiagObj* hit;
    } rows[] = {
        {"at a connection point: the connector end", right, c},
        {"at a fixed point: the connector end", kConPtFixed, c},
        {"floating: the figure below", kConPtCentre, a},
    };
    for (const Row& r : rows) {
        c->m_nConPtId1 = r.conPt;
        c->RecalcRoute();
        const CPoint at = c->GetEndAttachPt(1);
        POINT out{-1, -1};
        EXPECT_EQ(doc.ObjFromPoint(at.x, at.y, 4, false, -1, 0, 0, &out, true), r.hit) << r.what;
        if (r.hit == c) {
            EXPECT_EQ(CPoint(out), c->EndPoint1) << r.what;
        }
    }
}
