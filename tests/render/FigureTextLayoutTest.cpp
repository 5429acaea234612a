// A figure's text as the document draws it on every target: turned by the
// figure's text rotation, spaced by the document's line spacing and formatted
// by the figure's per-section format markup; and the reviewed picture of it.
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigTextFitHook.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/DocDrawObjects.h"
#include "shapes/FigFlags.h"

#include "common/DiagramFixture.h"
#include "render/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every text output with the font it was drawn in.
class CTextLogDC : public CPainterDC {
public:
    using CPainterDC::CPainterDC;
    struct Call {
        int x, y;
        std::string text;
        LOGFONT font;
    };
    std::vector<Call> calls;
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override
    {
        calls.push_back(Call{x, y, std::string(text, count), State().logFont});
        return CPainterDC::ExtTextOut(x, y, options, rect, text, count, dx);
    }
};

struct FigureTextLayout : testing::Test {
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;

    CFigure* AddBox(int x, int y, int w, int h, const std::string& text, int rotation = 0)
    {
        CFigure* fig = fx.AddBox(x, y, w, h, text);
        fig->m_props.m_font.m_lf.lfHeight = -5;  // 5 points: about 18 units high
        fig->m_nTextRotate = int16_t(rotation);
        return fig;
    }

    // With anti-aliased graphics (as the view and the printer draw) or
    // through the context alone.
    std::vector<CTextLogDC::Call> Draw(int mode, QImage* out = nullptr, bool graphics = false)
    {
        QImage img = WhiteImage(400, 240);
        CTextLogDC dc(&img);
        CGraphics g(&dc);
        CDiagObjDrawCtx ctx;
        ctx.mode = mode;
        ctx.handleSize = 7;
        DrawDocObjects(doc, graphics ? &g : nullptr, &dc, ctx);
        dc.Flush();
        if (out)
            *out = img;
        return dc.calls;
    }
};

} // namespace

// Screen (0), print (2) and both metafile exports (3, 4) draw alike.
TEST_F(FigureTextLayout, RotatedTextRunsAlongTheTallBoxOnEveryTarget)
{
    // Two lines of one width, centred: they start at the same height.
    CFigure* up = AddBox(10, 10, 60, 200, "Turned\\line Turned");
    for (int mode : {0, 2, 3, 4}) {
        for (int rotation : {900, 2700}) {
            up->m_nTextRotate = int16_t(rotation);
            const auto calls = Draw(mode, nullptr, mode == 2);
            ASSERT_EQ(calls.size(), 2u) << mode;
            EXPECT_EQ(calls[0].font.lfEscapement, rotation) << mode;
            EXPECT_EQ(calls[0].font.lfOrientation, rotation) << mode;
            // The second line lies beside the first: to the right going up,
            // to the left going down.
            EXPECT_EQ(calls[1].y, calls[0].y) << mode;
            if (rotation == 900)
                EXPECT_GT(calls[1].x, calls[0].x) << mode;
            else
                EXPECT_LT(calls[1].x, calls[0].x) << mode;
        }
    }
}

TEST_F(FigureTextLayout, LineSpacingOfTheDocumentSpacesTheLines)
{
    AddBox(10, 10, 200, 200, "one\\line two");
    const auto single = Draw(0);
    ASSERT_EQ(single.size(), 2u);
    const int step = single[1].y - single[0].y;
    ASSERT_GT(step, 0);
    struct Row {
        int kind;
        float value;
        int expected;  // the baseline step
    };
    const Row rows[] = {
        {2, 0, 2 * step},          // double
        {1, 0, step + step / 2},   // one and a half
        {5, 300, 3 * step},        // percentage
        {6, 40, 40},               // exactly
    };
    for (const Row& r : rows) {
        doc.m_nLineSpacingMode = r.kind;
        doc.m_fLineSpacingValue = r.value;
        const auto calls = Draw(4);
        ASSERT_EQ(calls.size(), 2u) << r.kind;
        EXPECT_NEAR(calls[1].y - calls[0].y, r.expected, 1) << r.kind;
    }
}

