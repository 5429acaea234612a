// Style and preview samples: the sample box, samples without a document,
// the line sample's directions, icon-mode simplification, colour modes, the
// end symbol on a line and the bitmap cells.
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include "ImageTestSupport.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/LoggingDC.h"
#include "platform/PackedDib.h"
#include "render/ConLineShapes.h"
#include "shapes/CConStyle.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigProps.h"
#include "shapes/CShapeDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace {

QRgb Rgb(const QImage& img, int x, int y)
{
    return img.pixel(x, y) & 0xFFFFFF;
}

class StyleSamples : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    int AddFigStyle(const std::string& name, int symbol, COLORREF fill)
    {
        CFigStyle* s = doc.m_figStyles.NewEntry();
        s->Reset();
        s->SetName(name);
        s->m_props.Symbol = symbol;
        s->m_props.m_fill.m_nKind = 1;
        s->m_props.m_fill.m_crColor1 = fill;
        return doc.m_figStyles.GetCount() - 1;
    }
    int AddConStyle(const std::string& name, const CConProps& props)
    {
        CConStyle* s = doc.m_conStyles.NewEntry();
        s->Reset();
        s->SetName(name);
        s->m_props = props;
        return doc.m_conStyles.GetCount() - 1;
    }
    int Arrow() const { return doc.m_endSymbols.FindByName("block"); }
    // A hollow, borderless label style that the document names for connector
    // labels.
    void AddConLabelStyle()
    {
        CFigStyle* label = doc.m_figStyles.NewEntry();
        label->Reset();
        label->SetName("Con label");
        label->m_props.m_fill.m_nKind = 0;
        label->m_props.BorderWidth = 0;
        doc.m_strConLabelStyle = "Con label";
    }
    CKavoDoc doc;
};

} // namespace

TEST(StyleSampleBox, LongerSideCutToTenTimesTheShorter)
{
    struct Case { int w, h; bool limit; LONG ew, eh; };
    for (const Case& c : {Case{1, 50, true, 1, 10}, Case{50, 1, true, 10, 1}, Case{1, 50, false, 1, 50},
                          Case{30, 20, true, 30, 20}, Case{9, 1, true, 9, 1}, Case{11, 1, true, 10, 1},
                          Case{1, 9, true, 1, 9}, Case{1, 11, true, 1, 10}}) {
        const SIZE s = StyleSampleBox(c.w, c.h, c.limit);
        EXPECT_EQ(s.cx, c.ew) << c.w << "x" << c.h;
        EXPECT_EQ(s.cy, c.eh) << c.w << "x" << c.h;
    }
}

TEST(StyleSample, WithoutADocumentARectangleFillsTheBox)
{
    QImage img = WhiteImage(60, 40);
    CPainterDC dc(&img);
    CFigProps props;
    props.m_fill.m_nKind = 1;
    props.m_fill.m_crColor1 = RGB(0, 128, 0);
    StyleSampleArgs args;
    DrawStyleSample(&dc, props, nullptr, RECT{10, 5, 50, 35}, args);
    dc.Flush();
    EXPECT_EQ(Rgb(img, 30, 20), 0x008000u);
    EXPECT_EQ(Rgb(img, 10, 20), 0x000000u);  // the border
    EXPECT_EQ(Rgb(img, 5, 20), 0xFFFFFFu);
    // The caller's mapping is back as it was.
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
}

TEST_F(StyleSamples, AStyleWhoseSymbolWasDeletedShowsARectangle)
{
    const int style = AddFigStyle("Gone", 999, RGB(0, 0, 255));
    doc.m_figStyles.GetAt(style)->Width = 40;
    doc.m_figStyles.GetAt(style)->Height = 30;
    QImage img = WhiteImage(60, 40);
    CPainterDC dc(&img);
    DrawFigStyleSample(&dc, style, &doc, RECT{6, 5, 48, 35}, StyleSampleArgs{});
    dc.Flush();
    // Narrowed by one on the left and right, the whole rectangle is the box.
    EXPECT_EQ(Rgb(img, 27, 20), 0x0000FFu);
    EXPECT_EQ(Rgb(img, 9, 8), 0x0000FFu);
    EXPECT_EQ(Rgb(img, 44, 31), 0x0000FFu);
    EXPECT_EQ(Rgb(img, 5, 20), 0xFFFFFFu);
    // An index that names no style draws nothing.
    QImage none = WhiteImage(60, 40);
    CPainterDC dc2(&none);
    DrawFigStyleSample(&dc2, 500, &doc, RECT{6, 5, 48, 35}, StyleSampleArgs{});
    dc2.Flush();
    EXPECT_EQ(CountNotWhite(none, 0, 60), 0);
}

