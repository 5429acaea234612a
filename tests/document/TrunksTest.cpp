#include "app/AppStartup.h"
#include "core/ProgramFolders.h"
#include "document/CStaple.h"
#include "document/ConPropsApply.h"
#include "document/TrunkInterfaces.h"
#include "document/Trunks.h"
#include "geometry/IntGeometry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TrunkTestSupport.h"

TEST_F(TrunksTest, NothingAnswersWhileTheSwitchIsOff)
{
    KindFig* iface = Fig(9, 0);
    KindFig* node = Fig(3, 300);
    CConnector* con = Con(iface, node, toInterface);
    ASSERT_TRUE(IsInterfaceCon(con));
    ASSERT_TRUE(iface->IsTrunkObj());
    SetTrunkDiagramsForTest(false);
    EXPECT_FALSE(IsInterfaceCon(con));
    EXPECT_FALSE(iface->IsTrunkObj());
    EXPECT_FALSE(node->IsTrunkNode());
    EXPECT_EQ(doc.UpdateTrunks(1), 0);
    EXPECT_EQ(iface->m_pIndicatorCon, nullptr);
    EXPECT_EQ(doc.FindTrunkNodeFor(iface), nullptr);
    EXPECT_FALSE(doc.LinkInterface(iface, node, CPoint(300, 30)));
}

TEST_F(TrunksTest, SwitchNeedsBothUmlFiles)
{
    QTemporaryDir dir;
    SetProgramFolderForTest(dir.path());
    ASSERT_TRUE(QDir().mkpath(GetVariantsFolder()) && QDir().mkpath(GetSymbolsFolder()));
    auto touch = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(GetVariantsFolder() + "UML Activity Diagram (Size=Large,3).KVV");
    FindUmlFiles();
    EXPECT_FALSE(IsTrunkDiagrams());
    touch(GetSymbolsFolder() + "UML Containers.KVF");
    FindUmlFiles();
    EXPECT_TRUE(IsTrunkDiagrams());
}

TEST_F(TrunksTest, ScoresPickTheTrunkConnector)
{
    KindFig* iface = Fig(9, 0);
    KindFig* linkedNode = Fig(3, 300);
    KindFig* otherNode = Fig(1, 600);
    KindFig* label = Fig(2, 900);
    label->m_bLabel = 1;
    Link(linkedNode, iface);
    CConnector* free = Con(iface, nullptr, toInterface);
    CConnector* toOther = Con(iface, otherNode, plain);
    CConnector* toLinked = Con(iface, linkedNode, toInterface);
    EXPECT_EQ(TrunkConScore(iface, free), 5);
    EXPECT_EQ(TrunkConScore(iface, toOther), 7);
    EXPECT_EQ(TrunkConScore(iface, toLinked), 10);
    EXPECT_FALSE(label->IsTrunkNode()) << "labels never pass the kind tests";
    EXPECT_EQ(doc.UpdateTrunks(1), 1);
    EXPECT_EQ(iface->m_pIndicatorCon, toLinked);

    // A socket end on the figure's side costs 4.
    CShapeDef* end = doc.m_endSymbols.GetAt(5);
    end->m_strName = "ball for socket";
    end->Reset();
    toLinked->m_props.End1 = 5;
    EXPECT_EQ(TrunkConScore(iface, toLinked), 6);
    doc.UpdateTrunks(0);
    EXPECT_EQ(iface->m_pIndicatorCon, toOther) << "7 beats 6 and 5";
    toOther->m_nStyle = association;
    EXPECT_EQ(TrunkConScore(iface, toOther), 7);
    CShapeDef* other = doc.m_endSymbols.GetAt(6);
    other->m_strName = "socket for ball";
    other->Reset();
    EXPECT_TRUE(doc.IsEndPairKinds(6, 5));
    EXPECT_FALSE(doc.IsEndPairKinds(5, 5));
}

TEST_F(TrunksTest, EqualScoresKeepTheFirstAndScoreZeroIsStored)
{
    KindFig* iface = Fig(9, 0);
    KindFig* a = Fig(20, 300);
    KindFig* b = Fig(20, 600);
    CConnector* first = Con(iface, a, plain);
    Con(iface, b, plain);
    doc.UpdateTrunks(0);
    EXPECT_EQ(iface->m_pIndicatorCon, first);
}

