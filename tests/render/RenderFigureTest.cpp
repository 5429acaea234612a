#include "render/RenderFigure.h"

#include "document/ShadowDescription.h"
#include "platform/GlobalMem.h"
#include "render/ArgbBitmaps.h"
#include "platform/CPainterDC.h"
#include "platform/MetaPictures.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "platform/metafile/WmfParse.h"
#include "shapes/CFigProps.h"
#include "shapes/SymbolTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

TEST(RenderFigure, LighteningRules)
{
    EXPECT_EQ(HighlightColor(RGB(0, 0, 0)), RGB(153, 153, 153));
    EXPECT_EQ(HighlightColor(RGB(255, 100, 0)), RGB(255, 100 + (765 - 300) / 5, 153));
    struct Case { int mode, opacity, expected; };
    for (const Case& c : {Case{2, 224, 224}, Case{2, 223, 148}, Case{0, 100, 100}}) {
        int opacity = c.opacity;
        COLORREF colour = RGB(0, 0, 100);
        AdjustShadowForMode(c.mode, opacity, colour);
        EXPECT_EQ(opacity, c.expected);
        EXPECT_EQ(colour, c.expected == c.opacity ? RGB(0, 0, 100) : RGB(127, 127, 177));
    }
}

TEST(RenderFigure, ShadowFirstThenTheFigure)
{
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    CFigProps props;
    props.m_fill.m_nKind = 1;
    props.m_fill.m_crColor1 = RGB(255, 255, 0);
    const QPolygonF outline({QPointF(20, 20), QPointF(60, 20), QPointF(60, 50), QPointF(20, 50)});
    auto draw = [&](const CShadowSpec& shadow) {
        QImage img(100, 80, QImage::Format_RGB32);
        img.fill(Qt::white);
        CPainterDC dc(&img);
        FigRenderCtx ctx;
        EXPECT_EQ(RenderFigure(nullptr, &dc, ctx, nullptr, nullptr, RECT{20, 20, 60, 50}, props, &b.sym,
                               nullptr, &shadow, &outline),
                  1);
        dc.Flush();
        return img;
    };
    const QImage shadowed = draw(CShadowSpec(1, RGB(0, 0, 0), 8, 8, 4, 200));
    EXPECT_LT(qRed(shadowed.pixel(64, 54)), 200);           // the shadow beside the figure
    EXPECT_EQ(shadowed.pixel(40, 35) & 0xFFFFFF, 0xFFFF00u);  // the figure over it
    const QImage none = draw(CShadowSpec(0, RGB(0, 0, 0), 8, 8, 4, 200));
    EXPECT_EQ(none.pixel(64, 54) & 0xFFFFFF, 0xFFFFFFu);
    props.m_fill.m_nKind = 0;  // a hollow figure casts no shadow
    const QImage hollow = draw(CShadowSpec(1, RGB(0, 0, 0), 8, 8, 4, 200));
    EXPECT_EQ(hollow.pixel(64, 54) & 0xFFFFFF, 0xFFFFFFu);
}

// Whether the document prepares an outline for its shadow: a soft shadow
// that is opaque enough and set off from the figure or blurred.
TEST(RenderFigure, ShadowVisibility)
{
    struct Case { int type, dx, dy, blur, opacity; bool visible; };
    for (const Case& c : {Case{1, 4, 4, 4, 200, true}, Case{1, 1, 0, 0, 5, true}, Case{1, 1, 0, 0, 4, false},
                          Case{1, 0, 0, 0, 200, false}, Case{1, 0, 0, 3, 200, true}, Case{1, 0, -2, 0, 200, true},
                          Case{0, 4, 4, 4, 200, false}, Case{2, 4, 4, 4, 200, false}}) {
        const CShadowSpec shadow(c.type, RGB(0, 0, 0), c.dx, c.dy, c.blur, c.opacity);
        EXPECT_EQ(shadow.IsVisible(), c.visible)
            << c.type << " " << c.dx << "," << c.dy << " blur " << c.blur << " opacity " << c.opacity;
    }
}

