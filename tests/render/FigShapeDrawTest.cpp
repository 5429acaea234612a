#include "render/FigGlyphs.h"
#include "render/FigShapeDraw.h"
#include "render/FigShapePasses.h"

#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/LoggingDC.h"
#include "shapes/SymbolTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A rectangle symbol with three text boxes side by side.
SymbolBuilder BoxSymbol()
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 0, 682, 2048), CFltRect(683, 0, 1365, 2048), CFltRect(1366, 0, 2048, 2048)});
    return b;
}

ShapeDrawAttrs Attrs(const CFigSymbol* symbol)
{
    ShapeDrawAttrs a;
    a.m_symbol = symbol;
    a.m_fill.m_nKind = 1;
    a.m_fill.m_crColor1 = RGB(255, 0, 0);
    a.m_borderColor = RGB(0, 0, 0);
    return a;
}

struct Canvas {
    QImage image{80, 60, QImage::Format_RGB32};
    CPainterDC dc{&image};
    Canvas() { image.fill(Qt::white); }
    QRgb At(int x, int y)
    {
        dc.Flush();
        return image.pixel(x, y) & 0xFFFFFF;
    }
};

std::vector<std::string> g_pieces;
std::vector<CRect> g_boxes;
void RecordText(CDC&, const FigTextPiece& piece)
{
    g_pieces.push_back(piece.text);
    g_boxes.push_back(piece.box);
}

} // namespace

