#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "core/Units.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/OldNames.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Captures the diagnostic trace of one test.
class TraceCapture {
public:
    TraceCapture()
    {
        SetProgramFolderForTest(m_dir.path());
        g_bDiagnostics = true;
        InitDiagnostics();
        m_start = Read().size();
    }
    std::string Lines() const { return Read().mid(m_start).toStdString(); }

private:
    QByteArray Read() const
    {
        QFile f(m_dir.path() + "/Diags.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
    qsizetype m_start = 0;
};

CFltPoint Grid(double a, double b)
{
    ScaleFloatPair2048(a, b);
    return CFltPoint(float(a), float(b));
}
} // namespace

TEST(ConPtList, AddFindAndIds)
{
    CConPtList list;
    EXPECT_EQ(list.AddConPt(CFltPoint(0, 0), "a", 0, false, -1), 1);
    EXPECT_EQ(list.AddConPt(CFltPoint(0, 0), "again", 0, false, -1), 1) << "equal position gives its id";
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.AddConPt(CFltPoint(0, 0), "dup", 0, true, -1), 2) << "noSearch adds";
    EXPECT_EQ(list.AddConPt(CFltPoint(5, 5), "x", 0, true, 10), 10);
    EXPECT_EQ(list.AddConPt(CFltPoint(6, 6), "y", 0, true, 4), 4) << "explicit id never lowers the next";
    EXPECT_EQ(list.AddConPt(CFltPoint(7, 7), "z", 0, true, -1), 11);
    // A damaged file naming an id twice: the newcomer gets a fresh id.
    EXPECT_EQ(list.AddConPt(CFltPoint(8, 8), "w", 0, true, 10), 12);
    EXPECT_EQ(list.AddConPt(CFltPoint(9, 9), std::string(300, 'n'), 0, true, -1), 13);
    EXPECT_EQ(list.FindById(13)->m_strName.size(), 255u);
    EXPECT_EQ(list.FindById(0), nullptr);
    list.RenumberIds();
    EXPECT_EQ(list.GetIdAt(6), 7);
    EXPECT_EQ(list.AddConPt(CFltPoint(1, 2), "", 0, true, -1), 8);

    CConPtList full;
    for (int i = 0; i < CConPtList::kMaxPoints; ++i)
        ASSERT_GT(full.AddConPt(CFltPoint(float(i), 0), "", 0, true, -1), 0);
    EXPECT_EQ(full.AddConPt(CFltPoint(1, 1), "", 0, true, -1), -1);
    EXPECT_EQ(full.GetCount(), CConPtList::kMaxPoints);
}

TEST(ConPtList, PositionsInARectangle)
{
    CConPtList list;
    const int centre = list.AddConPt(CFltPoint(1024, 1024, 1, 2), "", 0, true, -1);
    const int corner = list.AddConPt(CFltPoint(2048, 0), "", 0, true, -1);
    const int midX = list.AddConPt(CFltPoint(1024, 2048), "", 0, true, -1);
    const RECT rc{0, 0, 101, 51};
    CPoint pt;
    ASSERT_EQ(list.GetConPtPoint(centre, rc, pt), 1);
    EXPECT_EQ(pt, CPoint(50, 25)) << "exact centre is the integer midpoint whatever the modes";
    ASSERT_EQ(list.GetConPtPoint(corner, rc, pt), 1);
    EXPECT_EQ(pt, CPoint(101, 0));
    ASSERT_EQ(list.GetConPtPoint(midX, rc, pt), 1);
    EXPECT_EQ(pt, CPoint(50, 51));
    EXPECT_EQ(list.GetConPtPoint(99, rc, pt), 0);
    EXPECT_EQ(list.GetConPtPoint(-1, rc, pt), 0);
}

TEST(ConPtList, MovedPointOnTheRightBorderStaysThere)
{
    CConPtList list;
    const int id = list.AddConPt(CFltPoint(2048, 1024), "", 0, true, -1);
    const RECT rc{0, 0, 100, 100};
    ASSERT_EQ(list.MoveConPt(id, rc, 0, 10), 1);
    EXPECT_EQ(list.FindById(id)->m_pos.x, 2048.0f);
    EXPECT_EQ(list.FindById(id)->m_pos.y, 2048.0f * 60 / 100);
    ASSERT_EQ(list.MoveConPt(id, rc, 500, 500), 1) << "clamped into the rectangle";
    EXPECT_EQ(list.FindById(id)->m_pos, CFltPoint(2048, 2048));
    EXPECT_EQ(list.MoveConPt(42, rc, 1, 1), 0);
}