TEST_F(TrunksTest, JunctionsAndNodes)
{
    KindFig* iface = Fig(12, 0);
    iface->m_rect = CRect(100, -200, 160, -140);
    KindFig* node = Fig(3, 0);
    node->m_rect = CRect(0, 0, 400, 200);
    KindFig* far = Fig(11, 0);
    far->m_rect = CRect(300, -20, 310, -10);
    KindFig* near = Fig(60, 0);
    near->m_rect = CRect(120, -20, 130, -10);
    KindFig* below = Fig(59, 0);
    below->m_rect = CRect(120, 210, 130, 220);
    for (CFigure* j : {static_cast<CFigure*>(far), static_cast<CFigure*>(near), static_cast<CFigure*>(below)})
        Link(node, j);
    EXPECT_EQ(doc.FindTrunkNodeFor(iface), node);
    EXPECT_EQ(doc.FindLinkedJunction(iface, node), near) << "on the same side and nearest";
    int second = 0;
    EXPECT_EQ(FacingSide(node->m_rect, CPoint(-5, -5), second), 1);
    EXPECT_EQ(second, 4);
    EXPECT_EQ(FacingSide(node->m_rect, CPoint(10, 10), second), 0);

    ASSERT_TRUE(doc.LinkInterface(iface, node, CPoint(200, 0)));
    CStaple* link = doc.FindFigLink(iface, node);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Fig1PosX, 127);
    EXPECT_EQ(link->Fig1PosY, 0);
    EXPECT_EQ(link->Fig2PosX, kStaplePosMid);
    EXPECT_EQ(CSize(link->OffsetX, link->OffsetY), CSize(130 - 200, -170));
    for (int code = 1; code <= 6; ++code)
        EXPECT_EQ(SwapDirectionCode(SwapDirectionCode(code)), code);
    EXPECT_EQ(SwapDirectionCode(3), 5);
    EXPECT_EQ(SwapDirectionCode(4), 6);
}

TEST_F(TrunksTest, DirectionCommandIsOneUndoableStep)
{
    KindFig* a = Fig(2, 0);
    KindFig* b = Fig(2, 400);
    KindFig* label = Fig(20, 200);
    label->m_bLabel = 1;
    CConnector* con = Con(a, b, association);
    auto* s = new CStaple(&doc);
    s->MakeLatLbl(con, con->GetMidPoint(), label, 12, 0);
    doc.AddStapleWithId(s);
    ASSERT_TRUE(label->IsTrunkLatLabel());
    doc.ResetUndoLog();
    EXPECT_EQ(doc.OnAssociationDirection(kCmdAssocDirForward), 0) << "nothing selected";
    doc.Select(label);
    EXPECT_EQ(doc.OnAssociationDirection(kCmdAssocDirBackward), 1);
    EXPECT_EQ(label->AssociationIndicator, 2);
    EXPECT_EQ(doc.OnAssociationDirection(kCmdAssocDirBackward), 0) << "no change, no step";
    EXPECT_FALSE(label->IsTrunkIfLabel(nullptr, nullptr)) << "an association, not an interface connector";
    con->m_nStyle = toInterface;
    con->ResetStockKind();
    CConnector* outCon = nullptr;
    CStaple* outStaple = nullptr;
    EXPECT_TRUE(label->IsTrunkIfLabel(&outCon, &outStaple));
    EXPECT_EQ(outCon, con);
    EXPECT_EQ(outStaple, s);
    con->m_nStyle = association;
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SETASSIND);
    EXPECT_EQ(label->AssociationIndicator, 0);
    EXPECT_FALSE(label->IsTrunkIfLabel(nullptr, nullptr)) << "no indicator";
}

TEST_F(TrunksTest, IndicatorAnglePointsAlongTheTrunkConnector)
{
    KindFig* iface = Fig(9, 0);
    KindFig* node = Fig(3, 300);
    CConnector* con = Con(iface, node, toInterface);
    doc.UpdateTrunks(0);
    ASSERT_EQ(iface->m_pIndicatorCon, con);
    con->RecalcRoute();
    // From the node (right) towards the interface is left: 3 pi / 2, less pi / 2.
    EXPECT_DOUBLE_EQ(iface->m_dIndicatorAngle, kGeomPi) << "the geometry works with 3.14159";
    // The angle of the line less a quarter turn, all in the geometry's own
    // constants, so that a rightward line gives 0 and not a hair under 2 pi.
    struct Case {
        CRect node;
        double angle;
    } cases[] = {
        {CRect(-300, 0, -200, 60), 0.0},           // the node left: rightward
        {CRect(0, -300, 100, -240), kGeomHalfPi},  // above: downward
        {CRect(0, 300, 100, 360), kGeomThreeHalfPi}, // below: upward
        {CRect(300, 0, 400, 60), kGeomPi},         // right: leftward
    };
    for (const Case& c : cases) {
        node->m_rect = c.node;
        con->RecalcRoute();
        EXPECT_DOUBLE_EQ(iface->m_dIndicatorAngle, c.angle) << c.node.left << "," << c.node.top;
    }
    node->m_rect = CRect(-300, 0, -200, 60);
    con->RecalcRoute();
    EXPECT_EQ(iface->m_dIndicatorAngle, 0.0);
    SetTrunkDiagramsForTest(false);
    iface->m_dIndicatorAngle = 0.5;
    con->RecalcRoute();
    EXPECT_EQ(iface->m_dIndicatorAngle, 0.5);
}

