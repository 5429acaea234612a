// Drawing laid-out rich text: runs, baseline shifts, trailing blanks,
// rotation, and the picture it makes.
#include "richtext/MarkupScanner.h"
#include "richtext/TextFitting.h"
#include "richtext/TextLineRender.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"

#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// Records every text output and paints it.
class CRecordingDC : public CPainterDC {
public:
    using CPainterDC::CPainterDC;
    struct Call {
        int x, y;
        std::string text;
        std::vector<int> dx;
        LONG escapement;
        LOGFONT font;
    };
    std::vector<Call> calls;
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override
    {
        calls.push_back(Call{x, y, std::string(text, count), std::vector<int>(dx, dx + count),
                             State().logFont.lfEscapement, State().logFont});
        return CPainterDC::ExtTextOut(x, y, options, rect, text, count, dx);
    }
};

TextFormatRec Format(const char* face = "Arial", int points = 10, uint16_t align = 0x44)
{
    return MakeTextFormat(face, points, align);
}

struct Canvas {
    QImage image{600, 300, QImage::Format_RGB32};
    CRecordingDC dc{&image};
    Canvas() { image.fill(Qt::white); }
    void Draw(const std::string& text, const TextFormatRec& format, int rotation = 0, CRect rect = CRect(10, 10, 590, 290),
              bool split = false)
    {
        RenderTextRequest r;
        r.dc = &dc;
        r.format = &format;
        r.text = text;
        r.rotation = rotation;
        r.rect = rect;
        r.splitRuns = split;
        RenderFigTextBlock(r);
        dc.Flush();
    }
};

TEST(TextRender, OneOutputPerRunOfEqualFormat)
{
    Canvas c;
    c.Draw("abc\\line def", Format());
    ASSERT_EQ(c.dc.calls.size(), 2u);
    EXPECT_EQ(c.dc.calls[0].text, "abc");
    EXPECT_EQ(c.dc.calls[1].text, "def");
    EXPECT_GT(c.dc.calls[1].y, c.dc.calls[0].y);
    Canvas runs;
    runs.Draw("ab\\b1 cd\\b0 ef", Format());
    ASSERT_EQ(runs.dc.calls.size(), 3u);
    // Runs follow each other with the advances of the layout.
    const auto& first = runs.dc.calls[0];
    EXPECT_EQ(runs.dc.calls[1].x, first.x + first.dx[0] + first.dx[1]);
    // Codes that are not font changes do not split a run.
    Canvas align;
    align.Draw("\\qc ab\\vertalb cd", Format());
    EXPECT_EQ(align.dc.calls.size(), 1u);
}

// The ascent and descent of a font as the context realises it.
std::pair<int, int> AscentDescent(CDC& dc, const LOGFONT& lf)
{
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return {int(tm.tmAscent), int(tm.tmDescent)};
}

TEST(TextRender, SubscriptSitsLowerSuperscriptHigher)
{
    Canvas c;
    c.Draw("H\\sub 2\\nosupersub O\\super 3", Format("Arial", 20));
    ASSERT_EQ(c.dc.calls.size(), 4u);
    const auto& base = c.dc.calls[0];
    EXPECT_GT(c.dc.calls[1].y, base.y);
    EXPECT_EQ(c.dc.calls[2].y, base.y);
    EXPECT_LT(c.dc.calls[3].y, base.y);
    // In a line of the larger base font, a subscript's bottom sits on the
    // line's bottom (lower than the base text by the difference of the
    // descents) and a superscript's top on the line's top.
    const auto [baseAscent, baseDescent] = AscentDescent(c.dc, base.font);
    const auto [subAscent, subDescent] = AscentDescent(c.dc, c.dc.calls[1].font);
    const auto [superAscent, superDescent] = AscentDescent(c.dc, c.dc.calls[3].font);
    ASSERT_LT(subDescent, baseDescent);
    EXPECT_EQ(c.dc.calls[1].y + subDescent, base.y + baseDescent);
    EXPECT_EQ(c.dc.calls[3].y - superAscent, base.y - baseAscent);
    (void)subAscent, (void)superDescent;
}

