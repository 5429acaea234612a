// The trunk tests' kind lists, the choice of node and junction for an
// interface, and the association direction commands.
#include "app/AppStartup.h"
#include "core/ProgramFolders.h"
#include "document/CStaple.h"
#include "document/TrunkInterfaces.h"
#include "document/Trunks.h"
#include "geometry/IntGeometry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TrunkTestSupport.h"

namespace {
class TrunkRulesTest : public TrunksTest {};
} // namespace


TEST_F(TrunkRulesTest, KindsOfTrunkObjectsAndNodes)
{
    const struct { int kind; bool object, node; } cases[] = {
        {12, true, false}, {9, true, false}, {3, false, true}, {4, false, true}, {1, false, true},
        {2, false, true},  {26, false, true}, {5, false, false}, {11, false, false}, {20, false, false},
    };
    int x = 0;
    for (const auto& c : cases) {
        KindFig* f = Fig(c.kind, x += 200);
        EXPECT_EQ(f->IsTrunkObj(), c.object) << c.kind;
        EXPECT_EQ(f->IsTrunkNode(), c.node) << c.kind;
    }
}

TEST_F(TrunkRulesTest, AnInterfaceJoinsTheNearestNodeThatDoesNotHoldIt)
{
    KindFig* iface = Fig(12, 0);
    iface->m_rect = CRect(100, 100, 160, 140);
    KindFig* around = Fig(3, 0);   // holds the interface: never its node
    around->m_rect = CRect(0, 0, 1000, 1000);
    KindFig* node = Fig(1, 0);
    node->m_rect = CRect(400, 100, 500, 140);
    EXPECT_EQ(doc.FindTrunkNodeFor(iface), node);
    // A node it only overlaps still counts, and here it is nearer.
    KindFig* overlapped = Fig(2, 0);
    overlapped->m_rect = CRect(150, 100, 250, 140);
    EXPECT_EQ(doc.FindTrunkNodeFor(iface), overlapped);
}

TEST_F(TrunkRulesTest, LinkedJunctionOnTheInterfacesSideAndTheFirstOfEqualDistances)
{
    KindFig* node = Fig(3, 0);
    node->m_rect = CRect(0, 0, 400, 200);
    KindFig* iface = Fig(12, 0);
    iface->m_rect = CRect(-100, 80, -60, 120);   // left of the node, centre (-80, 100)
    // Off the node's top-left corner a junction faces the top first and the
    // left second: the second side counts too.
    KindFig* corner = Fig(60, 0);
    corner->m_rect = CRect(-30, -30, -20, -20);
    Link(node, corner);
    EXPECT_EQ(doc.FindLinkedJunction(iface, node), corner);
    // Two junctions as near as each other: the first in the list stays.
    KindFig* first = Fig(59, 0);
    first->m_rect = CRect(-85, 45, -75, 55);   // centre (-80, 50), 50 away
    KindFig* second = Fig(11, 0);
    second->m_rect = CRect(-85, 145, -75, 155);   // centre (-80, 150), 50 away
    Link(node, first);
    Link(node, second);
    EXPECT_EQ(doc.FindLinkedJunction(iface, node), first);
}

TEST_F(TrunkRulesTest, DirectionCommandsSetTheirValueForOneSelectedLabel)
{
    KindFig* a = Fig(2, 0);
    KindFig* b = Fig(2, 400);
    KindFig* label = Fig(20, 200);
    label->m_bLabel = 1;
    CConnector* con = Con(a, b, association);
    auto* s = new CStaple(&doc);
    s->MakeLatLbl(con, con->GetMidPoint(), label, 12, 0);
    doc.AddStapleWithId(s);
    doc.Select(label);
    const struct { int command, value; } cases[] = {
        {kCmdAssocDirForward, 1}, {kCmdAssocDirBackward, 2}, {kCmdAssocDirNone, 0}, {kCmdAssocDirForward, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.OnAssociationDirection(c.command), 1) << c.command;
        EXPECT_EQ(label->AssociationIndicator, c.value) << c.command;
    }
    // With a second object selected nothing changes.
    doc.Select(a);
    EXPECT_EQ(doc.OnAssociationDirection(kCmdAssocDirNone), 0);
    EXPECT_EQ(label->AssociationIndicator, 1);
}

TEST_F(TrunkRulesTest, ToInterfaceThroughAKind11JunctionRunsCentreToCentre)
{
    KindFig* iface = Fig(12, 0);   // (0,0)-(100,60), centre (50,30)
    KindFig* node = Fig(1, 300);   // (300,0)-(400,60)
    KindFig* jct = Fig(11, 0);
    jct->m_rect = CRect(200, 40, 220, 60);   // centre (210,50), left of the node like the interface
    Link(node, jct);
    ASSERT_EQ(doc.FindLinkedJunction(iface, node), jct);
    InterfacePreview preview;
    int side = 0;
    ASSERT_EQ(CreateInterface(doc, iface, &side, &preview), 1);
    // Both ends on the line between the centres, each on its figure's side.
    EXPECT_EQ(preview.start, CPoint(100, 36));
    EXPECT_EQ(preview.end, CPoint(200, 49));
}