TEST_F(FigureTextLayout, EachSectionTakesItsFormatMarkup)
{
    CFigure* fig = AddBox(10, 10, 200, 60, "Bold");
    fig->m_strSecondText = "\\b1 ";
    const auto calls = Draw(0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_GE(calls[0].font.lfWeight, 700);
}

// Text turned upward, turned downward, and two blocks of three lines at
// single and double spacing, with a right-aligned rotated block.
TEST_F(FigureTextLayout, MatchesTheReviewedPicture)
{
    AddBox(10, 10, 50, 200, "Going up\\line second", 900);
    AddBox(80, 10, 50, 200, "Going down\\line second", 2700);
    AddBox(150, 10, 110, 100, "Single\\line spaced\\line lines");
    AddBox(280, 10, 110, 200, "Double\\line spaced\\line lines");
    doc.m_nLineSpacingMode = 0;
    QImage single;
    Draw(0, &single);
    doc.m_nLineSpacingMode = 2;
    QImage spaced;
    Draw(0, &spaced);
    // The single-spaced box from the first drawing, the rest from the second.
    QImage img = spaced;
    for (int y = 0; y < 120; ++y)
        for (int x = 140; x < 270; ++x)
            img.setPixel(x, y, single.pixel(x, y));
    const QString path = QString(KAVO_TEST_DATA_DIR) + "/render/figure_text_layout.png";
    const QImage golden = GoldenFor(img, path);
    ASSERT_FALSE(golden.isNull()) << path.toStdString();
    ASSERT_EQ(golden.size(), img.size());
    EXPECT_LE(CountPixelsOff(img, golden, 40), img.width() * img.height() / 500);
}

// Labels sized to their text, on the built-in label symbol (no text box) and
// on a box symbol, left-aligned and centred, at 100 %, 200 % and 400 % of the
// document's 256 units per inch: the text keeps clear of the frame and its
// descenders stay whole.
TEST_F(FigureTextLayout, LabelsMatchTheReviewedPicturesAtThreeZooms)
{
    CFigProps props = doc.m_curLblStyle.m_props;
    props.BorderWidth = 1;
    props.m_fill.m_nKind = 1;
    props.m_fill.m_crColor1 = RGB(255, 255, 210);
    props.Behavior.low |= kFigFlagLabel;
    auto add = [&](int x, int y, int symbol, WORD align, const std::string& text) {
        CFigProps p = props;
        p.Symbol = symbol;
        p.TextFormat = align;
        auto* label = new CFigure(x, y, 10, 10, p, -1, 1, text, "", CFigure::CreateArgs(), &doc);
        ASSERT_TRUE(g_pfnSizeFigToText(&doc, label));
        doc.AddFigWithId(label);
    };
    add(10, 10, 1, 0x44, "yes");
    add(90, 10, fx.boxSymbol, 0x22, "no, jog");
    add(10, 70, 1, 0x44, "Typography gyp\\line second jq");
    for (int scale : {1, 2, 4}) {
        QImage img = WhiteImage(100 * scale, 70 * scale);
        CPainterDC dc(&img);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(256, 256);
        dc.SetViewportExt(96 * scale, 96 * scale);
        CGraphics g(&dc);
        CDiagObjDrawCtx ctx;
        ctx.flags = 4;
        ctx.handleSize = 7;
        DrawDocObjects(doc, &g, &dc, ctx);
        dc.Flush();
        const QString path = QString(KAVO_TEST_DATA_DIR) + QString("/render/labels_%1.png").arg(scale * 100);
        const QImage golden = GoldenFor(img, path);
        ASSERT_FALSE(golden.isNull()) << path.toStdString();
        ASSERT_EQ(golden.size(), img.size());
        EXPECT_LE(CountPixelsOff(img, golden, 40), img.width() * img.height() / 500) << scale;
    }
}
