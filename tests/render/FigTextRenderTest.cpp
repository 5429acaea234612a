// The figure text as the start-up installs it: each text box's piece is laid
// out and drawn inside its box, in the figure's font and colour.
#include "render/RenderFigure.h"

#include "platform/CPainterDC.h"
#include "shapes/CFigProps.h"
#include "shapes/FigFlags.h"
#include "shapes/SymbolTestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

#include <string>

namespace {

// Counts the pixels of one colour inside and outside a rectangle.
struct InkCount {
    int inside = 0, outside = 0;
};

InkCount CountInk(const QImage& img, const QRect& box, QRgb ink)
{
    InkCount c;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == ink)
                ++(box.contains(x, y) ? c.inside : c.outside);
    return c;
}

QImage DrawFigureText(const std::string& text, const std::string* formats = nullptr)
{
    // A borderless, hollow figure with two text boxes: left and right half.
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 0, 1024, 2048), CFltRect(1024, 0, 2048, 2048)});
    CFigProps props;
    props.m_fill.m_nKind = 0;
    props.BorderWidth = 0;
    props.TextColor = RGB(200, 0, 0);
    props.m_font.m_lf.lfHeight = -24;
    QImage img(240, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    CPainterDC dc(&img);
    FigRenderCtx ctx;
    RenderFigure(nullptr, &dc, ctx, &text, formats, RECT{20, 10, 220, 70}, props, &b.sym, nullptr, nullptr,
                 nullptr);
    dc.Flush();
    return img;
}

} // namespace

TEST(FigTextRender, EachPieceAppearsInItsOwnBoxOnly)
{
    const QRgb red = 0xC80000;
    const QRect left(20, 10, 101, 61), right(120, 10, 101, 61);
    const QImage first = DrawFigureText("Ab");
    const InkCount a = CountInk(first, left, red);
    EXPECT_GT(a.inside, 20);
    EXPECT_EQ(a.outside, 0);

    const QImage second = DrawFigureText("\\sect Ab");
    const InkCount b = CountInk(second, right, red);
    EXPECT_GT(b.inside, 20);
    EXPECT_EQ(b.outside, 0);

    // A word wider than its box is clipped to the box.
    const QImage wide = DrawFigureText("WWWWWWWWWWWW\\sect ");
    const InkCount w = CountInk(wide, left, red);
    EXPECT_GT(w.inside, 100);
    EXPECT_EQ(w.outside, 0);
}

TEST(FigTextRender, EachBoxTakesItsOwnFormatMarkup)
{
    // The second box's format markup makes its text bold: the same word
    // leaves more ink there than in the first box.
    const std::string formats = "\\sect \\b1 ";
    const QImage img = DrawFigureText("Hm\\sect Hm", &formats);
    const int plain = CountInk(img, QRect(20, 10, 100, 61), 0xC80000).inside;
    const int bold = CountInk(img, QRect(120, 10, 101, 61), 0xC80000).inside;
    EXPECT_GT(plain, 20);
    EXPECT_GT(bold, plain + plain / 5);
}

// A symbol that asks for it shows its first text box over the whole figure
// while the document's oversize-text option is on.
TEST(FigTextRender, OversizeOptionWidensTheFirstBoxToTheFigure)
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 0, 512, 2048)});
    b.sym.OversizeText = 1;
    CFigProps props;
    props.m_fill.m_nKind = 0;
    props.BorderWidth = 0;
    props.TextColor = RGB(200, 0, 0);
    props.m_font.m_lf.lfHeight = -24;
    const std::string text = "Ab";
    for (bool oversize : {false, true}) {
        QImage img(240, 80, QImage::Format_RGB32);
        img.fill(Qt::white);
        CPainterDC dc(&img);
        FigTextLayout layout;
        layout.oversizeText = oversize;
        RenderFigure(nullptr, &dc, FigRenderCtx(), &text, nullptr, RECT{20, 10, 220, 70}, props, &b.sym, nullptr,
                     nullptr, nullptr, layout);
        dc.Flush();
        // The text is centred in its box: a quarter of the figure, or all of it.
        const InkCount inQuarter = CountInk(img, QRect(20, 10, 51, 61), 0xC80000);
        EXPECT_GT(inQuarter.inside + inQuarter.outside, 20) << oversize;
        EXPECT_EQ(inQuarter.outside == 0, !oversize) << oversize;
    }
}

// A label's text keeps a margin from its frame where the label has room for
// it; other figures place their text at the edge of the text box.
TEST(FigTextRender, LabelTextKeepsClearOfTheFrame)
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 0, 2048, 2048)});
    QRect ink[2];
    for (bool label : {false, true}) {
        CFigProps props;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(255, 255, 255);
        props.BorderWidth = 1;
        props.BorderColor = RGB(0, 0, 0);
        props.TextColor = RGB(200, 0, 0);
        props.m_font.m_lf.lfHeight = -8;
        props.TextFormat = 0x44;  // left, top
        if (label)
            props.Behavior.low |= kFigFlagLabel;
        QImage img(240, 120, QImage::Format_RGB32);
        img.fill(Qt::white);
        CPainterDC dc(&img);
        const std::string text = "Hd";
        RenderFigure(nullptr, &dc, FigRenderCtx(), &text, nullptr, RECT{20, 10, 220, 110}, props, &b.sym, nullptr,
                     nullptr, nullptr);
        dc.Flush();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) == 0xC80000)
                    ink[label] |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink[label].isEmpty()) << label;
    }
    // The line is 32 units high here: the margin is 5 on the left and top.
    EXPECT_EQ(ink[1].left() - ink[0].left(), 5);
    EXPECT_EQ(ink[1].top() - ink[0].top(), 5);
}
