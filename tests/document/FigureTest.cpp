// Figures: texts and their areas, copies, bounding rectangles, compass cells,
// anchors and resizing.
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "shapes/CFigSymbol.h"
#include "shapes/COutlineWriter.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {
CFigure MakeFig(CKavoDoc* doc, int x = 100, int y = 100, int w = 300, int h = 150)
{
    CFigProps props;
    return CFigure(x, y, h, w, props, -1, 0, "", "", CFigure::CreateArgs(), doc);
}
} // namespace

TEST(FigureText, Sections)
{
    EXPECT_EQ(ReplaceTextSection("", 2, "c"), "\\sect \\sect c");
    EXPECT_EQ(ReplaceTextSection("a\\sect b", 0, "x"), "x\\sect b");
    EXPECT_EQ(GetTextSection("a\\sect b", 1), "b");
    EXPECT_EQ(GetTextSection("a\\sect b", 5), "");
    EXPECT_TRUE(IsOnlySeparators("\\sect \\sect "));
    EXPECT_FALSE(IsOnlySeparators("\\sect x"));

    CKavoDoc doc;
    CFigure f = MakeFig(&doc);
    f.SetText("one", "init", -1);
    f.SetText("two", "", 1);   // a figure without text areas: only the first text changes
    EXPECT_EQ(f.m_strText, "one\\sect two");
    EXPECT_EQ(f.m_strSecondText, "init");
    std::string t, s;
    f.GetText(t, s, 1);
    EXPECT_EQ(t, "two");
    f.SetText("", "", 0);
    f.SetText("", "", 1);
    EXPECT_EQ(f.m_strText, "");   // not a bare separator
    EXPECT_FALSE(f.HasText());
    f.SetText(std::string(5000, 'x'), std::string(2000, 'y'), -1);
    EXPECT_EQ(f.m_strText.size(), 4095u);
    EXPECT_EQ(f.m_strSecondText.size(), 1024u);
    f.SetText("z", "", 40);   // past the 32 areas: refused
    EXPECT_EQ(f.m_strText.size(), 4095u);
    f.SetText("\\sect \\sect ", "", -1);
    EXPECT_FALSE(f.HasText());
}

TEST(Figure, CopyKeepsTheCountButNotTheAttachments)
{
    CKavoDoc doc;
    CFigure f = MakeFig(&doc);
    CConnector c(&doc);
    f.m_pAttachedCon1 = &c;
    f.m_nConnected = 3;
    f.m_bSelected = 1;
    f.m_nId = 9;
    CFigure copy(f);
    EXPECT_EQ(copy.m_nConnected, 3);
    EXPECT_EQ(copy.m_pAttachedCon1, nullptr);
    EXPECT_EQ(copy.m_bSelected, 0);
    EXPECT_EQ(copy.m_nId, 9);
    EXPECT_EQ(copy.m_rect, f.m_rect);
    CFigure assigned(&doc);
    assigned = f;
    EXPECT_EQ(assigned.m_bSelected, 1);
    EXPECT_EQ(assigned.m_pAttachedCon1, nullptr);
}

TEST(Figure, GeometryQueries)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 0, 0, 300, 300);
    EXPECT_EQ(f.m_rect, CRect(0, 0, 300, 300));
    EXPECT_EQ(f.CompassCell(150, 150), 3);   // the centre answers as top-right does
    EXPECT_EQ(f.CompassCell(250, 50), 3);
    EXPECT_EQ(f.CompassCell(10, 10), 1);
    EXPECT_EQ(f.CompassCell(10, 150), 4);
    EXPECT_EQ(f.CompassCell(290, 290), 8);
    EXPECT_EQ(f.CompassCell(400, 10), 0);
    EXPECT_EQ(RectHandlePoint(8, f.m_rect), CPoint(150, 300));
    EXPECT_EQ(RectHandlePoint(0, f.m_rect), CPoint(0, 0));

    CFigure odd = MakeFig(&doc, -5, -5, 0, 0);
    odd.m_rect = CRect(-5, -5, 0, 0);
    odd.m_props.Behavior.low = 2 | 16;
    EXPECT_EQ(odd.GetConLabelAnchor(), CPoint(-3, -3));   // -5 + 5/2 toward zero
    odd.m_props.Behavior.low = 1 | 32;
    EXPECT_EQ(odd.GetConLabelAnchor(), CPoint(-5, -5));
    odd.m_props.Behavior.low = 0;
    EXPECT_EQ(odd.GetConLabelAnchor(), CPoint(0, 0));

    CRect r;
    f.GetBoundRect(r, 3, 10);
    EXPECT_EQ(r, CRect(-6, -6, 306, 306));
    f.GetBoundRect(r, 4, 10);
    EXPECT_EQ(r, f.m_rect);
    f.m_bSelected = 1;
    f.GetBoundRect(r, 4, 10);
    EXPECT_EQ(r, CRect(-6, -6, 306, 306));
}