TEST_F(StyleSamples, LineSampleDirectionsPutTheEndShapeWhereTheLineEnds)
{
    CConProps props;
    props.End2 = Arrow();
    props.End2Length = 12;
    props.End2FillColor = 0;
    // Where the arrow (the line's end) sits. The line runs along the box's
    // longer side: a direction across it turns a quarter (top-down to
    // left-right, bottom-up to right-left and back). The end that insets
    // the line sits its own size inside the box.
    struct Case { int width, height, angle; int x, y; };
    const Case cases[] = {{80, 30, 0, 18, 15},  {80, 30, 180, 61, 15}, {80, 30, 90, 61, 15}, {80, 30, 270, 18, 15},
                          {30, 80, 90, 15, 61}, {30, 80, 270, 15, 18}, {30, 80, 0, 15, 18},  {30, 80, 180, 15, 61},
                          {40, 40, 90, 20, 21}, {40, 40, 0, 18, 20}};
    for (const Case& c : cases) {
        const std::string where = std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                                  std::to_string(c.angle);
        QImage img = WhiteImage(c.width, c.height);
        CPainterDC dc(&img);
        DrawConLineSample(&dc, props, &doc, RECT{0, 0, c.width, c.height}, false, false, c.angle, false);
        dc.Flush();
        // Solid ink beside the line's end: the filled arrow head.
        int ink = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                ink += Rgb(img, c.x + dx, c.y + dy) != 0xFFFFFFu ? 1 : 0;
        EXPECT_GT(ink, 12) << where << "\n" << Picture(img);
        // Suppressed ends leave only the line.
        QImage bare = WhiteImage(c.width, c.height);
        CPainterDC dc2(&bare);
        DrawConLineSample(&dc2, props, &doc, RECT{0, 0, c.width, c.height}, false, false, c.angle, true);
        dc2.Flush();
        EXPECT_LT(CountNotWhite(bare, 0, c.width), CountNotWhite(img, 0, c.width)) << where;
    }
    // Everything borrowed from the document is given back.
    doc.m_bConnectorJogs = 1;
    doc.m_nCornerRadius = 5;
    props.Behavior.low |= 2 | 16;
    QImage img = WhiteImage(80, 30);
    CPainterDC dc(&img);
    DrawConLineSample(&dc, props, &doc, RECT{0, 0, 80, 30}, false, false, 180, false);
    EXPECT_EQ(doc.m_bConnectorJogs, 1);
    EXPECT_EQ(doc.m_nCornerRadius, 5);
}

// A connector's sample on a style-bar button, in a style menu's cell and in
// the connector styles preview shows its line along the rectangle with its
// pattern and its end symbol, so that a solid and a dashed style of the same
// arrow are told apart; never a speck.
TEST_F(StyleSamples, ConnectorSamplesShowTheLinePatternAndEndsAlongTheRectangle)
{
    CConProps solid;
    solid.End1 = 0;
    solid.End2 = Arrow();
    solid.End1Length = 32;
    solid.End2Length = 36;
    solid.LineWidth = 2;
    solid.Color = RGB(64, 64, 64);
    solid.End2FillColor = solid.Color;
    CConProps dashed = solid;
    dashed.PenStyle = 2;
    dashed.Color = dashed.End2FillColor = RGB(46, 84, 150);
    const int styles[2] = {AddConStyle("Flow", solid), AddConStyle("Data Flow", dashed)};
    enum Draw { kStyle, kStyleIcon, kLine };
    struct Case {
        const char* what;
        int width, height;
        Draw draw;
    } cases[] = {{"style-bar button", 55, 12, kStyle},
                 {"style-bar button, plain icon", 55, 12, kStyleIcon},
                 {"style menu cell", 49, 11, kStyle},
                 {"palette cell", 42, 16, kStyleIcon},
                 {"styles preview", 83, 45, kLine}};
    for (const Case& c : cases) {
        for (int k = 0; k < 2; ++k) {
            QImage img = WhiteImage(c.width + 10, c.height + 10);
            const RECT r{5, 5, 5 + c.width, 5 + c.height};
            {
                CPainterDC dc(&img);
                if (c.draw == kLine)
                    DrawConLineSample(&dc, doc.m_conStyles.GetAt(styles[k])->m_props, &doc, r, false, false, 90,
                                      false);
                else
                    DrawConStyleSample(&dc, styles[k], &doc, r, c.draw == kStyleIcon, false, false);
                dc.Flush();
            }
            const ConSampleInk m = MeasureConSample(img, QRect(5, 5, c.width, c.height), kTestWhite);
            const std::string where = std::string(c.what) + (k ? ", dashed" : ", solid") + "\n" + Picture(img);
            EXPECT_GE(m.span, c.width * 3 / 4) << where;
            EXPECT_GE(m.tallest, std::min(7, c.height / 2 + 1)) << where;
            if (k == 0)
                EXPECT_EQ(m.gaps, 0) << where;
            else
                EXPECT_GE(m.gaps, 2) << where;
        }
    }
}