TEST_F(TrunksTest, ToInterfaceJoinsTheNodeAndUndoesAsOneStep)
{
    KindFig* iface = Fig(12, 0);   // (0,0)-(100,60), centre (50,30)
    KindFig* node = Fig(1, 300);   // (300,0)-(400,60)
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);

    InterfacePreview preview;
    int side = 0;
    ASSERT_EQ(CreateInterface(doc, iface, &side, &preview), 1);
    EXPECT_EQ(side, 11);
    EXPECT_EQ(preview.start, CPoint(100, 30));
    EXPECT_EQ(preview.end, CPoint(300, 30));
    EXPECT_EQ(Snapshot(doc), before) << "a preview changes nothing";

    ASSERT_EQ(CreateInterface(doc, iface, &side, nullptr), 1);
    ASSERT_EQ(doc.m_pObjList->GetCount(), 3);
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(2));
    EXPECT_EQ(con->m_nStyle, toInterface);
    EXPECT_EQ(con->m_pFig1, iface);
    EXPECT_EQ(con->m_pFig2, node);
    EXPECT_EQ(con->m_nConPtId2, kConPtFixed);   // the meeting point is not the node's centre
    EXPECT_EQ(con->EndPoint1, CPoint(100, 30));
    EXPECT_EQ(con->EndPoint2, CPoint(300, 30));
    CStaple* link = doc.FindFigLink(iface, node);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Fig1PosX, 0);
    EXPECT_EQ(link->Fig1PosY, 127);

    // Moved below the node alone: the connector meets the bottom side.
    iface->m_rect = CRect(0, 200, 100, 260);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(ReattachInterface(doc, iface, node));
    doc.UndoEndStep();
    EXPECT_EQ(con->EndPoint2, CPoint(300, 60));
    EXPECT_EQ(link->Fig1PosY, kStaplePosMax);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(con->EndPoint2, CPoint(300, 30));
    EXPECT_EQ(link->Fig1PosY, 127);
    iface->m_rect = CRect(0, 0, 100, 60);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATEINTERFACE);
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(TrunksTest, ToInterfaceRefusals)
{
    KindFig* iface = Fig(12, 0);
    KindFig* plainFig = Fig(5, 600);
    EXPECT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 0) << "no node";
    Fig(1, 300);
    EXPECT_EQ(CreateInterface(doc, plainFig, nullptr, nullptr), 0) << "not a trunk object";
    doc.m_conStyles.GetAt(toInterface)->SetName("To interface");
    EXPECT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 0) << "the style name is exact";
    doc.m_conStyles.GetAt(toInterface)->SetName(kInterfaceStyleName);
    SetTrunkDiagramsForTest(false);
    EXPECT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 0);
    SetTrunkDiagramsForTest(true);
    EXPECT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
    // A figure inside the node has no side to meet.
    POINT meet{};
    int side = 0;
    iface->m_rect = CRect(310, 10, 320, 20);
    EXPECT_FALSE(FindInterfacePoint(iface, static_cast<CFigure*>(doc.m_pObjList->GetAt(2)), meet, side));
}

TEST_F(TrunksTest, TheStaplePassReattachesAnInterfaceMovedAlone)
{
    KindFig* iface = Fig(12, 0);
    KindFig* node = Fig(1, 300);
    ASSERT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(2));
    doc.UpdateAllStaples(0);
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(iface, CRect(0, 200, 100, 260)));
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_EQ(con->EndPoint2, CPoint(300, 60));
    EXPECT_EQ(iface->m_rect, CRect(0, 200, 100, 260)) << "the interface stays where it was put";
    EXPECT_EQ(doc.FindFigLink(iface, node)->Fig1PosY, kStaplePosMax);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(iface->m_rect, CRect(0, 0, 100, 60));
    EXPECT_EQ(con->EndPoint2, CPoint(300, 30));
}