TEST(Figure, JunctionBoundsAndClasses)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 0, 0, 15, 15);
    f.m_props.Symbol = 0;   // "null": no fill, no outline
    EXPECT_TRUE(f.IsStyleBlank());
    EXPECT_FALSE(f.IsInvisible());
    f.m_nConnected = 1;
    EXPECT_TRUE(f.IsInvisible());
    EXPECT_TRUE(f.IsBranchJct());
    CRect r;
    f.GetBoundRect(r, 2, 6);
    EXPECT_EQ(r, CRect(1, 1, 13, 13));
    f.m_nConnected = 2;
    EXPECT_TRUE(f.IsRedundantJct());
    f.TerminalJct = 1;
    EXPECT_FALSE(f.IsRedundantJct());
    EXPECT_TRUE(f.IsBranchJct());
    f.SetText("x", "", -1);
    EXPECT_FALSE(f.IsInvisible());
}

TEST(Figure, ResizeAnchorsAndSymmetry)
{
    CKavoDoc doc;
    CFigure f = MakeFig(&doc, 100, 100, 200, 100);
    // The default word resizes symmetrically (high 256 and 512): start clear.
    f.m_props.Behavior = FigFlagSet{};
    const FigFlagSet saved = f.m_props.Behavior;
    CRect out;
    // Handle 9 (bottom-right) anchors the top-left corner.
    f.Resize(out, 9, 400, 300, false);
    EXPECT_EQ(out, CRect(100, 100, 400, 300));
    EXPECT_EQ(f.m_rect, CRect(100, 100, 300, 200));   // not applied
    EXPECT_EQ(f.m_props.Behavior, saved);
    // Handle 7 with high 256: symmetric about the centre horizontally.
    f.m_props.Behavior.high |= 256;
    f.Resize(out, 7, 150, 250, true);
    EXPECT_EQ(out.CenterPoint().x, 200);
    EXPECT_EQ(out.Width(), 100);
    EXPECT_EQ(out.top, 100);
    EXPECT_EQ(out.bottom, 250);
    EXPECT_EQ(f.m_rect, out);
    // Past the fixed side the size becomes 0.
    f.m_props.Behavior.high &= ~DWORD(256);
    f.Resize(out, 4, 9999, 0, false);
    EXPECT_EQ(out.Width(), 0);

    CFigure aspect = MakeFig(&doc, 0, 0, 200, 100);
    aspect.m_props.Behavior = FigFlagSet{0x400000, 0};
    aspect.Resize(out, 9, 400, 100, false);
    EXPECT_EQ(out.Size(), CSize(400, 200));
    aspect.Resize(out, 6, 400, 100, false);   // a side handle: no aspect kept
    EXPECT_EQ(out.Size(), CSize(400, 100));

    EXPECT_TRUE(f.Offset(10, 0, false, true));
    EXPECT_FALSE(f.Offset(0, 0, false, true));
}

TEST(Figure, OutlineHitTest)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 0, 0, 2048, 2048);
    const POINT diamond[4] = {{1024, 0}, {2048, 1024}, {1024, 2048}, {0, 1024}};
    EXPECT_FALSE(f.SetPolyPoints(3, diamond));
    ASSERT_TRUE(f.SetPolyPoints(4, diamond));
    EXPECT_EQ(f.HitTest(1024, 1024, 0, false, false), 1);
    EXPECT_EQ(f.HitTest(50, 50, 0, false, false), 0);   // inside the rectangle, outside the outline
    EXPECT_EQ(f.HitTest(3000, 50, 0, false, false), 0);
    EXPECT_TRUE(f.HitTestCenter(CPoint(1024, 1024), 4));
}