TEST_F(StyleSamples, ConnectorStyleIndexOutsideTheRangeDrawsNothing)
{
    CConProps props;
    const int index = AddConStyle("Plain", props);
    for (int bad : {-1, 1001, index + 1}) {
        QImage img = WhiteImage(40, 40);
        CPainterDC dc(&img);
        DrawConStyleSample(&dc, bad, &doc, RECT{0, 0, 40, 40}, false, false, false);
        dc.Flush();
        EXPECT_EQ(CountNotWhite(img, 0, 40), 0) << bad;
    }
    QImage img = WhiteImage(40, 40);
    CPainterDC dc(&img);
    DrawConStyleSample(&dc, index, &doc, RECT{0, 0, 40, 40}, false, false, false);
    dc.Flush();
    EXPECT_GT(CountNotWhite(img, 0, 40), 20);  // a vertical line
    EXPECT_NE(Rgb(img, 20, 20), 0xFFFFFFu);
}

TEST_F(StyleSamples, IconModeSimplifiesTheConnector)
{
    CConProps p;
    p.Color = RGB(200, 0, 0);
    p.End1 = p.End2 = Arrow();
    p.End1FillColor = RGB(200, 0, 0);   // as the line: drawn filled black
    p.End2FillColor = RGB(0, 200, 0);   // another colour: outline on the background
    p.End1Length = p.End2Length = 40;
    p.LineWidth = 3;
    p.EndBorderWidth = 2;
    p.FIBdrWidth = 0;
    p.FISize = 30;
    p.FISpacing = 60;
    bool outlineOnly[2];
    SimplifyConPropsForIcon(p, &doc, RECT{0, 0, 60, 24}, 0xE6E6E6, outlineOnly);
    EXPECT_FALSE(outlineOnly[0]);
    EXPECT_EQ(p.End1FillColor, 0u);
    EXPECT_TRUE(outlineOnly[1]);
    EXPECT_EQ(p.End2FillColor, 0xE6E6E6u);
    EXPECT_EQ(p.Color, 0u);
    EXPECT_EQ(p.End1Length, 20);
    EXPECT_EQ(p.LineWidth, 1);
    EXPECT_EQ(p.EndBorderWidth, 1);
    EXPECT_EQ(p.FIBdrWidth, 0);
    EXPECT_EQ(p.FIFillClr, 0u);         // border width 0: no indicator fill
    EXPECT_EQ(p.FISize, 16);            // two thirds of 24
    EXPECT_EQ(p.FISpacing, 15);         // scaled to 32, then a quarter of 60
}

TEST(PreviewSample, EndSymbolSizeAndCellsAndLabelCorners)
{
    EXPECT_EQ(EndSymbolSampleSize(64, 32, nullptr), 26);
    EXPECT_EQ(EndSymbolSampleSize(20, 200, nullptr), 13);
    EXPECT_EQ(EndSymbolSampleSize(32, 200, nullptr), 22);  // 32 x 22 / 32 across a tall box
    CShapeDef half;
    half.Magnify = 50;
    EXPECT_EQ(EndSymbolSampleSize(64, 32, &half), 13);

    struct Cell { unsigned flags; int cell; };
    for (const Cell& c : {Cell{0, 0}, Cell{16, 1}, Cell{2, 2}, Cell{8, 3}, Cell{16 | 2, 0}, Cell{8 | 2, 0}})
        EXPECT_EQ(LineSampleCell(c.flags), c.cell) << c.flags;

    struct Corner { int position, angle, code; };
    for (const Corner& c : {Corner{0, 45, 4}, Corner{1, 0, 1}, Corner{1, 270, 5}, Corner{2, 180, 7},
                            Corner{2, 90, 3}, Corner{1, 45, -1}})
        EXPECT_EQ(ConSampleLabelCorner(c.position, c.angle), c.code);
}

