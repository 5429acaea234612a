// Drawing an area through the document's spatial index shows exactly what
// drawing it over the whole object list shows: a generated flowchart with
// line hops, blurred shadows and one figure spanning everything, tile by
// tile, before and after moves, deletion, reordering and undo. (Test runs
// also have the index check each answer against the whole list.)
#include "document/CKavoDoc.h"
#include "document/DocCommands.h"
#include "document/ObjIndex.h"
#include "kvdtool/KvdTool.h"
#include "platform/GdiObjects.h"
#include "render/BandedRender.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr int kScale = 4;   // logical units a pixel

QImage Tile(CKavoDoc& doc, const CRect& r)
{
    const std::unique_ptr<CBitmap> bmp =
        RenderToDDB(doc, kExportAll, r, r.Height() / kScale, r.Width() / kScale, RGB(255, 255, 255));
    return bmp ? bmp->Image().convertToFormat(QImage::Format_RGB32) : QImage();
}

// Every tile of a 5 x 4 cut of the drawing, drawn with the index and without.
void ExpectTilesMatchWholeList(CKavoDoc& doc, const char* when)
{
    const CRect all = GetExportRect(doc, kExportAll, nullptr, false);
    const int w = all.Width() / 5 + 1, h = all.Height() / 4 + 1;
    int drawn = 0;
    for (int ty = 0; ty < 4; ++ty)
        for (int tx = 0; tx < 5; ++tx) {
            const CRect r(all.left + tx * w, all.top + ty * h, all.left + (tx + 1) * w, all.top + (ty + 1) * h);
            const QImage indexed = Tile(doc, r);
            CObjIndex::SetEnabled(false);
            const QImage whole = Tile(doc, r);
            CObjIndex::SetEnabled(true);
            ASSERT_FALSE(whole.isNull());
            EXPECT_TRUE(indexed == whole) << when << ": tile " << tx << "," << ty;
            drawn += whole != QImage(whole.size(), whole.format()) ? 1 : 0;
        }
    EXPECT_GT(drawn, 0);
    // The banded export sorts the objects into its bands through the index
    // too: its right half, anti-aliased, on three threads.
    BandedRequest r;
    r.rect = CRect(all.CenterPoint().x, all.top, all.right, all.bottom);
    r.width = r.rect.Width() / kScale;
    r.height = r.rect.Height() / kScale;
    r.factor = 4;
    r.smoothing = 1;
    r.bandRows = 5;
    r.threads = 3;
    const QImage banded = RenderBandedImage(doc, r);
    CObjIndex::SetEnabled(false);
    const QImage wholeBanded = RenderBandedImage(doc, r);
    CObjIndex::SetEnabled(true);
    ASSERT_FALSE(wholeBanded.isNull());
    EXPECT_TRUE(banded == wholeBanded) << when << ": banded";
}

CConnector* FloatingCon(CKavoDoc& doc, const CPoint& a, const CPoint& b)
{
    auto* c = new CConnector(&doc);
    c->EndPoint1 = a;
    c->EndPoint2 = b;
    c->m_props.LineWidth = 6;
    doc.m_pObjList->AddTail(c);
    return c;
}

TEST(ObjIndexPicture, TilesDrawnThroughTheIndexMatchTheWholeList)
{
    InstallExportDrawer();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(GenerateDiagram(doc, 60));
    doc.m_bConnectorJogs = 1;
    const CRect all = GetExportRect(doc, kExportAll, nullptr, false);
    // Long lines across the routes hop over them (the crossing pass asks the
    // index for its neighbours); one runs corner to corner, over far more
    // cells than an object is listed in.
    FloatingCon(doc, all.TopLeft(), all.BottomRight());
    FloatingCon(doc, CPoint(all.left, all.CenterPoint().y), CPoint(all.right, all.CenterPoint().y));
    // A figure behind everything, and blurred shadows that reach past their
    // figures' bounds.
    CFigProps props;
    auto* back = new CFigure(all.left, all.top, all.Width(), all.Height(), props, -1, 0, "", "",
                             CFigure::CreateArgs(), &doc);
    doc.m_pObjList->InsertAt(0, back);
    doc.m_shadowSpec.m_nType = 1;
    doc.m_shadowSpec.m_nBlur = 40;
    doc.m_shadowSpec.m_nOffsetX = 60;
    doc.m_shadowSpec.m_nOffsetY = 60;
    int shadowed = 0;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure && o != back && shadowed++ % 3 == 0)
            static_cast<CFigure*>(o)->m_props.Shadow = 1;
    doc.UpdateAllViews(nullptr, 0, nullptr);
    ExpectTilesMatchWholeList(doc, "generated");

    // A box and what hangs on it moved far, through the move path.
    CDiagObj* box = nullptr;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure && o != back && !static_cast<CFigure*>(o)->IsInvisible())
            box = o;
    ASSERT_NE(box, nullptr);
    doc.SelectObj(box, 1, 0, 0);
    ASSERT_EQ(doc.MoveSelection(-all.Width() / 2, all.Height() / 3, 0, false), 1);
    ExpectTilesMatchWholeList(doc, "moved");
    doc.BringToFront();
    doc.SelectObj(back, 1, 0, 0);
    doc.BringToFront();
    ExpectTilesMatchWholeList(doc, "reordered");
    OnEditClear(doc);
    ExpectTilesMatchWholeList(doc, "deleted");
    doc.UndoLastStep();
    doc.UndoLastStep();
    ExpectTilesMatchWholeList(doc, "undone");
    SetExportDrawer(nullptr);
}

} // namespace
