// A reviewed picture of every built-in end shape, every line shape, every
// dash style and a flow-stamped line, drawn through the device context (and
// the line shapes once more through the anti-aliased graphics), compared with
// tests/data/render/connector_gallery.png within a small per-pixel tolerance.
// KAVO_UPDATE_GOLDEN=1 writes the picture instead (review it before committing).
#include "ImageTestSupport.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"
#include "render/ConDrawContext.h"
#include "render/ConLineShapes.h"
#include "render/ConnectorDraw.h"
#include "shapes/ShapeLibrary.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 360;
constexpr int kTolerance = 48;       // per channel
constexpr int kMaxOffPixels = 40;    // pixels beyond the tolerance

ConRoute Route(std::vector<CPoint> pts)
{
    ConRoute r;
    r.points = std::move(pts);
    return r;
}

void DrawGallery(CKavoDoc& doc, CDC& dc, bool withGraphics)
{
    ConDrawCtx ctx;
    ctx.mode = kDrawModeScreenNoHandles;
    // Every end shape at end 2 of a short line, four rows of five.
    for (int i = 0; i < doc.m_endSymbols.GetCount(); ++i) {
        CConProps props;
        props.End2 = i;
        props.End2Length = 12;
        props.End2FillColor = RGB(120, 170, 255);
        const int x = 10 + (i % 5) * 80, y = 20 + (i / 5) * 30;
        DrawConnector(nullptr, &dc, &ctx, Route({{x, y}, {x + 60, y}}), props, &doc, ConDrawArgs{});
    }
    // The line shapes on one zigzag: straight, curve, smooth, rounded.
    const DWORD shapes[4] = {0, CONSHAPE_CURVE, CONSHAPE_SMOOTH, CONSHAPE_ROUND};
    for (int k = 0; k < 4; ++k) {
        CConProps props;
        props.Behavior.low = shapes[k];
        props.LineWidth = 2;
        props.Color = RGB(0, 0, 160);
        const int x = 10 + k * 100, y = 150;
        DrawConnector(nullptr, &dc, &ctx, Route({{x, y + 40}, {x + 25, y}, {x + 55, y + 40}, {x + 85, y}}),
                      props, &doc, ConDrawArgs{});
        if (!withGraphics)
            continue;
        CGraphics g(&dc);
        props.Color = RGB(160, 0, 0);
        ctx.flags = kDrawFlagAntiAlias;
        g.SetSmoothingMode(GpSmoothingMode::HighQuality);
        DrawConnector(&g, nullptr, &ctx, Route({{x, y + 90}, {x + 25, y + 50}, {x + 55, y + 90}, {x + 85, y + 50}}),
                      props, &doc, ConDrawArgs{});
        ctx.flags = 0;
    }
    // The twelve dash styles at width 2.
    for (int style = 0; style < 12; ++style) {
        CConProps props;
        props.PenStyle = style;
        props.LineWidth = 2;
        const int x = 10 + (style % 2) * 205, y = 252 + (style / 2) * 10;
        DrawConnector(nullptr, &dc, &ctx, Route({{x, y}, {x + 190, y}}), props, &doc, ConDrawArgs{});
    }
    // Flow stamps along a bent line.
    CConProps flow;
    flow.FIType = StampShapes().FindByName("FI_ARWHEAD");
    flow.FISize = 10;
    flow.FISpacing = 30;
    flow.FIFillClr = RGB(255, 200, 0);
    DrawConnector(nullptr, &dc, &ctx, Route({{10, 345}, {200, 345}, {200, 322}, {400, 322}}), flow, &doc,
                  ConDrawArgs{});
}

int CountOff(const QImage& a, const QImage& b)
{
    return CountPixelsOff(a, b, kTolerance);
}

QImage WhiteGalleryImage()
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    return img;
}

class ConnectorGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        if (StampShapes().GetCount() == 0)
            StampShapes().BuildStampShapes();
    }
    CKavoDoc doc;
};

} // namespace

// The gallery at 100 % and at 200 % (the mapping doubles every length,
// pens and end shapes included).
class ConnectorGalleryZoom : public ConnectorGallery, public ::testing::WithParamInterface<int> {};

TEST_P(ConnectorGalleryZoom, MatchesTheReviewedPicture)
{
    const int zoom = GetParam();
    QImage img(kWidth * zoom, kHeight * zoom, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    {
        CPainterDC dc(&img);
        if (zoom != 1) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(1, 1);
            dc.SetViewportExt(zoom, zoom);
        }
        DrawGallery(doc, dc, true);
    }
    const QString path = QStringLiteral(KAVO_TEST_DATA_DIR "/render/connector_gallery") +
                         (zoom == 1 ? QString() : QStringLiteral("_%1").arg(zoom * 100)) + QStringLiteral(".png");
    const QImage golden = GoldenFor(img, path);
    if (UpdatingGoldens())
        GTEST_SKIP() << "written " << path.toStdString();
    ASSERT_EQ(golden.size(), img.size()) << path.toStdString();
    EXPECT_LE(CountOff(img, golden), kMaxOffPixels * zoom * zoom);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ConnectorGalleryZoom, ::testing::Values(1, 2));

TEST_F(ConnectorGallery, RecordedToAMetafileAndPlayedBackItMatchesDirectDrawing)
{
    QImage direct = WhiteGalleryImage();
    {
        CPainterDC dc(&direct);
        DrawGallery(doc, dc, false);
    }
    const CDeviceCaps caps = DisplayDeviceCaps();
    const RECT frame{0, 0, MulDiv(kWidth, caps.horzSizeMm * 100, caps.horzRes),
                     MulDiv(kHeight, caps.vertSizeMm * 100, caps.vertRes)};
    auto recorder = CreateEnhMetaFile(&frame, {});
    DrawGallery(doc, *recorder, false);
    HENHMETAFILE emf = CloseEnhMetaFile(recorder.get());
    ASSERT_NE(emf, nullptr);
    QImage played = WhiteGalleryImage();
    {
        CPainterDC dc(&played);
        const RECT dest{0, 0, kWidth, kHeight};
        EXPECT_TRUE(PlayEnhMetaFile(&dc, emf, &dest));
    }
    DeleteEnhMetaFile(emf);
    EXPECT_LE(CountOff(direct, played), kMaxOffPixels);
    EXPECT_GT(CountOff(played, WhiteGalleryImage()), 1000);   // drawn at all
}