TEST(Figure, HandlesInOrderAndLateralLabelSides)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 0, 0, 100, 100);
    EXPECT_EQ(f.HitTestHandles(CPoint(0, 0), 6), 1);
    EXPECT_EQ(f.HitTestHandles(CPoint(99, 99), 6), 9);
    EXPECT_EQ(f.HitTestHandles(CPoint(49, 99), 6), 8);
    EXPECT_EQ(f.HitTestHandles(CPoint(50, 50), 6), 0);
    // A handle square large enough to hold two handles answers in the fixed order.
    CFigure small = MakeFig(&doc, 0, 0, 4, 4);
    EXPECT_EQ(small.HitTestHandles(CPoint(1, 1), 10), 1);

    CStaple lateral(&doc, kStapleLatLabel);
    f.m_bLabel = 1;
    f.m_pStaple = &lateral;
    f.m_props.TextFormat = 0x01 | 0x40;   // blocks the right and bottom sides
    EXPECT_FALSE(f.HandleAllowed(6));
    EXPECT_FALSE(f.HandleAllowed(8));
    EXPECT_TRUE(f.HandleAllowed(4));
    EXPECT_EQ(f.HitTestHandles(CPoint(99, 99), 6), 0);
    f.m_pStaple = nullptr;
}

TEST(Figure, FeedbackCrossIsDrawnInXor)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 10, 10, 20, 20);
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    CFigure::FeedbackContext ctx;
    ctx.crossHalfSize = 3;
    {
        CPainterDC dc(&img);
        f.DrawFeedback(&dc, ctx, nullptr, true);
    }
    EXPECT_EQ(img.pixel(20, 18) & 0xFFFFFF, 0x808080u);   // white XOR (white XOR 0x808080)
    EXPECT_EQ(img.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);   // both strokes cross there
    EXPECT_EQ(img.pixel(23, 20) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(img.pixel(24, 20) & 0xFFFFFF, 0xFFFFFFu);
    {
        CPainterDC dc(&img);
        f.DrawFeedback(&dc, ctx, nullptr, true);   // drawn twice: gone
    }
    EXPECT_EQ(img.pixel(20, 18) & 0xFFFFFF, 0xFFFFFFu);
    f.m_props.Behavior.high |= 4;
    {
        CPainterDC dc(&img);
        f.DrawFeedback(&dc, ctx, nullptr, true);
    }
    EXPECT_EQ(img.pixel(20, 18) & 0xFFFFFF, 0xFFFFFFu);   // high 4: no cross
}

TEST(Figure, HitOnlyOnTheDrawnPartsOfTheOutline)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    ASSERT_NE(sym, nullptr);
    COutlineWriter w(sym->m_program.data(), CFigSymbol::kProgramSize);
    sym->m_nOutlinePos = w.Pos();
    w.Line(CFltPoint(0, 0), CFltPoint(2048, 2048));
    w.End(kOpEndOutline);
    sym->m_nProgramLength = w.Pos();
    sym->SetName("Diagonal");
    CFigure f = MakeFig(&doc, 0, 0, 1001, 1001);
    f.m_props.Symbol = doc.m_figSymbols.GetCount() - 1;
    f.m_props.Behavior.low |= 0x8000000;
    EXPECT_EQ(f.HitTest(500, 500, 4, false, true), 1);
    EXPECT_EQ(f.HitTest(800, 100, 4, false, true), 0);
    f.m_props.Behavior.low &= ~DWORD(0x8000000);
    EXPECT_EQ(f.HitTest(800, 100, 4, false, true), 1);   // the whole rectangle counts
}