TEST_F(TrunksTest, TrunkAutomaticEndTakesTheInterfacePointAndBecomesFixed)
{
    KindFig* iface = Fig(12, 0);   // centre (50,30)
    KindFig* node = Fig(1, 300);
    node->m_rect = CRect(300, -100, 400, 20);
    CConnector* con = Con(iface, node, toInterface);
    con->m_nConPtId2 = kConPtAuto;
    con->RecalcRoute();
    EXPECT_EQ(con->m_nConPtId2, kConPtFixed);
    EXPECT_EQ(con->EndPoint2, CPoint(300, 20)) << "the bottom side, below the interface's centre";

    // Without trunk diagrams the end stays automatic and aims at the centre.
    SetTrunkDiagramsForTest(false);
    con->m_nConPtId2 = kConPtAuto;
    con->RecalcRoute();
    EXPECT_EQ(con->m_nConPtId2, kConPtAuto);
    EXPECT_NE(con->EndPoint2, CPoint(300, 20));
}

TEST_F(TrunksTest, AFailedInterfaceLeavesNothingBehind)
{
    KindFig* iface = Fig(12, 0);
    Fig(1, 300);
    // An earlier step that must survive the roll-back.
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(iface, CRect(0, 0, 100, 60)));
    doc.UndoEndStep();
    const std::string before = Snapshot(doc);
    doc.m_pStapleList->FailAppendsForTest(true);   // the figure link cannot be added
    EXPECT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 0);
    doc.m_pStapleList->FailAppendsForTest(false);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(iface->m_nConnected, 0);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_MOVEOBJS);
}

TEST_F(TrunksTest, DraggingAnInterfaceLetsItsNodeEndChooseAgain)
{
    KindFig* iface = Fig(12, 0);   // (0,0)-(100,60)
    KindFig* node = Fig(1, 300);   // (300,0)-(400,60)
    ASSERT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(2));
    ConEndOffsets offsets;
    offsets.fig1 = CSize(0, 200);   // the interface is dragged below the node
    CPoint p1, p2;
    con->DrawTracking(nullptr, offsets, false, true, p1, p2);
    EXPECT_EQ(con->m_nConPtId2, kConPtAuto);
    EXPECT_EQ(p2, CPoint(300, 60)) << "the node's bottom side, under the moved centre";
    EXPECT_EQ(p1.y, 200) << "the interface's top side";

    // Both moving together: the ends keep their codes.
    con->m_nConPtId2 = kConPtFixed;
    offsets.fig2 = CSize(0, 200);
    con->DrawTracking(nullptr, offsets, false, true, p1, p2);
    EXPECT_EQ(con->m_nConPtId2, kConPtFixed);
    (void)node;
}

// An interface moved alone takes its labels along to the side away from the
// node, with their alignment; one Undo puts them back.
TEST_F(TrunksTest, ReattachedInterfaceRePlacesItsLabels)
{
    KindFig* iface = Fig(12, 0);
    KindFig* node = Fig(1, 300);
    ASSERT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
    CFigure* label = NewFig(doc, 0, 0, "name");
    label->SetRectNoUndo(CRect(0, 0, 60, 20));
    doc.AddFigWithId(label);
    auto* s = new CStaple(&doc);
    s->MakeFigLbl(iface, 0, 127, label, 255, 127, 0, 0);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    ASSERT_EQ(doc.PlaceFigLblAt(s, 11), 1) << "left of the interface, away from the node";
    doc.UpdateAllStaples(0);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    const WORD format = label->m_props.TextFormat;
    RecordingView view;
    doc.AddView(&view);

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(iface, CRect(0, 200, 100, 260)));
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_EQ(doc.FindFigLink(iface, node)->Fig1PosY, kStaplePosMax);
    CRect below;
    doc.CalcFigLblRect(iface, CSize(60, 20), 8, below, doc.GetFigLblGap());
    EXPECT_EQ(label->m_rect, below) << "below the interface below the node";
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 2 | 64);
    EXPECT_EQ(s->GetSideCodeExact(), 8);
    EXPECT_NE(std::find(view.hints.begin(), view.hints.end(), 0), view.hints.end()) << "the views were refreshed";

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(label->m_props.TextFormat, format);
    EXPECT_EQ(s->GetSideCodeExact(), 11);
    doc.RemoveView(&view);
}

