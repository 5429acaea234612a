// A reviewed picture of a few samples: figure styles with their text, a
// connector style with its label on and beside the line in two colour modes,
// end symbols on lines, and the line-shape and end-symbol cells.
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include "ImageTestSupport.h"

#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "shapes/CConStyle.h"
#include "shapes/CFigStyle.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 260, kHeight = 150;
constexpr int kTolerance = 40;   // per channel: anti-aliased edges and glyphs
constexpr int kMaxOffPixels = 60;

// The indexes of the styles added: figure, then the two connector styles.
struct SampleStyles {
    int fig = -1, covered = -1, beside = -1;
};

SampleStyles AddStyles(CKavoDoc& doc)
{
    SampleStyles out;
    out.fig = doc.m_figStyles.GetCount();
    CFigStyle* fig = doc.m_figStyles.NewEntry();
    fig->Reset();
    fig->SetName("Process");
    fig->DefaultText = "Step";
    fig->m_props.Symbol = -1;
    fig->m_props.m_fill.m_nKind = 1;
    fig->m_props.m_fill.m_crColor1 = RGB(255, 230, 150);
    fig->m_props.BorderColor = RGB(0, 0, 160);
    fig->m_props.m_font.m_lf.lfHeight = -12;
    CFigStyle* label = doc.m_figStyles.NewEntry();
    label->Reset();
    label->SetName("Con label");
    label->Label = 1;
    label->m_props.Symbol = 1;
    label->m_props.m_fill.m_nKind = 0;
    label->m_props.BorderWidth = 0;
    label->m_props.m_font.m_lf.lfHeight = -11;
    doc.m_strConLabelStyle = "Con label";
    out.covered = doc.m_conStyles.GetCount();
    out.beside = out.covered + 1;
    for (int position : {0, 1}) {
        CConStyle* con = doc.m_conStyles.NewEntry();
        con->Reset();
        con->SetName(position ? "Labelled" : "Covered");
        con->AutoLabel = 1;
        con->AutoLabelText = "yes";
        con->AutoLabelPosition = position;
        con->FragmentAngle = 0;
        con->m_props.End2 = doc.m_endSymbols.FindByName("block");
        con->m_props.End2Length = 10;
        con->m_props.Color = RGB(0, 0, 200);
        con->m_props.End2FillColor = RGB(255, 255, 255);
    }
    return out;
}

QImage DrawSamples(CKavoDoc& doc, const SampleStyles& styles)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    CPainterDC dc(&img);
    // Row 1: a figure style with its default text, and its text sample.
    DrawFigStyleSample(&dc, styles.fig, &doc, RECT{5, 5, 85, 55}, StyleSampleArgs{});
    DrawTextSample(&dc, RECT{90, 5, 170, 55}, styles.fig, &doc, true);
    // Connector styles with their labels: on the line (light on white) and
    // beside it, light on black.
    {
        CGraphics g(&dc);
        DrawConStyleSampleGdip(RECT{175, 5, 255, 30}, *doc.m_conStyles.GetAt(styles.covered), &doc, &g, RGB(255, 255, 255), 1);
        CBrush black(RGB(0, 0, 0));
        const RECT dark{175, 32, 255, 57};
        dc.FillRect(&dark, &black);
        DrawConStyleSampleGdip(dark, *doc.m_conStyles.GetAt(styles.beside), &doc, &g, RGB(0, 0, 0), 0);
    }
    // Row 2: end symbols on lines, at either end, plain and filled.
    const CShapeDef* block = doc.m_endSymbols.GetAt(doc.m_endSymbols.FindByName("block"));
    const CShapeDef* bullet = doc.m_endSymbols.GetAt(doc.m_endSymbols.FindByName("bullet"));
    DrawEndSymbolOnLine(nullptr, &dc, RECT{5, 65, 69, 97}, true, block, true, false);
    DrawEndSymbolOnLine(nullptr, &dc, RECT{75, 65, 139, 97}, false, bullet, false, false);
    {
        CGraphics g(&dc);
        DrawEndSymbolOnLine(&g, nullptr, RECT{145, 65, 209, 97}, true, block, false, true);
    }
    // Row 3: the four line-shape cells and a few end-symbol cells.
    for (int i = 0; i < 4; ++i) {
        static const unsigned kFlags[4] = {0, 16, 2, 8};
        DrawLineSample(&dc, RECT{5 + i * 50, 105, 50 + i * 50, 125}, kFlags[i], i == 3);
    }
    for (int i = 1; i < 9; ++i)
        DrawEndSymbolSample(&dc, RECT{5 + (i - 1) * 24, 128, 25 + (i - 1) * 24, 148}, i, nullptr, false);
    dc.Flush();
    return img;
}

} // namespace

TEST(StyleSampleGolden, MatchesTheReviewedPicture)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const QImage img = DrawSamples(doc, AddStyles(doc));
    const QString path = QStringLiteral(KAVO_TEST_DATA_DIR "/render/style_samples.png");
    const QImage golden = GoldenFor(img, path);
    if (UpdatingGoldens())
        GTEST_SKIP() << "written " << path.toStdString();
    ASSERT_EQ(golden.size(), img.size()) << path.toStdString();
    EXPECT_LE(CountPixelsOff(img, golden, kTolerance), kMaxOffPixels);
}