TEST(Figure, SymbolHotZoneIsTheOutline)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    const CFltPoint diamond[4] = {{1024, 0}, {2048, 1024}, {1024, 2048}, {0, 1024}};
    ASSERT_TRUE(sym->m_hotZone.Set(4, diamond));
    sym->SetName("Diamond");
    CFigure f = MakeFig(&doc, 0, 0, 1000, 1000);
    f.m_props.Symbol = doc.m_figSymbols.GetCount() - 1;
    EXPECT_TRUE(f.HasOutline());
    std::vector<CPoint> pts;
    EXPECT_EQ(f.GetOutlinePoints(pts), 4);
    EXPECT_EQ(f.HitTest(500, 500, 0, false, false), 1);
    EXPECT_EQ(f.HitTest(20, 20, 0, false, false), 0);
}

TEST(Figure, NearestOutlinePointAndOffsetRect)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    COutlineWriter w(sym->m_program.data(), CFigSymbol::kProgramSize);
    sym->m_nOutlinePos = w.Pos();
    w.Line(CFltPoint(0, 1024), CFltPoint(2048, 1024));
    w.End(kOpEndOutline);
    sym->m_nProgramLength = w.Pos();
    sym->SetName("Bar");
    CFigure f = MakeFig(&doc, 0, 0, 1001, 1001);
    POINT pt{300, 100};
    EXPECT_EQ(f.NearestOutlinePoint(pt), 0);   // symbol 0 has no outline program
    f.m_props.Symbol = doc.m_figSymbols.GetCount() - 1;
    ASSERT_EQ(f.NearestOutlinePoint(pt), 1);
    EXPECT_EQ(pt.x, 300);
    EXPECT_EQ(pt.y, 500);

    const FigFlagSet saved = f.m_props.Behavior;
    CRect out;
    f.OffsetRect(out, 10, 20, -5, 0, false);
    EXPECT_EQ(out, CRect(10, 20, 996, 1001));
    EXPECT_EQ(f.m_rect, CRect(0, 0, 1001, 1001));
    EXPECT_EQ(f.m_props.Behavior, saved);
}

TEST(Figure, ConstructorPresetsAndSizingFlags)
{
    CKavoDoc doc;
    CFigProps props;
    props.TextFormat = 0x145;
    CFigure::CreateArgs args;
    args.labelPreset = true;
    args.clearVerticalCentring = true;
    args.newFigureSizing = true;
    CFigure label(10, 20, 30, 40, props, -1, 1, "L", "", args, &doc);
    EXPECT_EQ(label.m_props.TextFormat, 0x122);
    EXPECT_EQ(label.m_rect, CRect(10, 20, 50, 50));
    // Sizing borrowed bits of the word; the word afterwards is the preset's.
    FigFlagSet expected = props.Behavior;
    SetFigFlagsPresetD(expected);
    EXPECT_EQ(label.m_props.Behavior, expected);
    EXPECT_EQ(label.m_bLabel, 1);
    EXPECT_EQ(label.m_strText, "L");
    CFigure negative(0, 0, -5, -5, props, -1, 0, "", "", CFigure::CreateArgs(), &doc);
    EXPECT_EQ(negative.m_rect, CRect(0, 0, 0, 0));
}

TEST(Figure, FeedbackAtAnOffsetAndCornersInARegion)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigure f = MakeFig(&doc, 0, 0, 20, 20);
    f.m_props.Behavior.high &= ~DWORD(256 | 512);
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    CFigure::FeedbackContext ctx;
    ctx.crossHalfSize = 3;
    {
        CPainterDC dc(&img);
        f.OffsetAndDraw(&dc, ctx, 10, 10, true);
    }
    EXPECT_EQ(img.pixel(20, 18) & 0xFFFFFF, 0x808080u);   // the cross at the moved centre
    EXPECT_EQ(f.m_rect, CRect(0, 0, 20, 20));             // the figure itself stays

    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(-1, -1, 22, 22));
    EXPECT_TRUE(f.IsAllInRgn(region));
    f.m_rect.right = 30;
    EXPECT_FALSE(f.IsAllInRgn(region));
    const POINT poly[4] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    ASSERT_TRUE(f.SetPolyPoints(4, poly));
    EXPECT_EQ(f.GetOutlineSource(), 1);   // the own polygon comes first
}