TEST_F(TrunksTest, AnInterfaceStepHoldsEachRecordOnceAndAFailedLinkLeavesNoPin)
{
    KindFig* iface = Fig(12, 0);
    KindFig* node = Fig(1, 300);
    doc.ResetUndoLog();
    ASSERT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
    int len = 0;
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(&len), UDMAC_CREATEINTERFACE);
    EXPECT_EQ(len, 5 + 5 + 5 + 6) << "opening, connector creation, staple creation, trailer";
    ASSERT_EQ(doc.UndoLastStep(), UDMAC_CREATEINTERFACE);

    doc.m_pStapleList->FailAppendsForTest(true);
    EXPECT_FALSE(doc.LinkInterface(iface, node, CPoint(300, 30)));
    doc.m_pStapleList->FailAppendsForTest(false);
    EXPECT_EQ(iface->m_pStaple, nullptr);
    EXPECT_EQ(node->m_pStaple, nullptr);
}

// A label pinned to an interface takes its place, and its offset, from the
// trunk: beside the interface on the side away from its node, whatever
// position it was pinned at; the pin keeps that position's anchors. With
// the switch off it stays where it was dropped. One undo step either way.
TEST_F(TrunksTest, ALabelPinnedToAnInterfaceTakesItsOffsetFromTheTrunk)
{
    for (const bool trunks : {true, false}) {
        SetTrunkDiagramsForTest(true);
        const int x = trunks ? 0 : 2000;
        KindFig* iface = Fig(12, x);   // (x,0)-(x+100,60), left of the node
        Fig(1, x + 300);
        ASSERT_EQ(CreateInterface(doc, iface, nullptr, nullptr), 1);
        SetTrunkDiagramsForTest(trunks);
        CFigure* label = NewFig(doc, 0, 0, "name");
        label->SetRectNoUndo(CRect(500, 500, 560, 520));
        label->m_bLabel = 1;
        doc.AddFigWithId(label);
        doc.ResetUndoLog();
        const std::string before = Snapshot(doc);

        ASSERT_TRUE(doc.AttachLblAsFigLbl(label, iface, 2, false)) << trunks;
        CRect want(500, 500, 560, 520);
        if (trunks)
            doc.CalcFigLblRect(iface, CSize(60, 20), 11, want, doc.GetFigLblGap());
        EXPECT_EQ(label->m_rect, want) << trunks;
        CStaple* s = label->m_pStaple;
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Fig1PosX, 127);
        EXPECT_EQ(s->Fig1PosY, 0);
        EXPECT_EQ(s->Fig2PosX, 127);
        EXPECT_EQ(s->Fig2PosY, 255);
        // The offset runs from the interface's top centre to the label's
        // bottom centre where it now is.
        EXPECT_EQ(CPoint(s->OffsetX, s->OffsetY), CPoint(want.CenterPoint().x - (x + 50), want.bottom)) << trunks;
        doc.UndoLastStep();
        EXPECT_EQ(Snapshot(doc), before) << trunks;
    }
}

// In a trunk diagram trunk objects and the shape kinds 17 to 25 take no
// connection points; with the switch off every kind does.
TEST_F(TrunksTest, TrunkKindsTakeNoConnectionPoints)
{
    const struct {
        int kind;
        bool accepts;
    } rows[] = {{16, true}, {17, false}, {21, false}, {25, false}, {26, true}, {12, false}, {9, false}, {3, true}};
    int x = 0;
    for (const auto& r : rows) {
        KindFig* f = Fig(r.kind, x += 200);
        SetTrunkDiagramsForTest(true);
        EXPECT_EQ(doc.AcceptsConPts(f), r.accepts) << r.kind;
        SetTrunkDiagramsForTest(false);
        f->ResetStockKind();
        EXPECT_TRUE(doc.AcceptsConPts(f)) << r.kind;
    }
}

// A connector given another style takes that style's kind at once.
TEST_F(TrunksTest, AConnectorGivenAnotherStyleTakesItsKind)
{
    CConnector* c = Con(Fig(3, 0), Fig(3, 400), plain);
    ASSERT_NE(c->GetStockKind(), 16);
    doc.ClearSel(false);
    doc.SelectObj(c, 1, 0, 0);
    ConApplyOptions options;
    options.style = toInterface;
    options.styleChanged = true;
    ApplyConPropsToSelection(doc, c->m_props, CConPropMask(), options);
    EXPECT_EQ(c->m_nStyle, toInterface);
    EXPECT_EQ(c->GetStockKind(), 16);
    EXPECT_TRUE(IsInterfaceCon(c));
}
