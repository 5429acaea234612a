// The preview written into diagram files: the whole drawing in 124 x 112 on
// white, none for an empty diagram.
#include "document/CKavoDoc.h"
#include "platform/PackedDib.h"
#include "render/DocDrawObjects.h"
#include "render/PreviewRender.h"

#include <gtest/gtest.h>

TEST(PreviewRender, DrawingFitsTheSmallPictureOnWhite)
{
    InstallExportDrawer();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(RenderDocPreview(doc), nullptr);
    for (int i = 0; i < 2; ++i) {
        auto* fig = new CFigure(&doc);
        fig->m_rect = CRect(i * 600, 0, i * 600 + 400, 300);
        fig->m_props = doc.m_figStyles.GetAt(0)->m_props;
        fig->m_nStyle = 0;
        fig->m_strText = "\\b WWWW MMMM\\b0 ";
        fig->m_nId = doc.m_nNextId++;
        ASSERT_TRUE(doc.AddFig(fig));
    }
    HGLOBAL h = RenderDocPreview(doc);
    ASSERT_NE(h, nullptr);
    QImage image;
    {
        CGlobalLock lock(h);
        image = DibToImage(lock.data(), lock.size());
    }
    GlobalFree(h);
    ASSERT_EQ(image.size(), QSize(124, 112));
    if (qEnvironmentVariableIsSet("KAVO_SAVE_PREVIEW"))
        image.save(qEnvironmentVariable("KAVO_SAVE_PREVIEW"));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            coloured += image.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
    EXPECT_GT(coloured, 20);
}