TEST(PreviewSample, ColourModesKeepHollowEndsHollow)
{
    CConProps base;
    base.Color = RGB(10, 20, 30);
    base.End1FillColor = RGB(255, 255, 255);
    base.End2FillColor = RGB(255, 0, 0);
    CConProps dark = base;
    RecolourConSampleProps(dark, 0);
    EXPECT_EQ(dark.Color, 0xFFFFFFu);
    EXPECT_EQ(dark.End1FillColor, 0u);
    EXPECT_EQ(dark.End2FillColor, 0xFFFFFFu);
    EXPECT_EQ(dark.FIBdrClr, 0xFFFFFFu);
    CConProps none = base;
    none.End1FillColor = 0x030201;
    RecolourConSampleProps(none, 0);
    EXPECT_EQ(none.End1FillColor, 0u);
    CConProps light = base;
    RecolourConSampleProps(light, 1);
    EXPECT_EQ(light.Color, 0u);
    EXPECT_EQ(light.End1FillColor, 0xFFFFFFu);
    EXPECT_EQ(light.End2FillColor, 0u);
    EXPECT_EQ(light.FIFillClr, 0u);
    CConProps own = base;
    RecolourConSampleProps(own, 2);
    EXPECT_TRUE(own == base);
}

TEST_F(StyleSamples, EndSymbolOnALineDrawsTheLineBeforeTheSymbol)
{
    const CShapeDef* arrow = doc.m_endSymbols.GetAt(Arrow());
    CLoggingDC dc;
    DrawEndSymbolOnLine(nullptr, &dc, RECT{0, 0, 64, 32}, true, arrow, false, false);
    ASSERT_GE(dc.calls.size(), 2u);
    EXPECT_EQ(dc.calls[0].name, "LineTo");
    EXPECT_EQ(dc.calls[0].device[0].x, 0);
    EXPECT_EQ(dc.calls[0].device[1].y, 16);
    // The symbol after it: its fill, then its outline, black.
    bool filled = false;
    for (size_t i = 1; i < dc.calls.size(); ++i)
        filled = filled || dc.calls[i].brush == 0;
    EXPECT_TRUE(filled);
}

namespace {

// Where the first call of a name sits in the log; -1 when none.
int FirstCall(const CLoggingDC& dc, const std::string& name)
{
    for (size_t i = 0; i < dc.calls.size(); ++i)
        if (dc.calls[i].name == name)
            return int(i);
    return -1;
}

} // namespace

TEST_F(StyleSamples, LabelledConnectorSampleDrawsLineThenCoverThenLabel)
{
    CFigStyle* label = doc.m_figStyles.NewEntry();
    label->Reset();
    label->SetName("Con label");
    label->Label = 1;
    label->m_props.m_fill.m_nKind = 0;
    label->m_props.m_font.m_lf.lfHeight = -10;
    CConStyle style;
    style.Reset();
    style.AutoLabel = 1;
    style.AutoLabelText = "go";
    style.FragmentAngle = 0;
    for (int position : {0, 1}) {
        style.AutoLabelPosition = position;
        for (bool named : {true, false}) {
            doc.m_strConLabelStyle = named ? "Con label" : "Nothing";
            CLoggingDC dc;
            CGraphics g(&dc);
            DrawConStyleSampleGdip(RECT{0, 0, 80, 30}, style, &doc, &g, RGB(255, 255, 255), 1);
            const int line = FirstCall(dc, "GpDrawPath");
            const int cover = FirstCall(dc, "FillRect");
            const int text = FirstCall(dc, "ExtTextOut");
            ASSERT_GE(line, 0);
            if (!named) {
                // Without the label style: the line and its ends only.
                EXPECT_EQ(text, -1);
                EXPECT_EQ(cover, -1);
                continue;
            }
            EXPECT_GT(text, line) << position;
            if (position == 0) {
                // The label hides the line under it before its text is drawn.
                EXPECT_GT(cover, line);
                EXPECT_LT(cover, text);
            } else {
                EXPECT_EQ(cover, -1);
            }
        }
    }
}

