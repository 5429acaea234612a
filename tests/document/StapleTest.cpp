#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "document/UndoRecordsStaple.h"

namespace {
// Every persistent field of a staple, for before/after comparisons.
std::string StapleFields(const CStaple& s)
{
    const int32_t v[] = {s.m_nId, s.m_nType, s.m_nConId, s.m_nFig1Id, s.m_nFig2Id, s.ConPos, s.Fig1PosX,
                         s.Fig1PosY, s.Fig2PosX, s.Fig2PosY, s.OffsetX, s.OffsetY, s.FlowSide,
                         s.LateralOffset, s.LateralConsistency, s.PinType, s.m_bSelected};
    std::string out;
    for (int32_t x : v)
        out += std::to_string(x) + ",";
    return out;
}
} // namespace

TEST(StaplePositions, ScaleAnchorAndRectangle)
{
    struct Case {
        int p, length, want;
    } cases[] = {{0, 100, 0}, {1, 100, 0}, {1, 1000, 0}, {2, 255, 2}, {127, 100, 49}, {254, 255, 254}, {254, 100, 99},
                 {255, 100, 100}, {256, 100, 0}, {-1, 100, 0}, {128, -10, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(CStaple::ScalePos(c.p, c.length), c.want) << c.p << " of " << c.length;
    const RECT rc{10, 20, 110, 70};
    EXPECT_EQ(CStaple::AnchorPoint(rc, 255, 255), CPoint(110, 70));
    EXPECT_EQ(CStaple::AnchorPoint(rc, 127, 0), CPoint(10 + 49, 20));
    EXPECT_EQ(CStaple::AnchorPoint(rc, 300, 0), CPoint(0, 0));
    EXPECT_EQ(CStaple::RectAtAnchor(CPoint(100, 100), 50, 20, 255, 0), CRect(50, 100, 100, 120));
    EXPECT_TRUE(CStaple::RectAtAnchor(CPoint(100, 100), 50, 20, 0, 256).IsRectNull());
}

TEST(StaplePositions, SideCodes)
{
    struct Case {
        int x1, y1, x2, y2, code, exact;
    } cases[] = {{0, 0, 0, 255, 1, 1},       {127, 0, 127, 255, 2, 2}, {100, 0, 100, 255, 2, 0},
                 {254, 0, 254, 255, 0, 0},   {255, 0, 0, 0, 4, 4},     {255, 127, 0, 127, 5, 5},
                 {127, 255, 127, 0, 8, 8},   {0, 127, 255, 127, 11, 11}, {0, 0, 255, 0, 12, 12},
                 {0, 255, 255, 255, 10, 10}, {3, 3, 3, 3, 0, 0}};
    for (const Case& c : cases) {
        CStaple s;
        s.Fig1PosX = c.x1;
        s.Fig1PosY = c.y1;
        s.Fig2PosX = c.x2;
        s.Fig2PosY = c.y2;
        EXPECT_EQ(s.GetSideCode(), c.code) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        EXPECT_EQ(s.GetSideCodeExact(), c.exact) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(StapleTypes, LooseTestsSettleTheType)
{
    CFigure fig, label;
    CConnector con;
    CStaple s;
    s.m_pCon = &con;
    s.m_pFig1 = &label;
    EXPECT_TRUE(s.IsLatLbl(false));
    EXPECT_EQ(s.m_nType, 0) << "no side distance: not made lateral";
    s.LateralOffset = 12;
    EXPECT_TRUE(s.IsLatLbl(false));
    EXPECT_EQ(s.m_nType, kStapleLatLabel);
    EXPECT_TRUE(s.IsValid());

    CStaple c;
    c.m_pCon = &con;
    c.m_pFig1 = &label;
    EXPECT_TRUE(c.IsConLbl(false));
    EXPECT_EQ(c.m_nType, kStapleConLabel);

    CStaple f;
    f.m_pFig1 = &fig;
    f.m_pFig2 = &label;
    EXPECT_FALSE(f.IsConLbl(false));
    EXPECT_TRUE(f.IsFigLbl(false));
    EXPECT_EQ(f.m_nType, kStapleFigLabel);
    f.m_pFig2 = nullptr;
    EXPECT_FALSE(f.IsValid()) << "slots that do not fit fail every strict test";

    CStaple loaded;
    loaded.m_nConId = 3;
    loaded.m_nFig1Id = 4;
    loaded.InferType();
    EXPECT_EQ(loaded.m_nType, kStapleConLabel);
}

TEST(StapleTypes, RelinkTakesOnlyObjectsOfTheSlotsKind)
{
    CObjList objs;
    CFigure fig;
    fig.m_nId = 1;
    fig.m_rect = CRect(0, 0, 10, 10);
    CConnector con;
    con.m_nId = 2;
    objs.AddTail(&fig);
    objs.AddTail(&con);
    CStaple s;
    s.m_nConId = 1;   // a figure in the connector slot
    s.m_nFig1Id = 2;  // a connector in a figure slot
    s.m_nFig2Id = 1;
    s.Relink(objs);
    EXPECT_EQ(s.m_pCon, nullptr);
    EXPECT_EQ(s.m_nConId, -1);
    EXPECT_EQ(s.m_pFig1, nullptr);
    EXPECT_EQ(s.m_nFig1Id, -1);
    EXPECT_EQ(s.m_pFig2, &fig);
    EXPECT_EQ(fig.m_pStaple, &s);
    EXPECT_EQ(s.m_snapFig2, fig.m_rect);
    objs.RemoveAll();
}

TEST(StapleFollow, ChangeTestsAgainstTheSnapshots)
{
    CFigure lead, label;
    lead.m_rect = CRect(0, 0, 100, 50);
    label.m_rect = CRect(0, 60, 40, 80);
    CStaple s;
    s.MakeFigLink(&lead, 0, 255, &label, 0, 0, 0, 10);
    EXPECT_EQ(s.m_nType, kStapleFigLink);
    EXPECT_EQ(lead.m_pStaple, &s);
    EXPECT_FALSE(s.FigsChanged());
    lead.m_rect.OffsetRect(5, 0);
    EXPECT_TRUE(s.OnlyFig1Moved());
    EXPECT_FALSE(s.Fig1Resized());
    label.m_rect.right += 4;
    EXPECT_FALSE(s.OnlyFig1Moved());
    EXPECT_TRUE(s.Fig2Resized());
    EXPECT_EQ(s.GetFig2RectForSize(40, 20), CRect(5, 60, 45, 80));

    // A zero-width old rectangle keeps the offset instead of dividing by 0.
    s.OffsetX = 30;
    s.ScaleOffset(CRect(0, 0, 0, 100), CRect(0, 0, 200, 200));
    EXPECT_EQ(s.OffsetX, 30);
    EXPECT_EQ(s.OffsetY, 20);
    s.ScaleOffset(CRect(0, 0, 100, 100), CRect(0, 0, 50, 50));
    EXPECT_EQ(s.OffsetX, 15);
    EXPECT_EQ(s.OffsetY, 10);
}

TEST(StapleFollow, PositionsAlongAConnector)
{
    CConnector con;
    con.EndPoint1 = CPoint(0, 0);
    con.EndPoint2 = CPoint(255, 0);
    CFigure label;
    label.m_rect = CRect(0, 0, 20, 10);
    CStaple s;
    s.MakeLatLbl(&con, CPoint(51, 40), &label, 15, 0);
    EXPECT_EQ(s.ConPos, 51);
    EXPECT_EQ(s.m_nType, kStapleLatLabel);
    EXPECT_EQ(s.GetPointAtConPos(), CPoint(51, 0));
    // A positive offset puts the label above a horizontal line, its bottom
    // at the offset.
    EXPECT_EQ(s.GetLatLblRectForSize(20, 10), CRect(41, -25, 61, -15));
    s.ReanchorAt(CPoint(100, 30), false);
    EXPECT_EQ(s.ConPos, 100);
    EXPECT_EQ(s.LateralOffset, -15) << "the nearer side below";
    EXPECT_EQ(s.GetLatLblRectForSize(20, 10), CRect(90, 15, 110, 25));
    s.ReanchorAt(CPoint(100, -30), true);
    EXPECT_EQ(s.LateralOffset, -15) << "keepSide";
    EXPECT_EQ(s.ConPosOfPoint(CPoint(-40, 0)), 0);
    EXPECT_EQ(s.ConPosOfPoint(CPoint(900, 0)), 255);
}

TEST_F(DocTest, StapleChangeAndFlipUndoExactly)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    CFigure* label = NewFig(doc, 200, 200);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    doc.AddFigWithId(label);
    CConProps props;
    CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(con);
    auto* st = new CStaple(&doc);
    st->MakeLatLbl(con, con->GetMidPoint(), label, 20, 1);
    ASSERT_TRUE(doc.AddStapleWithId(st));
    doc.ResetUndoLog();
    const std::string objsBefore = Snapshot(doc);
    const std::string before = StapleFields(*st);
    const CPoint end1 = con->EndPoint1;

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(LogStapleState(doc, st));
    st->ConPos = 9;
    st->LateralOffset = -3;
    st->PinType = 5;
    st->m_bSelected = 1;
    ASSERT_TRUE(LogConFlip(doc, con));
    FlipConWithStaples(doc, con);
    doc.UndoEndStep();
    EXPECT_EQ(con->EndPoint2, end1);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(StapleFields(*st), before);
    EXPECT_EQ(st->m_pCon, con);
    EXPECT_EQ(st->m_pFig1, label);
    EXPECT_EQ(label->m_pStaple, st);
    EXPECT_EQ(con->EndPoint1, end1);
    EXPECT_EQ(Snapshot(doc), objsBefore);
}

TEST(StapleRecords, StateIsEighteenWordsAndRoundTrips)
{
    CStaple s;
    s.m_nId = 7;
    s.m_nConId = 3;
    s.ConPos = 200;
    s.m_nFig1Id = 4;
    s.Fig1PosX = 1;
    s.Fig1PosY = 2;
    s.m_nFig2Id = 5;
    s.Fig2PosX = 3;
    s.Fig2PosY = 4;
    s.OffsetX = -6;
    s.OffsetY = 8;
    s.m_nType = kStapleFlowLabel;
    s.FlowSide = 2;
    s.LateralOffset = -11;
    s.LateralConsistency = 1;
    s.PinType = 9;
    s.m_bSelected = 1;
    UndoStream counter;
    WriteStapleState(counter, s);
    EXPECT_EQ(counter.m_nBytes, 72);
    std::vector<BYTE> buf(72);
    BYTE* pos = buf.data();
    UndoStream writer(&pos);
    WriteStapleState(writer, s);
    UndoReader reader(buf.data(), buf.data() + buf.size());
    CStaple back;
    ASSERT_TRUE(ReadStapleState(reader, back));
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(StapleFields(back), StapleFields(s));
    UndoReader shortReader(buf.data() + 4, buf.data() + buf.size());
    EXPECT_FALSE(ReadStapleState(shortReader, back));
}

TEST_F(DocTest, CutStapleComesBackWithEveryField)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    auto* first = new CStaple(&doc);
    first->MakeFigLink(a, 255, 127, b, 0, 127, 40, 0);
    first->PinType = 3;
    auto* second = new CStaple(&doc);
    second->MakeFigLbl(b, 0, 0, a, 255, 255, -7, 9);
    ASSERT_TRUE(doc.AddStapleWithId(first));
    ASSERT_TRUE(doc.AddStapleWithId(second));
    doc.ResetUndoLog();
    const std::string before = StapleFields(*first);
    doc.UndoBeginStep(UDMAC_DELOBJS);
    ASSERT_TRUE(doc.CutStaple(first, -1));
    doc.UndoEndStep();
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 1);
    doc.UndoLastStep();
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 2);
    auto* back = static_cast<CStaple*>(doc.m_pStapleList->GetAt(0));
    EXPECT_EQ(StapleFields(*back), before) << "at its old place with its old fields";
    EXPECT_EQ(back->m_pFig1, a);
    EXPECT_EQ(back->m_pFig2, b);
}
