// The view's page background, grid, crop marks, repaint hints and the
// document's drawing pass with figure texts.
#include "core/Settings.h"
#include "core/Units.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "document/PageLayout.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"
#include "render/ViewPaint.h"

#include "common/DiagramFixture.h"
#include "render/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace {
QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

int CountColour(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

struct ViewPaintTest : testing::Test {
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    CFigure* AddFig(int x, int y, int w, int h, const std::string& text) { return fx.AddBox(x, y, w, h, text); }
};
} // namespace

TEST_F(ViewPaintTest, VisibleAreaOffThePageShowsOnlyTheOffPageColour)
{
    doc.m_bShowGrid = 0;
    QImage img = WhiteImage(60, 40);
    CPainterDC dc(&img);
    const CRect page = GetPageAreaRect(doc);
    const CRect visible(page.right + 100, 0, page.right + 160, 40);
    dc.SetWindowOrg(visible.left, visible.top);
    DrawPageBackground(dc, doc, visible, 9, 1.0);
    dc.Flush();
    EXPECT_EQ(CountColour(img, Rgb(OffPageColor)), 60 * 40);
}

TEST_F(ViewPaintTest, PageShowsOutlineShadowAndMarginBreaks)
{
    doc.m_bShowGrid = 0;
    QImage img = WhiteImage(240, 240);
    CPainterDC dc(&img);
    dc.SetWindowOrg(doc.m_rcPage.right - 180, doc.m_rcPage.bottom - 180);
    DrawPageBackground(dc, doc, CRect(doc.m_rcPage.right - 180, doc.m_rcPage.bottom - 180, doc.m_rcPage.right + 60,
                                      doc.m_rcPage.bottom + 60), 9, 1.0);
    dc.Flush();
    // Page outline on the page's last column, black bands of 3 units beyond.
    EXPECT_EQ(img.pixel(180, 30) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(182, 30) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(184, 30) & 0xFFFFFF, Rgb(OffPageColor) & 0xFFFFFF);
    EXPECT_GT(CountColour(img, Rgb(MarginsColor)), 0);
    EXPECT_GT(CountColour(img, Rgb(PageColor)), 0);
}

TEST_F(ViewPaintTest, GridNeedsStepsOfTwoAndSpreadsToEightPixels)
{
    doc.m_bShowGrid = 1;
    ShowGridAsDots = 0;
    struct Case {
        int step;
        double unitsPerPixel;
        bool drawn;
        int stepY = 0;   // 0: the same as step
    } cases[] = {{1, 1.0, false}, {2, 1.0, true}, {20, 1.0, true}, {2, 1000.0, true},
                 // Both steps must be at least 2.
                 {1, 1.0, false, 20}, {20, 1.0, false, 1}};
    for (const Case& c : cases) {
        doc.m_nGridX = c.step;
        doc.m_nGridY = c.stepY ? c.stepY : c.step;
        QImage img = WhiteImage(50, 50);
        CPainterDC dc(&img);
        DrawViewGrid(dc, doc, CRect(0, 0, 50, 50), c.unitsPerPixel);
        dc.Flush();
        const int lines = CountColour(img, Rgb(GridColor));
        EXPECT_EQ(lines > 0, c.drawn) << c.step;
        // Never closer than 8 pixels: at most 7 lines each way across 50.
        EXPECT_LE(lines, 2 * 7 * 50) << c.step;
    }
}

