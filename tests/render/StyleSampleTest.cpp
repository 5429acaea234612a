// Style and preview samples: the sample box, samples without a document,
// the line sample's directions, icon-mode simplification, colour modes, the
// end symbol on a line and the bitmap cells.
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include "ImageTestSupport.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/LoggingDC.h"
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
    CKavoDoc doc;
};

} // namespace

TEST(StyleSampleBox, LongerSideCutToTenTimesTheShorter)
{
    struct Case { int w, h; bool limit; LONG ew, eh; };
    for (const Case& c : {Case{1, 50, true, 1, 10}, Case{50, 1, true, 10, 1}, Case{1, 50, false, 1, 50},
                          Case{30, 20, true, 30, 20}}) {
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
    struct Case { int angle; int x, y; };  // where the arrow (line end) sits
    // The end that insets the line sits its own size inside the box.
    for (const Case& c : {Case{0, 18, 15}, Case{180, 61, 15}, Case{90, 40, 13}, Case{270, 40, 17}}) {
        QImage img = WhiteImage(80, 30);
        CPainterDC dc(&img);
        DrawConLineSample(&dc, props, &doc, RECT{0, 0, 80, 30}, false, false, c.angle, false);
        dc.Flush();
        // Solid ink beside the line's end: the filled arrow head.
        int ink = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                ink += Rgb(img, c.x + dx, c.y + dy) != 0xFFFFFFu ? 1 : 0;
        EXPECT_GT(ink, 12) << c.angle;
        // Suppressed ends leave only the line.
        QImage bare = WhiteImage(80, 30);
        CPainterDC dc2(&bare);
        DrawConLineSample(&dc2, props, &doc, RECT{0, 0, 80, 30}, false, false, c.angle, true);
        dc2.Flush();
        EXPECT_LT(CountNotWhite(bare, 0, 80), CountNotWhite(img, 0, 80)) << c.angle;
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
    CFigStyle* label = doc.m_figStyles.NewEntry();
    label->Reset();
    label->SetName("Con label");
    label->m_props.m_fill.m_nKind = 0;
    label->m_props.BorderWidth = 0;
    doc.m_strConLabelStyle = "Con label";
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