TEST(ConPtList, FreePositionsAndCopies)
{
    CConPtList list;
    CFltPoint pos;
    list.FindFreePos(pos, false, false);
    EXPECT_EQ(pos, Grid(500, 500));
    list.AddConPt(pos, "", 0, true, -1);
    list.FindFreePos(pos, false, true);
    EXPECT_EQ(pos, Grid(100, 500));
    list.FindFreePos(pos, true, false);
    EXPECT_EQ(pos, Grid(500, 100));
    list.FindFreePos(pos, false, false);
    EXPECT_EQ(pos, Grid(100, 100));
    for (int step = 100; step <= 800; step += 100)
        list.AddConPt(Grid(step, step), "", 0, true, -1);
    list.FindFreePos(pos, false, false);
    EXPECT_EQ(pos, Grid(500, 500)) << "all used";

    CConPtList src;
    src.AddConPt(CFltPoint(1, 1), "a", 0, true, -1);
    src.AddConPt(CFltPoint(2, 2), "b", 1, true, -1);
    src.AddConPt(CFltPoint(1, 1), "c", 0, true, -1);
    CConPtList copy;
    copy.CopyFromEx(src, true);
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_EQ(copy.GetIdAt(1), 3);
    copy.AddUnflagged(src);
    EXPECT_EQ(copy.GetCount(), 1) << "flag left out, equal positions merged";
    EXPECT_EQ(copy.GetAt(0)->m_strName, "a");
    EXPECT_EQ(copy.GetAt(0)->m_nFlag, 0);
}

TEST(FigureAttach, SlotsCountAndTrace)
{
    TraceCapture trace;
    CFigure fig;
    fig.m_nId = 7;
    CConnector a, b, c;
    a.m_nId = 1;
    b.m_nId = 2;
    c.m_nId = 3;
    fig.AttachCon(&a);
    fig.AttachCon(&a);
    EXPECT_EQ(fig.m_nConnected, 2) << "the count rises even for a connector already in a slot";
    fig.AttachCon(&b);
    fig.AttachCon(&c);
    EXPECT_EQ(fig.m_nConnected, 4);
    EXPECT_EQ(fig.m_pAttachedCon1, &a);
    EXPECT_EQ(fig.m_pAttachedCon2, &b);
    EXPECT_EQ(fig.OtherAttachedCon(&a), &b);
    EXPECT_EQ(fig.OtherAttachedCon(&c), nullptr);
    fig.DetachCon(&a);
    EXPECT_EQ(fig.m_pAttachedCon1, &b) << "slot 2 moves into slot 1";
    EXPECT_EQ(fig.m_pAttachedCon2, nullptr);
    fig.UpdateAttached(&c);
    EXPECT_EQ(fig.m_pAttachedCon2, &c);
    EXPECT_EQ(fig.m_nConnected, 3) << "update never changes the count";
    fig.AttachCon(nullptr);
    EXPECT_EQ(trace.Lines(), "ACDC: Fig 7, attaching con 1\n"
                             "ACDC:   Attaching to m_pAttachedCon1\n"
                             "ACDC: Fig 7, attaching con 1\n"
                             "ACDC: Fig 7, attaching con 2\n"
                             "ACDC:   Attaching to m_pAttachedCon2\n"
                             "ACDC: Fig 7, attaching con 3\n"
                             "ACDC:   Attached fields occupied\n"
                             "ACDC: Fig 7, detaching con 1\n"
                             "ACDC:   Clearing m_pAttachedCon1\n"
                             "ACDC:   Moving 2 from m_pAttachedCon2 to 1\n"
                             "ACDC: Fig 7, update attach to con 3\n"
                             "ACDC:   Attach to m_pAttachedCon2\n"
                             "ACDC: Fig 7, tried to attach NULL con\n");
}

TEST(FigureAttach, DetachOfAnUnregisteredEndKeepsTheCountAtZero)
{
    CFigure fig;
    CConnector con;
    fig.DetachCon(&con);
    fig.DetachCon(&con);
    EXPECT_EQ(fig.m_nConnected, 0);
    EXPECT_FALSE(fig.HasConnected());
}

TEST(FigureAttach, ConnectionPointPositions)
{
    CFigure fig;
    fig.m_pConPts = std::make_unique<CConPtList>();
    const int id = fig.m_pConPts->AddConPt(CFltPoint(0, 2048), "", 0, true, -1);
    const RECT rc{10, 20, 110, 70};
    CFltPoint out;
    ASSERT_EQ(fig.GetConPtPos(-2, rc, out), 1);
    EXPECT_EQ(out.RoundToPoint(), CPoint(60, 45));
    ASSERT_EQ(fig.GetConPtPos(id, rc, out), 1);
    EXPECT_EQ(out.RoundToPoint(), CPoint(10, 70));
    fig.SetFlags(0x80000, 0, true);
    EXPECT_EQ(fig.GetConPtPos(id, rc, out), 0) << "own points switched off";
}

TEST(OldNames, RenamedOnlyBelowTheRowVersion)
{
    std::string name = "[swim lanes 3]:2";
    EXPECT_TRUE(RenameOldSwimLaneSymbol(5.05, name));
    EXPECT_EQ(name, "[partition 1x3]:2");
    name = "[swim lanes 3]";
    EXPECT_FALSE(RenameOldSwimLaneSymbol(5.06, name)) << "a 5.06 file keeps the old name";
    name = "[Swim lanes 3]";
    EXPECT_FALSE(RenameOldSwimLaneSymbol(4.0, name));
    name = "Swim Lanes (8)";
    EXPECT_TRUE(RenameOldSwimLaneStyle(5.0, name));
    EXPECT_EQ(name, "Partition 1x8");
    name = "Swim Lanes (8):1";
    EXPECT_FALSE(RenameOldSwimLaneStyle(5.0, name)) << "styles keep their suffix handling out";
}