TEST(FigShapeDraw, FillThenBorderThroughEitherPath)
{
    SymbolBuilder b = BoxSymbol();
    const ShapeDrawAttrs a = Attrs(&b.sym);
    for (bool smooth : {false, true}) {
        Canvas c;
        CGraphics g(&c.dc);
        DrawFigShape(smooth ? &g : nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
        EXPECT_EQ(c.At(35, 25), 0xFF0000u) << smooth;
        EXPECT_EQ(c.At(10, 25), 0x000000u) << smooth;
        EXPECT_EQ(c.At(5, 5), 0xFFFFFFu) << smooth;
    }
}

TEST(FigShapeDraw, NothingForEmptyRectanglesOrMissedClips)
{
    SymbolBuilder b = BoxSymbol();
    ShapeDrawAttrs a = Attrs(&b.sym);
    Canvas c;
    DrawFigShape(nullptr, &c.dc, RECT{10, 10, 10, 40}, &a);
    EXPECT_EQ(c.At(10, 25), 0xFFFFFFu);

    // A clip that only touches the (widened) figure lets it be drawn.
    const RECT touching{61, 0, 70, 60}, missing{62, 0, 70, 60};
    a.m_clipRect = &missing;
    DrawFigShape(nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
    EXPECT_EQ(c.At(35, 25), 0xFFFFFFu);
    a.m_clipRect = &touching;
    DrawFigShape(nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
    EXPECT_EQ(c.At(35, 25), 0xFF0000u);
}

// The figure (10, 10, 60, 40) widened to (10, 10, 61, 41) meets a clip
// widened alike when they share an edge on any side, and not one unit apart.
TEST(FigShapeDraw, ClipsThatTouchOrMissOnEverySide)
{
    SymbolBuilder b = BoxSymbol();
    ShapeDrawAttrs a = Attrs(&b.sym);
    struct Case { RECT clip; bool drawn; };
    for (const Case& k : {Case{{61, 0, 70, 60}, true}, Case{{62, 0, 70, 60}, false},
                          Case{{0, 0, 9, 60}, true},   Case{{0, 0, 8, 60}, false},
                          Case{{0, 0, 80, 9}, true},   Case{{0, 0, 80, 8}, false},
                          Case{{0, 41, 80, 60}, true}, Case{{0, 42, 80, 60}, false}}) {
        Canvas c;
        a.m_clipRect = &k.clip;
        DrawFigShape(nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
        EXPECT_EQ(c.At(35, 25), k.drawn ? 0xFF0000u : 0xFFFFFFu)
            << k.clip.left << "," << k.clip.top << "," << k.clip.right << "," << k.clip.bottom;
    }
}

TEST(FigShapeDraw, PictureFiguresWithoutDataShowCornerMarks)
{
    ShapeDrawAttrs a = Attrs(nullptr);
    a.m_pictureKind = 3;
    Canvas c;
    DrawFigShape(nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
    EXPECT_EQ(c.At(10, 10), 0u);
    EXPECT_EQ(c.At(12, 10), 0u);
    EXPECT_EQ(c.At(35, 25), 0xFFFFFFu);
    // Each mark is a fifth of the shorter side (31 + 1) / 5 = 6 long.
    EXPECT_EQ(c.At(15, 10), 0u);
    EXPECT_EQ(c.At(17, 10), 0xFFFFFFu);
    EXPECT_EQ(c.At(10, 15), 0u);
    EXPECT_EQ(c.At(10, 17), 0xFFFFFFu);

    // In feedback mode the marks are inverted, never the picture.
    a.m_drawMode = 2;
    a.m_borderColor = RGB(255, 255, 255);
    Canvas inverted;
    DrawFigShape(nullptr, &inverted.dc, RECT{10, 10, 60, 40}, &a);
    EXPECT_EQ(inverted.At(10, 10), 0u);
}

TEST(FigShapeDraw, TextPiecesGoToTheirBoxes)
{
    SymbolBuilder b = BoxSymbol();
    ShapeDrawAttrs a = Attrs(&b.sym);
    const std::string text = "one\\sect two";
    LOGFONT font;
    font.lfHeight = -10;
    a.m_text = &text;
    a.m_textAttrs = &font;
    SetFigTextRenderer(RecordText);
    g_pieces.clear();
    g_boxes.clear();
    Canvas c;
    DrawFigShape(nullptr, &c.dc, RECT{0, 0, 2048, 2048}, &a);
    ASSERT_EQ(g_pieces, (std::vector<std::string>{"one", "two", ""}));
    EXPECT_LT(g_boxes[0].right, g_boxes[1].left + 2);

    g_pieces.clear();
    a.m_hiddenTextBoxes = 0b010;
    DrawFigShape(nullptr, &c.dc, RECT{0, 0, 2048, 2048}, &a);
    EXPECT_EQ(g_pieces, (std::vector<std::string>{"one", ""}));
    SetFigTextRenderer(nullptr);
}

TEST(FigShapeDraw, WidePenInsetAndSectionPieces)
{
    const CRect r(0, 0, 100, 100);
    EXPECT_EQ(FigShapePasses::InsetForPen(r, 1), r);
    EXPECT_EQ(FigShapePasses::InsetForPen(r, 2), CRect(1, 1, 100, 100));
    EXPECT_EQ(FigShapePasses::InsetForPen(r, 3), CRect(1, 1, 99, 99));
    EXPECT_EQ(SectionPiece("a\\sect b\\sect c", 2), "c");
    EXPECT_EQ(SectionPiece("a", 1), "");
    EXPECT_EQ(SectionPiece("C:\\\\sect one\\sect two", 1), "two");  // an escaped backslash is no break
}

TEST(FigGlyphs, ForkAndCornerMarkGeometry)
{
    CLoggingDC dc;
    DrawIconGlyph(nullptr, nullptr, &dc, RECT{0, 0, 50, 40}, 0);
    // d = 50/2 - 50/5 = 15; mx 25, my 20.
    ASSERT_EQ(dc.calls.size(), 4u);
    EXPECT_EQ(dc.calls[0].device[0].y, 1);
    EXPECT_EQ(dc.calls[0].device[1].y, 20);
    EXPECT_EQ(dc.calls[1].device[0].x, 10);
    EXPECT_EQ(dc.calls[1].device[1].x, 40);
    EXPECT_EQ(dc.calls[3].device[1].y, 41);
    dc.calls.clear();
    DrawIconGlyph(nullptr, nullptr, &dc, RECT{0, 0, 50, 40}, 12);
    EXPECT_EQ(dc.calls[0].device[1].y, 41);  // the stem runs to the bottom
    dc.calls.clear();
    DrawIconGlyph(nullptr, nullptr, &dc, RECT{0, 0, 50, 40}, 13);
    EXPECT_TRUE(dc.calls.empty());

    // Arms of (shorter side + 1) / divisor; right and bottom one unit inside.
    DrawCornerMarks(nullptr, nullptr, &dc, RECT{0, 0, 49, 29}, 5);
    ASSERT_EQ(dc.calls.size(), 8u);
    EXPECT_EQ(dc.calls[0].device[1].x, 6);
    EXPECT_EQ(dc.calls[2].device[0].x, 48);
    EXPECT_EQ(dc.calls[4].device[0].y, 28);

    EXPECT_EQ(MarkerGlyphOfKind(125), 12);
    EXPECT_EQ(MarkerGlyphOfKind(85), 3);
    EXPECT_EQ(MarkerGlyphOfKind(53), -1);
}

TEST(FigGlyphs, IconGlyphFiguresInAWholeNumberBox)
{
    // Box 70 x 56: w/7 = 10, w/8 = 8, 3w/8 = 26, mx = 35, my = 28; every
    // line is one call from its first to its second point.
    using Pts = std::vector<std::pair<int, int>>;
    const struct { int glyph; Pts points; } cases[] = {
        {4, {{35, 10}, {10, 46}, {10, 46}, {60, 46}, {60, 46}, {35, 10}}},
        {5, {{0, 10}, {26, 10}, {26, 10}, {26, 22}, {26, 22}, {70, 22}, {70, 22}, {70, 46},
             {70, 46}, {0, 46}, {0, 46}, {0, 10}, {0, 22}, {70, 22}}},
        {9, {{8, 8}, {62, 48}}},
        // l' 10, r' 60, X = 50 * 4 / 9 = 22.
        {11, {{10, 0}, {38, 0}, {38, 0}, {60, 22}, {60, 22}, {60, 56}, {60, 56}, {10, 56},
              {10, 56}, {10, 0}, {38, 0}, {38, 22}, {38, 22}, {60, 22}}},
    };
    for (const auto& c : cases) {
        CLoggingDC dc;
        DrawIconGlyph(nullptr, nullptr, &dc, RECT{0, 0, 70, 56}, c.glyph);
        Pts drawn;
        for (const auto& call : dc.calls) {
            for (const POINT& p : call.device)
                drawn.emplace_back(p.x, p.y);
        }
        EXPECT_EQ(drawn, c.points) << "glyph " << c.glyph;
    }
}

TEST(FigShapeDraw, SubSymbolSizeFollowsItsDisplayScale)
{
    // Natural size 20 x 10 at DisplayScale 100 is drawn at 40 x 20, in the
    // top-right corner 12 units inside the (widened) figure 201 x 101: the
    // box (149, 12, 189, 32), whose outline rectangle reaches one unit
    // further right and down.
    SymbolBuilder box = BoxSymbol();
    box.sym.SetName("plain");
    CFigSymbol sub = SquareSymbol("sub");
    ASSERT_EQ(sub.DisplayScale, 100);
    int size[2] = {20, 10};
    ShapeDrawAttrs a = Attrs(&box.sym);
    a.m_subSymbol = &sub;
    a.m_subSymbolSize = size;
    CLoggingDC dc;
    DrawFigShape(nullptr, &dc, RECT{0, 0, 200, 100}, &a);
    using Pts = std::vector<std::pair<int, int>>;
    std::vector<Pts> rects;
    for (const auto& call : dc.calls) {
        if (call.name != "Rectangle")
            continue;
        rects.emplace_back();
        for (const POINT& p : call.device)
            rects.back().emplace_back(p.x, p.y);
    }
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.back(), (Pts{{149, 12}, {190, 33}}));
}

TEST(FigShapeDraw, SymbolsWithoutTextBoxesShowTheirTextInTheWholeFigure)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    ShapeDrawAttrs a = Attrs(&b.sym);
    const std::string text = "label";
    LOGFONT font{};
    font.lfHeight = -8;
    a.m_text = &text;
    a.m_textAttrs = &font;
    SetFigTextRenderer(RecordText);
    g_pieces.clear();
    g_boxes.clear();
    Canvas c;
    DrawFigShape(nullptr, &c.dc, RECT{10, 10, 60, 40}, &a);
    SetFigTextRenderer(nullptr);
    ASSERT_EQ(g_pieces, (std::vector<std::string>{"label"}));
    EXPECT_EQ(g_boxes[0], CRect(10, 10, 61, 41));
}

// The square beside a figure: vertically centred, two thirds of its size
// clear of the right side (kinds 0, 1, 3, 5) or of the left side (2, 4, 6).
TEST(FigShapeDraw, MarkerSquareBesideEitherSide)
{
    const CRect fig(100, 200, 400, 300);
    struct Row {
        int side;
        CRect expected;
    };
    for (const Row& r : {Row{0, CRect(420, 235, 450, 265)}, Row{1, CRect(420, 235, 450, 265)},
                         Row{3, CRect(420, 235, 450, 265)}, Row{5, CRect(420, 235, 450, 265)},
                         Row{2, CRect(50, 235, 80, 265)}, Row{4, CRect(50, 235, 80, 265)},
                         Row{6, CRect(50, 235, 80, 265)}}) {
        CRect out;
        GetMarkerSquareBeside(fig, 30, r.side, out);
        EXPECT_EQ(out, r.expected) << r.side;
    }
}