TEST_F(StyleSamples, MessageStyleShowsItsRightTwinOfTheSameCategory)
{
    CConProps own, twin;
    own.Color = RGB(255, 0, 0);
    twin.Color = RGB(0, 0, 255);
    const int index = AddConStyle("Message CALL ", own);
    doc.m_conStyles.GetAt(index)->AutoLabelPosition = 0;
    doc.m_conStyles.GetAt(index)->Category = "Messages";
    const int right = AddConStyle("Message CALL  Right", twin);
    auto centre = [&](bool plainOnly) {
        QImage img = WhiteImage(30, 30);
        CPainterDC dc(&img);
        DrawConStyleSample(&dc, index, &doc, RECT{0, 0, 30, 30}, false, false, plainOnly);
        dc.Flush();
        return Rgb(img, 15, 15);
    };
    doc.m_conStyles.GetAt(right)->Category = "Other";
    EXPECT_EQ(centre(false), 0xFF0000u);   // another category: its own look
    doc.m_conStyles.GetAt(right)->Category = "Messages";
    EXPECT_EQ(centre(false), 0x0000FFu);
    EXPECT_EQ(centre(true), 0xFF0000u);    // plain only: never the twin
    EXPECT_EQ(doc.m_conStyles.GetAt(right)->Description, "");  // the twin's record is untouched
}

TEST_F(StyleSamples, VerticalMessageSamplesTakeTheFoundLabelsProportions)
{
    AddConLabelStyle();
    CConProps props;
    props.LineWidth = 8;
    const int index = AddConStyle("Message GO", props);
    CConStyle* go = doc.m_conStyles.GetAt(index);
    go->Category = "Message";
    go->AutoLabel = 1;
    go->AutoLabelText = "go";
    go->AutoLabelPosition = 1;
    go->FragmentAngle = 90;
    // The columns the sample's ink spans.
    auto inkSpan = [&] {
        QImage img = WhiteImage(200, 40);
        CPainterDC dc(&img);
        DrawConStyleSample(&dc, index, &doc, RECT{0, 0, 200, 40}, false, false, false);
        dc.Flush();
        int first = 200, last = -1;
        for (int x = 0; x < 200; ++x)
            if (CountNotWhite(img, x, x + 1))
                first = std::min(first, x), last = x;
        return std::make_pair(first, last);
    };
    const auto wide = inkSpan();
    // A found-message label about as wide as high narrows the sample to a
    // centred rectangle of its proportions.
    const int found = AddConStyle("Message FOUND Right", props);
    doc.m_conStyles.GetAt(found)->AutoLabelText = "MM\\line MM";
    const auto narrow = inkSpan();
    EXPECT_GT(narrow.first, wide.first);
    EXPECT_LT(narrow.second, wide.second);
    EXPECT_LT(narrow.second - narrow.first, 100);
    EXPECT_NEAR(narrow.first + narrow.second, 200, 12);
}

