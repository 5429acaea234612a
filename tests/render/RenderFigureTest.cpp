#include "render/RenderFigure.h"

#include "document/ShadowDescription.h"
#include "platform/CPainterDC.h"
#include "shapes/CFigProps.h"
#include "shapes/SymbolTestSupport.h"

#include <gtest/gtest.h>

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