TEST(TextRender, SplitFlagDrawsEveryCharacterOnItsOwn)
{
    Canvas joined, split;
    joined.Draw("ab\\b1 cd", Format());
    split.Draw("ab\\b1 cd", Format(), 0, CRect(10, 10, 590, 290), true);
    ASSERT_EQ(joined.dc.calls.size(), 2u);
    ASSERT_EQ(split.dc.calls.size(), 4u);
    // Each character where the joined runs put it, with its own advance.
    const auto& run = joined.dc.calls[0];
    EXPECT_EQ(split.dc.calls[0].text, "a");
    EXPECT_EQ(split.dc.calls[1].text, "b");
    EXPECT_EQ(split.dc.calls[1].x, run.x + run.dx[0]);
    EXPECT_EQ(split.dc.calls[3].x, joined.dc.calls[1].x + joined.dc.calls[1].dx[0]);
    EXPECT_EQ(split.dc.calls[3].y, run.y);
}

TEST(TextRender, TrailingBlankBeforeSoftBreakIsNotDrawn)
{
    Canvas c;
    c.Draw("ab \\softline cd", Format());
    ASSERT_EQ(c.dc.calls.size(), 2u);
    EXPECT_EQ(c.dc.calls[0].text, "ab");
    Canvas hard;
    hard.Draw("ab \\line cd", Format());
    EXPECT_EQ(hard.dc.calls[0].text, "ab ");
}

TEST(TextRender, RotatedTextAdvancesAlongY)
{
    for (int rotation : {900, 2700}) {
        Canvas c;
        c.Draw("ab\\b1 cd\\line e", Format(), rotation);
        ASSERT_EQ(c.dc.calls.size(), 3u) << rotation;
        EXPECT_EQ(c.dc.calls[0].escapement, rotation);
        EXPECT_EQ(c.dc.calls[1].x, c.dc.calls[0].x);
        if (rotation == 900) {
            EXPECT_LT(c.dc.calls[1].y, c.dc.calls[0].y);
            EXPECT_GT(c.dc.calls[2].x, c.dc.calls[0].x);
        } else {
            EXPECT_GT(c.dc.calls[1].y, c.dc.calls[0].y);
            EXPECT_LT(c.dc.calls[2].x, c.dc.calls[0].x);
        }
    }
}

TEST(TextRender, RotatedScriptShiftsAlongX)
{
    // The subscript moves toward the line's bottom: +x when the text runs upward,
    // -x when it runs downward; the superscript the other way.
    for (int rotation : {900, 2700}) {
        Canvas c;
        c.Draw("H\\sub 2\\nosupersub O\\super 3", Format("Arial", 20), rotation);
        ASSERT_EQ(c.dc.calls.size(), 4u) << rotation;
        const int sign = rotation == 900 ? 1 : -1;
        const int base = c.dc.calls[0].x;
        EXPECT_GT(sign * (c.dc.calls[1].x - base), 0) << rotation;
        EXPECT_EQ(c.dc.calls[2].x, base) << rotation;
        EXPECT_LT(sign * (c.dc.calls[3].x - base), 0) << rotation;
    }
}

TEST(TextRender, AbortsWithoutText)
{
    CTextBlock block;
    MarkupScanner s;
    s.Init(nullptr);
    EXPECT_FALSE(KFntRenderTextLine(block, "", 0, 0, 0, s, false));
    EXPECT_FALSE(KFntRenderTextLine(block, nullptr, 0, 0, 0, s, false));
}

