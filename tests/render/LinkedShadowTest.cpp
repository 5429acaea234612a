// Figures joined by a figure link cast one shadow: where their soft shadows
// meet, the shade is that of one shadow, not of two laid over each other.
#include "ImageTestSupport.h"
#include "common/DiagramFixture.h"
#include "document/CStaple.h"
#include "platform/GdiObjects.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <gtest/gtest.h>

namespace {

QImage RenderPair(bool linked)
{
    InstallExportDrawer();
    DiagramFixture d;
    d.doc.m_shadowSpec = CShadowSpec(1, RGB(0, 0, 0), 0, 20, 16, 128);
    CFigure* a = d.AddBox(20, 20, 80, 80, "");
    CFigure* b = d.AddBox(110, 20, 80, 80, "");
    a->m_props.Shadow = b->m_props.Shadow = 1;
    if (linked) {
        auto* s = new CStaple(&d.doc);
        s->MakeFigLink(a, 255, 127, b, 0, 127, 0, 0);
        s->PinType = 1;
        EXPECT_TRUE(d.doc.AddStapleWithId(s));
    }
    const CRect rect(0, 0, 220, 160);
    const std::unique_ptr<CBitmap> bitmap = RenderToDDB(d.doc, kExportAll, rect, rect.Height(), rect.Width(), 0xFFFFFF);
    return bitmap ? bitmap->Image().convertToFormat(QImage::Format_RGB32) : QImage();
}

} // namespace

TEST(LinkedShadow, LinkedFiguresCastOneShadow)
{
    const QImage apart = RenderPair(false);
    const QImage linked = RenderPair(true);
    ASSERT_FALSE(apart.isNull());
    ASSERT_FALSE(linked.isNull());
    if (const QString dir = qEnvironmentVariable("KAVO_SHOTS"); !dir.isEmpty()) {
        apart.save(dir + "/linked-shadow-apart.png");
        linked.save(dir + "/linked-shadow-one.png");
    }
    // Between the two figures, below them: both soft shadows reach here.
    const int between = qGray(apart.pixel(105, 112)), once = qGray(linked.pixel(105, 112));
    EXPECT_LT(once, 255);
    EXPECT_GT(once, between);
    // Under the middle of each figure the one shadow is as dark as its own.
    for (int x : {60, 150})
        EXPECT_NEAR(qGray(linked.pixel(x, 112)), qGray(apart.pixel(x, 112)), 2) << x;
}
