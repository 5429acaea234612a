// The figure-style sample of the style lists and buttons: picture styles
// drawn smoothly come from the style's icon cache with edges whose alpha is
// recovered from a render on white and one on black; other styles, or with
// smooth drawing off, draw directly.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/ArgbBitmaps.h"
#include "render/FigStyleIcon.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

HGLOBAL Disc()
{
    QImage img(40, 40, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 90, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 36, 36);
    p.end();
    return ARGBBitmapToBlock(img);
}

struct FigStyleIconTest : testing::Test {
    DiagramFixture fx;
    HGLOBAL picture = Disc();
    CFigStyle* pictureStyle = nullptr;
    CFigStyle* plainStyle = nullptr;

    void SetUp() override
    {
        DisplayQuality = 1;
        CFigProps props;
        props.Symbol = fx.boxSymbol;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(250, 200, 120);
        fx.doc.m_figStyles.AddFigStyle(&props, "Plain", 0, 1, 0, "", "", 256, 172, "", "", nullptr, 0, "");
        props.m_nGraphicType = 9;
        props.Graphic = picture;
        props.m_fill.m_nKind = 0;
        props.BorderWidth = 0;
        fx.doc.m_figStyles.AddFigStyle(&props, "Picture", 0, 1, 0, "", "", 256, 256, "", "", nullptr, 0, "");
        plainStyle = fx.doc.m_figStyles.GetAt(fx.doc.m_figStyles.FindByName("Plain"));
        pictureStyle = fx.doc.m_figStyles.GetAt(fx.doc.m_figStyles.FindByName("Picture"));
    }
    void TearDown() override
    {
        // The block is the test's own, not in the document's picture list.
        pictureStyle->m_props.Graphic = nullptr;
        pictureStyle->m_props.m_nGraphicType = 0;
        GlobalFree(picture);
        DisplayQuality = 1;
    }
    QImage Draw(const CFigStyle& style, bool smooth, int key, QSize size = QSize(48, 36))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        CPainterDC dc(&image);
        CGraphics graphics(&dc);
        DrawFigStyleIcon(style, &fx.doc, &graphics, CRect(0, 0, size.width(), size.height()), smooth, key);
        dc.Flush();
        return image;
    }
    size_t Cached(const CFigStyle& s) const
    {
        const FigStyleIconCache* cache = FindFigStyleIconCache(s);
        return cache ? cache->Size() : 0;
    }
};

} // namespace

TEST_F(FigStyleIconTest, PictureStylesDrawnSmoothlyAreCachedBySizeAndKey)
{
    const QImage first = Draw(*pictureStyle, true, 1);
    EXPECT_EQ(Cached(*pictureStyle), 1u);
    EXPECT_EQ(Draw(*pictureStyle, true, 1), first);   // from the cache, alike
    EXPECT_EQ(Cached(*pictureStyle), 1u);
    Draw(*pictureStyle, true, 2);
    Draw(*pictureStyle, true, 1, QSize(30, 30));
    EXPECT_EQ(Cached(*pictureStyle), 3u);
    // The disc shows, blue in the middle, white around it.
    EXPECT_LT(qRed(first.pixel(24, 18)), 120);
    EXPECT_GT(qBlue(first.pixel(24, 18)), 150);
    EXPECT_EQ(first.pixel(1, 1), qRgb(255, 255, 255));
    // An edit of the style (its kind's stamp renewed) or another picture
    // makes the samples anew.
    fx.doc.m_figStyleStamp.AssignNext();
    Draw(*pictureStyle, true, 1);
    EXPECT_EQ(Cached(*pictureStyle), 1u);
    Draw(*pictureStyle, true, 2);
    HGLOBAL other = Disc();
    pictureStyle->m_props.Graphic = other;
    Draw(*pictureStyle, true, 1);
    EXPECT_EQ(Cached(*pictureStyle), 1u);
    pictureStyle->m_props.Graphic = picture;
    GlobalFree(other);
}

TEST_F(FigStyleIconTest, OtherStylesAndPlainDrawingSkipTheCache)
{
    const struct Case {
        bool picture, smooth;
        int quality;
    } cases[] = {{false, true, 1}, {true, false, 1}, {true, true, 0}};
    for (const Case& c : cases) {
        DisplayQuality = c.quality;
        const CFigStyle& style = c.picture ? *pictureStyle : *plainStyle;
        const QImage drawn = Draw(style, c.smooth, 1);
        EXPECT_EQ(Cached(style), 0u);
        EXPECT_NE(drawn.pixel(24, 18), qRgb(255, 255, 255));   // something drew
    }
    // A style the document does not hold draws nothing.
    CFigStyle stray(*plainStyle);
    EXPECT_EQ(Draw(stray, true, 1).pixel(24, 18), qRgb(255, 255, 255));
}

TEST(AlphaCorrectFromPair, RecoversAlphaAndTheUnblendedColour)
{
    const struct Case {
        QRgb onWhite, onBlack;
        int alpha, red, green, blue;
    } cases[] = {
        {qRgb(255, 255, 255), qRgb(0, 0, 0), 0, -1, -1, -1},          // nothing drawn
        {qRgb(10, 20, 30), qRgb(10, 20, 30), 255, 10, 20, 30},        // opaque
        {qRgb(255, 128, 128), qRgb(128, 0, 0), 127, 255, 0, 0},       // half-covered red edge
        {qRgb(191, 191, 255), qRgb(0, 0, 64), 64, 0, 0, 255},         // a quarter of blue
    };
    for (const Case& c : cases) {
        QImage w(1, 1, QImage::Format_RGB32), b(1, 1, QImage::Format_RGB32);
        w.setPixel(0, 0, c.onWhite);
        b.setPixel(0, 0, c.onBlack);
        const QRgb out = AlphaCorrectFromPair(w, b).pixel(0, 0);
        EXPECT_NEAR(qAlpha(out), c.alpha, 1);
        if (c.red >= 0) {
            EXPECT_NEAR(qRed(out), c.red, 2);
            EXPECT_NEAR(qGreen(out), c.green, 2);
            EXPECT_NEAR(qBlue(out), c.blue, 2);
        }
    }
    EXPECT_TRUE(AlphaCorrectFromPair(QImage(2, 2, QImage::Format_RGB32), QImage(3, 2, QImage::Format_RGB32)).isNull());
}
