// The benchmark's diagram (boxes, arrows, routes through junctions) drawn in
// bands on several threads equals it drawn whole, anti-aliased or not.
#include "document/CKavoDoc.h"
#include "graphics/BicubicShrink.h"
#include "kvdtool/KvdTool.h"
#include "platform/GdiObjects.h"
#include "render/BandedRender.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BandedGenExport, BandsEqualTheDiagramDrawnWhole)
{
    InstallExportDrawer();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(GenerateDiagram(doc, 30));
    for (int factor : {4, 1}) {
        SCOPED_TRACE(factor);
        BandedRequest r;
        r.rect = GetExportRect(doc, kExportAll, nullptr, false);
        r.width = r.rect.Width() * 96 / 256 / 2;  // 50%
        r.height = r.rect.Height() * 96 / 256 / 2;
        r.factor = factor;
        r.smoothing = factor > 1;
        r.bandRows = 3;
        r.threads = 4;
        const QImage banded = RenderBandedImage(doc, r);
        const std::unique_ptr<CBitmap> drawn =
            RenderToDDB(doc, kExportAll, r.rect, r.height * factor, r.width * factor, r.background, r.smoothing, factor);
        ASSERT_TRUE(drawn);
        QImage whole = drawn->Image().convertToFormat(QImage::Format_RGB32);
        if (factor > 1)
            whole = ShrinkRows(whole, 0, whole.height(), 0, r.height, MakeShrinkKernel(factor));
        ASSERT_EQ(banded.size(), whole.size());
        for (int y = 0; y < whole.height(); ++y)
            ASSERT_EQ(std::memcmp(banded.constScanLine(y), whole.constScanLine(y), size_t(whole.width()) * 4), 0)
                << "row " << y;
    }
}