// A picture casts a shadow although the figure has no fill and no symbol.
TEST(RenderFigure, APictureCastsAShadowWithoutFill)
{
    QImage red(4, 4, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    CFigProps props;
    props.m_fill.m_nKind = 0;
    props.m_nGraphicType = 9;
    props.Graphic = ARGBBitmapToBlock(red);
    ASSERT_NE(props.Graphic, nullptr);
    const QPolygonF outline({QPointF(20, 20), QPointF(60, 20), QPointF(60, 50), QPointF(20, 50)});
    QImage img(100, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CPainterDC dc(&img);
        FigRenderCtx ctx;
        const CShadowSpec shadow(1, RGB(0, 0, 0), 8, 8, 4, 200);
        RenderFigure(nullptr, &dc, ctx, nullptr, nullptr, RECT{20, 20, 60, 50}, props, nullptr, nullptr, &shadow,
                     &outline);
        dc.Flush();
    }
    GlobalFree(props.Graphic);
    EXPECT_LT(qRed(img.pixel(64, 54)), 200);                // the shadow beside the picture
    EXPECT_EQ(img.pixel(40, 35) & 0xFFFFFF, 0xFF0000u);     // the picture over it
}

namespace {
// A yellow square with a soft black shadow (offset 8, softness 8, opacity
// 128) over a red box behind it, drawn in one drawing mode.
struct ShadowOverBox {
    SymbolBuilder b;
    CFigProps props;
    const QPolygonF outline =
        QPolygonF() << QPointF(20, 20) << QPointF(60, 20) << QPointF(60, 50) << QPointF(20, 50);
    CShadowSpec shadow{1, RGB(0, 0, 0), 8, 8, 8, 128};

    ShadowOverBox()
    {
        b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(255, 255, 0);
    }
    void Draw(CDC& dc, int mode) const
    {
        CBrush red(RGB(255, 0, 0));
        const RECT box{50, 40, 110, 85};
        dc.FillRect(&box, &red);
        FigRenderCtx ctx;
        ctx.mode = mode;
        RenderFigure(nullptr, &dc, ctx, nullptr, nullptr, RECT{20, 20, 60, 50}, props, &b.sym, nullptr, &shadow,
                     &outline);
    }
};

const QSize kPicture(120, 90);

// Red shows through: neither covered with white nor with black.
void ExpectBoxShows(const QImage& img, int x, int y, const char* what)
{
    const QRgb p = img.pixel(x, y);
    EXPECT_GT(qRed(p), 100) << what << " at " << x << "," << y;
    EXPECT_LT(qGreen(p), 60) << what << " at " << x << "," << y;
    EXPECT_LT(qBlue(p), 60) << what << " at " << x << "," << y;
}
}  // namespace

// An enhanced metafile keeps the shadow's alpha: played back, the box behind
// shows through the shadow and around it, as in the direct drawing.
TEST(RenderFigure, SoftShadowInAnEnhancedMetafileKeepsWhatLiesBehind)
{
    const ShadowOverBox scene;
    QImage direct = WhitePicture(kPicture);
    {
        CPainterDC dc(&direct);
        scene.Draw(dc, kFigModeEmf);
    }
    HENHMETAFILE emf = RecordEmfPicture(kPicture, [&](CDC& dc) { scene.Draw(dc, kFigModeEmf); });
    ASSERT_NE(emf, nullptr);
    const QImage played = PlayEmfPicture(kPicture, emf);
    DeleteEnhMetaFile(emf);
    for (const QImage* img : std::initializer_list<const QImage*>{&direct, &played}) {
        const char* what = img == &direct ? "direct" : "played";
        ExpectBoxShows(*img, 62, 52, what);  // under the shadow
        ExpectBoxShows(*img, 77, 67, what);  // the shadow's faded corner
        EXPECT_EQ(img->pixel(40, 35) & 0xFFFFFF, 0xFFFF00u) << what;  // the figure
    }
    EXPECT_LT(qRed(played.pixel(62, 52)), 230);  // the shadow darkens the box
    EXPECT_LT(PictureMismatch(direct, played), 0.01);
}

// A Windows metafile holds no alpha: the shadow is one opaque fill of its own
// shape, so the box beyond that shape is not covered, and no bitmap is written.
TEST(RenderFigure, SoftShadowInAWindowsMetafileIsAnOpaqueShape)
{
    const ShadowOverBox scene;
    CWmfRecorderDC rec;
    scene.Draw(rec, kFigModeWmf);
    const std::vector<BYTE> bits = rec.Close();
    ASSERT_FALSE(bits.empty());
    int dibs = 0;
    WalkWmfRecords(MetaBytes(bits.data(), bits.size()), [&](MetaBytes r) {
        dibs += WmfRecordFunction(r) == META_STRETCHDIB;
        return true;
    });
    EXPECT_EQ(dibs, 0);
    const QImage played = PlayWmfPicture(kPicture, bits);
    ExpectBoxShows(played, 77, 67, "wmf");
    EXPECT_EQ(played.pixel(40, 35) & 0xFFFFFF, 0xFFFF00u);
    const QRgb shade = played.pixel(64, 54);  // the shadow: grey, half black over white
    EXPECT_NEAR(qRed(shade), 127, 3);
    EXPECT_EQ(qRed(shade), qBlue(shade));

    // An invisible shadow is no white shape either.
    ShadowOverBox clear;
    clear.shadow.m_nOpacity = 0;
    CWmfRecorderDC clearRec;
    clear.Draw(clearRec, kFigModeWmf);
    ExpectBoxShows(PlayWmfPicture(kPicture, clearRec.Close()), 64, 54, "invisible shadow");
}