// Ink (non-white pixels) bounding box.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(TextRender, PaintsASample)
{
    Canvas c;
    const std::string text =
        "{\\colortbl \\red0\\green0\\blue0;\\red200\\green0\\blue0;\\red0\\green0\\blue180;}"
        "{\\fonttbl {\\f0 Arial;}{\\f1 Times New Roman;}{\\f2 Courier New;}}"
        "Plain \\b1 bold\\b0  \\i1 italic\\i0  \\ul1 underlined\\ul0 \\line "
        "\\cf1 red \\cf2 blue\\cf0  \\f1 serif \\f2 mono\\f0 \\line "
        "H\\sub 2\\nosupersub O and x\\super 2\\nosupersub  \\fs40 big\\fs20  small";
    c.Draw(text, Format("Arial", 14, 0x22));
    const QRect ink = InkBox(c.image);
    ASSERT_FALSE(ink.isEmpty());
    // Centred both ways within the rectangle.
    EXPECT_NEAR(ink.center().x(), 300, 30);
    EXPECT_NEAR(ink.center().y(), 150, 30);
    // Red and blue ink where the colour table says.
    bool red = false, blue = false;
    for (int y = 0; y < c.image.height(); ++y)
        for (int x = 0; x < c.image.width(); ++x) {
            const QRgb p = c.image.pixel(x, y);
            red |= qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80;
            blue |= qBlue(p) > 130 && qRed(p) < 80 && qGreen(p) < 80;
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
    if (const char* dir = std::getenv("KAVO_TEST_IMAGE_DIR"))
        c.image.save(QString::fromUtf8(dir) + "/richtext-sample.png");
}

} // namespace

namespace {

// Layout, wrapping and drawing end on hostile texts and stay inside their
// arrays: random mixes of characters, control words with absurd values,
// groups and breaks.
TEST(TextRender, HostileTextsLayOutWrapAndDrawSafely)
{
    const char* pieces[] = {"a", " ", "\\line ", "\\softline ", "\\b1 ", "\\fs99999999 ", "\\fs-40 ", "\\fs0 ",
                            "{", "}", "\\cf9 ", "\\f7 ", "\\sub ", "\\super ", "{\\colortbl \\red9\\green9\\blue9;}",
                            "{\\fonttbl {\\f0 Courier New;}}", "\\\\", "\\qr ", "\\vertalb ", "\\sect ", "W"};
    std::mt19937 rng(2026);
    QImage image(200, 200, QImage::Format_RGB32);
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int n = int(rng() % 80);
        for (int i = 0; i < n; ++i)
            text += pieces[rng() % (sizeof pieces / sizeof *pieces)];
        TextFormatRec f = Format("Arial", 1 + int(rng() % 30));
        for (int rotation : {0, 900}) {
            CTextBlock block;
            LineSpacing sp;
            sp.kind = int(rng() % 8);
            sp.value = float(int(rng() % 400) - 100);
            ASSERT_EQ(block.Layout(text, rotation, f, nullptr, false, true, sp, int(rng() % 500)), 1);
            EXPECT_GE(block.LineCount(), 1);
            CPainterDC dc(&image);
            RenderTextRequest r;
            r.dc = &dc;
            r.format = &f;
            r.text = text;
            r.rotation = rotation;
            r.rect = CRect(0, 0, 200, 200);
            r.block = &block;
            RenderFigTextBlock(r);
        }
        int caret = int(rng() % 50), s0 = 0, s1 = 0;
        bool changed = false;
        std::string wrapped = text;
        FitTextToArea(wrapped, CRect(0, 0, int(rng() % 300), 100), f, false, caret, s0, s1, changed);
        EXPECT_LE(wrapped.size(), std::max<size_t>(text.size(), 4095));
    }
}

} // namespace

namespace {

// Drawing in device pixels: the layout measured on the display is scaled by
// viewport / window extent, and so are the fonts.
TEST(TextRender, DeviceScalingDrawsInPixels)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    CRecordingDC dc(&image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(200, 200);
    dc.SetViewportExt(100, 100);
    dc.SetWindowOrg(100, 0);
    const TextFormatRec f = Format("Courier New", 10);
    RenderTextRequest r;
    r.dc = &dc;
    r.format = &f;
    r.text = "abc";
    r.rect = CRect(100, 0, 700, 400);
    r.deviceScaling = true;
    RenderFigTextBlock(r);
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].x, 0);                                   // device origin of the rectangle
    EXPECT_EQ(dc.calls[0].dx[0] + dc.calls[0].dx[1] + dc.calls[0].dx[2], 63 / 2);   // 3 x 21 units halved
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);                   // the DC is restored
    EXPECT_EQ(dc.GetWindowOrg(), CPoint(100, 0));
}

} // namespace