TEST_F(ViewPaintTest, CropMarksAreOnePixelWideAtAnyScale)
{
    QImage img = WhiteImage(200, 200);
    CPainterDC dc(&img);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(1, 1);
    dc.SetWindowOrg(0, 0);
    // A 4x scale: a pen of one logical unit would be four pixels wide.
    dc.SetViewportExt(4, 4);
    DrawCropMarks(dc, CRect(0, 0, 300, 300), 1, 2, 2);
    dc.Flush();
    // Row 4 (y = 1 unit) carries the top arm; rows around it stay white.
    EXPECT_NE(img.pixel(20, 4) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(20, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(20, 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ViewPaintTest, UpdateHintsRepaintAllARectangleOrNothing)
{
    SetScreenPixelHeightForTest(768);
    CZoomMapping m;
    m.SetZoomScrollSizes(CSize(733, 948), CRect(0, 0, 2201, 2845), 25, 5);
    m.m_rectWorkLog = CRect(0, 0, 2201, 2845);
    bool all = false;
    CRect rc;
    EXPECT_TRUE(HintRepaintRect(0, nullptr, 9, m, all, rc));
    EXPECT_TRUE(all);
    EXPECT_FALSE(HintRepaintRect(2, nullptr, 9, m, all, rc));
    EXPECT_FALSE(HintRepaintRect(7, &rc, 9, m, all, rc));
    const CRect obj(300, 300, 600, 450);
    ASSERT_TRUE(HintRepaintRect(1, &obj, 9, m, all, rc));
    EXPECT_FALSE(all);
    const CPoint tl = m.LogicalToDevice(CPoint(290, 290));
    EXPECT_EQ(rc.left, tl.x - 1);
    EXPECT_EQ(rc.top, tl.y - 1);
    SetScreenPixelHeightForTest(0);
}

TEST_F(ViewPaintTest, DrawingPassDrawsFigureTextsAndFiltersTheSelection)
{
    CFigure* a = AddFig(10, 10, 120, 60, "Hello");
    CFigure* b = AddFig(150, 10, 80, 60, "");
    doc.Select(b);
    auto render = [&](int filter) {
        QImage img = WhiteImage(260, 90);
        CPainterDC dc(&img);
        CDiagObjDrawCtx ctx;
        ctx.handleSize = 7;
        ctx.filter = filter;
        DrawDocObjects(doc, nullptr, &dc, ctx);
        dc.Flush();
        return img;
    };
    const QImage all = render(kDrawFilterAll);
    // Text inside the first figure's body (away from its border).
    EXPECT_GT(CountNotWhite(all.copy(20, 20, 100, 40), 0, 100), 0);
    // The selected figure carries handles (HandleColor squares).
    EXPECT_GT(CountColour(all, Rgb(HandleColor)), 0);
    const QImage selected = render(kDrawFilterSelected);
    EXPECT_EQ(CountNotWhite(selected.copy(0, 0, 140, 90), 0, 140), 0);
    EXPECT_GT(CountColour(selected, Rgb(HandleColor)), 0);
    (void)a;
}

// An area beside a selected figure shows the handles that reach into it:
// the objects near the area are found with the reach handles add.
TEST_F(ViewPaintTest, AnAreaBesideASelectedFigureShowsItsHandles)
{
    CFigure* a = AddFig(10, 10, 120, 60, "");
    doc.Select(a);
    const auto render = [&] {
        QImage img = WhiteImage(160, 90);
        CPainterDC dc(&img);
        CDiagObjDrawCtx ctx;
        ctx.handleSize = 7;
        ctx.clipRect = CRect(a->m_rect.right + 4, 0, a->m_rect.right + 10, 90);
        DrawDocObjects(doc, nullptr, &dc, ctx);
        dc.Flush();
        return img;
    };
    const QImage indexed = render();
    EXPECT_GT(CountColour(indexed, Rgb(HandleColor)), 0);
    CObjIndex::SetEnabled(false);
    const QImage whole = render();
    CObjIndex::SetEnabled(true);
    EXPECT_TRUE(indexed == whole);
}

TEST_F(ViewPaintTest, ExportsDrawThroughTheDrawingPass)
{
    CFigure* a = AddFig(0, 0, 200, 100, "");
    CFigure* b = AddFig(300, 0, 200, 100, "");
    b->m_props.m_fill.m_crColor1 = RGB(255, 0, 0);
    doc.Select(b);
    InstallExportDrawer();
    const auto render = [&](int which) {
        const std::unique_ptr<CBitmap> bmp = RenderToDDB(doc, which, CRect(0, 0, 502, 102), 51, 251, 0xFFFFFF);
        return bmp ? bmp->Image().convertToFormat(QImage::Format_RGB32) : QImage();
    };
    // All objects: the first figure's outline on the left, the red one on
    // the right; the selection alone: only the red one.
    const QImage all = render(kExportAll);
    ASSERT_FALSE(all.isNull());
    EXPECT_GT(CountNotWhite(all, 0, 110), 0);
    EXPECT_GT(CountColour(all, qRgb(255, 0, 0)), 0);
    const QImage selected = render(kExportSelected);
    EXPECT_EQ(CountNotWhite(selected, 0, 110), 0);
    EXPECT_GT(CountColour(selected, qRgb(255, 0, 0)), 0);
    SetExportDrawer(nullptr);
    (void)a;
}

TEST_F(ViewPaintTest, PrintedTilesMapTheirSheetOntoThePage)
{
    doc.m_nPosterCols = 2;
    doc.m_nPosterRows = 2;
    const CRect sheet = doc.m_rcPage;
    CZoomMapping m;
    for (int page = 1; page <= 4; ++page) {
        CPainterDC dc;
        CDiagObjDrawCtx ctx;
        ctx.pageIndex = page;
        ctx.printSize = CSize(1000, 1300);
        PreparePrintMapping(dc, ctx, 2, doc, m);
        const int col = (page - 1) % 2, row = (page - 1) / 2;
        const CPoint tl(sheet.left + col * sheet.Width(), sheet.top + row * sheet.Height());
        EXPECT_EQ(ctx.clipRect, CRect(tl.x, tl.y, tl.x + sheet.Width(), tl.y + sheet.Height())) << page;
        EXPECT_EQ(ctx.handleSize, 1);
        POINT p[2] = {tl, CPoint(tl.x + sheet.Width(), tl.y + sheet.Height())};
        dc.LPtoDP(p, 2);
        EXPECT_EQ(p[0].x, 0);
        EXPECT_EQ(p[0].y, 0);
        EXPECT_EQ(p[1].x, 1000);
        EXPECT_EQ(p[1].y, 1300);
    }
}

TEST_F(ViewPaintTest, OnePagePrintsWithoutCropMarksTheirFrameOtherwise)
{
    // Crop marks are asked for only with more than one column or row; the
    // marks themselves sit 1 unit inside the tile's corners.
    QImage img = WhiteImage(120, 120);
    CPainterDC dc(&img);
    DrawCropMarks(dc, CRect(0, 0, 100, 100), 1, 2, 1);
    dc.Flush();
    EXPECT_NE(img.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(img.pixel(97, 97) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
}

// On a printer with an unprintable border the page area, the printed tiles
// and the page breaks follow the document's page layout: the first sheet
// whole, each further one only its printable part.
TEST_F(ViewPaintTest, PrintedTilesAreThePrintableAreasOfTheLayout)
{
    ResetPageSettings(doc);
    const CRect paper = doc.m_rcPage;
    struct Case {
        int border, cols, rows;
    } cases[] = {{0, 2, 1}, {64, 2, 1}, {64, 2, 3}, {100, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "border " << c.border << " " << c.cols << "x" << c.rows);
        doc.m_rcPrintable = paper;
        doc.m_rcPrintable.DeflateRect(c.border, c.border);
        doc.m_nPosterCols = c.cols;
        doc.m_nPosterRows = c.rows;
        CRect area;
        GetPageAreaRect(doc, area);
        EXPECT_EQ(GetPageAreaRect(doc), area);
        EXPECT_EQ(PrintTileRect(doc), doc.m_rcPrintable);
        for (int page = 1; page <= c.cols * c.rows; ++page) {
            CPainterDC dc;
            CDiagObjDrawCtx ctx;
            ctx.pageIndex = page;
            ctx.printSize = CSize(500, 700);
            PreparePrintMapping(dc, ctx, 2, doc, CZoomMapping());
            CRect tile;
            GetPageRect(doc, page - 1, tile);
            EXPECT_EQ(ctx.clipRect, tile) << page;
        }
    }
}