namespace {

// The columns and rows that hold ink.
QRect InkBounds(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kTestWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

int CountColour(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Rgb(img, x, y) == colour;
    return n;
}

} // namespace

// Solid end shapes stay filled black on an icon; an end whose fill differs
// from its line shows hollow on the background, unless it has no border.
TEST_F(StyleSamples, IconModeFillsSolidEndsAndHollowsTheOthers)
{
    struct Row {
        bool solid;
        COLORREF fill;
        int borderWidth;
        bool outlineOnly;
        COLORREF expectedFill;
    };
    const Row rows[] = {
        {false, RGB(0, 200, 0), 2, true, 0xE6E6E6},   // another colour: hollow
        {false, RGB(200, 0, 0), 2, false, 0},         // as the line: filled black
        {false, RGB(0, 200, 0), 0, false, 0},         // no border: filled
        {true, RGB(0, 200, 0), 2, false, 0},          // solid: always filled
    };
    const int arrow = Arrow();
    for (const Row& r : rows) {
        doc.m_endSymbols.GetAt(arrow)->Silhouette = r.solid ? 1 : 0;
        CConProps p;
        p.Color = RGB(200, 0, 0);
        p.End2 = arrow;
        p.End2FillColor = r.fill;
        p.EndBorderWidth = r.borderWidth;
        bool outlineOnly[2];
        SimplifyConPropsForIcon(p, &doc, RECT{0, 0, 60, 24}, 0xE6E6E6, outlineOnly);
        EXPECT_EQ(outlineOnly[1], r.outlineOnly) << r.solid << " " << r.fill;
        EXPECT_EQ(p.End2FillColor, r.expectedFill) << r.solid << " " << r.fill;
    }
}

// A bent sample moves its ends a third of the box across the line one way and
// its middle the other way: the ink spans two thirds of the box across the
// line and keeps clear of the sides.
TEST_F(StyleSamples, BentLineSampleBendsAcrossTheLine)
{
    for (DWORD shape : {CONSHAPE_CURVE, CONSHAPE_SMOOTH}) {
        for (int angle : {0, 90}) {
            const bool vertical = angle == 90;
            const int w = vertical ? 30 : 120, h = vertical ? 120 : 30;
            CConProps props;
            props.Behavior.low |= shape;
            props.LineWidth = 1;
            QImage img = WhiteImage(w, h);
            CPainterDC dc(&img);
            DrawConLineSample(&dc, props, &doc, RECT{0, 0, w, h}, false, false, angle, true);
            dc.Flush();
            const QRect ink = InkBounds(img);
            const int across = vertical ? ink.width() : ink.height();
            const int first = vertical ? ink.left() : ink.top();
            EXPECT_GE(across, 10) << shape << " " << angle;   // bent, not straight
            EXPECT_LE(across, 22) << shape << " " << angle;   // within two thirds
            EXPECT_GE(first, 3) << shape << " " << angle;
        }
    }
}

// The border of a figure sample is limited in size with its sign kept: a
// negative width (no border) stays without a border.
TEST_F(StyleSamples, BorderLimitKeepsTheSign)
{
    const COLORREF border = RGB(0, 0, 255);
    auto borderPixels = [&](int width, int limit) {
        CFigProps props;
        props.Symbol = -1;  // the built-in rectangle
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(255, 255, 0);
        props.BorderColor = border;
        props.BorderWidth = width;
        StyleSampleArgs args;
        args.sampleWidth = 60;
        args.sampleHeight = 40;
        args.maxBorder = limit;
        QImage img = WhiteImage(60, 40);
        CPainterDC dc(&img);
        DrawStyleSample(&dc, props, &doc, RECT{0, 0, 60, 40}, args);
        dc.Flush();
        return CountColour(img, 0x0000FF);
    };
    const int thin = borderPixels(2, 0);
    EXPECT_GT(thin, 100);
    EXPECT_EQ(borderPixels(8, 2), thin);      // cut to 2
    EXPECT_GT(borderPixels(8, 0), 2 * thin);  // no limit
    EXPECT_EQ(borderPixels(-8, 2), 0);        // stays negative: no border
}

// A data message on a wide sample shows its label half as large again.
TEST_F(StyleSamples, DataMessageLabelIsEnlargedByHalf)
{
    AddConLabelStyle();
    auto labelHeight = [&](const std::string& name, const std::string& category, RECT rect) {
        CConProps props;
        props.End1Length = props.End2Length = 4;
        const int index = AddConStyle(name, props);
        CConStyle* s = doc.m_conStyles.GetAt(index);
        s->Category = category;
        s->AutoLabel = 1;
        s->AutoLabelText = "data";
        s->AutoLabelPosition = 1;
        s->FragmentAngle = 0;
        const int w = rect.right, h = rect.bottom;
        QImage img = WhiteImage(w, h);
        CPainterDC dc(&img);
        DrawConStyleSample(&dc, index, &doc, rect, false, false, false);
        dc.Flush();
        // The rows of the label's text: inked, but not across the sample as
        // the line is.
        int rows = 0;
        for (int y = 0; y < h; ++y) {
            int inked = 0;
            for (int x = 0; x < w; ++x)
                inked += img.pixel(x, y) != kTestWhite;
            rows += inked > 0 && inked < w / 2;
        }
        return rows;
    };
    const RECT wide{0, 0, 240, 80}, tall{0, 0, 80, 240};
    const int plain = labelHeight("Message CALL a", "Messages", wide);
    ASSERT_NE(plain, 0);
    const int data = labelHeight("Message DATA a", "Messages", wide);
    // The label grows by half against the line's gap beside it, so its text
    // by less on the sample.
    EXPECT_GT(data, plain + plain / 10);
    // Not on a sample higher than wide, nor outside the message category.
    EXPECT_EQ(labelHeight("Message DATA b", "Messages", tall), labelHeight("Message CALL b", "Messages", tall));
    EXPECT_EQ(labelHeight("Message DATA c", "Other", wide), plain);
}

// Sample bitmaps are keyed on the document's transparent colour.
TEST_F(StyleSamples, PicturesAreKeyedOnTheDocumentsTransparentColour)
{
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(QColor(0, 160, 0));
    const std::vector<BYTE> dib = ImageToDib(picture, 24, false);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::copy(dib.begin(), dib.end(), static_cast<BYTE*>(GlobalLock(block)));
    GlobalUnlock(block);
    CFigProps props;
    props.m_nGraphicType = 1;
    props.Graphic = block;
    props.m_fill.m_nKind = 0;
    auto centre = [&](COLORREF transparent) {
        doc.m_crTranspColor = transparent;
        StyleSampleArgs args;
        args.directShape = true;
        QImage img = WhiteImage(40, 40);
        CPainterDC dc(&img);
        DrawStyleSample(&dc, props, &doc, RECT{0, 0, 40, 40}, args);
        dc.Flush();
        return Rgb(img, 20, 20);
    };
    EXPECT_EQ(centre(RGB(255, 0, 255)), 0x00A000u);
    EXPECT_EQ(centre(RGB(0, 160, 0)), 0xFFFFFFu);
    GlobalFree(block);
}

namespace {
// Notes the mapping mode every text output is drawn in.
class CMapModeLogDC : public CPainterDC {
public:
    using CPainterDC::CPainterDC;
    std::vector<int> modes;
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override
    {
        modes.push_back(GetMapMode());
        return CPainterDC::ExtTextOut(x, y, options, rect, text, count, dx);
    }
};
} // namespace

// A sample shrunk onto a smaller rectangle draws its text in device pixels;
// one drawn at its own size keeps the sample's mapping.
TEST_F(StyleSamples, ShrunkSampleTextIsDrawnInDevicePixels)
{
    CFigProps props;
    props.Symbol = -1;
    props.m_fill.m_nKind = 0;
    const std::string text = "Go";
    for (int box : {40, 160}) {
        StyleSampleArgs args;
        args.text = &text;
        args.directShape = true;
        args.sampleWidth = box;
        args.sampleHeight = box / 2;
        QImage img = WhiteImage(40, 20);
        CMapModeLogDC dc(&img);
        DrawStyleSample(&dc, props, &doc, RECT{0, 0, 40, 20}, args);
        dc.Flush();
        ASSERT_EQ(dc.modes.size(), 1u) << box;
        EXPECT_EQ(dc.modes[0], box > 40 ? MM_TEXT : MM_ANISOTROPIC) << box;
    }
}

// A line sample hops over no connector of the document it takes its end
// shapes from, and leaves the document's line-jump setting as it was.
TEST_F(StyleSamples, LineSampleDrawsNoHopsOverTheDocumentsConnectors)
{
    auto* crossing = new CConnector(&doc);
    crossing->EndPoint1 = CPoint(60, -100);
    crossing->EndPoint2 = CPoint(60, 100);
    ASSERT_TRUE(doc.AddConWithId(crossing));
    doc.m_bConnectorJogs = 1;
    doc.m_nConnectorJogRadius = 12;
    CConProps props;
    props.LineWidth = 1;
    QImage img = WhiteImage(120, 30);
    CPainterDC dc(&img);
    DrawConLineSample(&dc, props, &doc, RECT{0, 0, 120, 30}, false, false, 180, true);
    dc.Flush();
    EXPECT_LE(InkBounds(img).height(), 3) << "a straight line";
    EXPECT_EQ(doc.m_bConnectorJogs, 1);
}

TEST_F(StyleSamples, StyleBarSampleGivesTheDiagramItsLineHopsBack)
{
    // The style bar repaints its connector sample often: the diagram's own
    // line-hop setting must survive every repaint, on or off.
    CConStyle style;
    style.Reset();
    for (const int32_t hops : {1, 0}) {
        doc.m_bConnectorJogs = hops;
        CLoggingDC dc;
        CGraphics g(&dc);
        DrawConStyleSampleGdip(RECT{0, 0, 80, 30}, style, &doc, &g, RGB(255, 255, 255), 0);
        EXPECT_EQ(doc.m_bConnectorJogs, hops);
    }
}
