// The figure preview as the Connections page uses it: points picked, dragged
// and snapped with the mouse, the commands the page receives, the right-click
// menu, and previews with nothing to map.
#include "CommandRecorder.h"
#include "common/DiagramFixture.h"
#include "controls/CFigPreviewWnd.h"
#include "controls/PreviewMapping.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/GraphicExtent.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CPainterDC.h"
#include "platform/GlobalMem.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"
#include "render/ArgbBitmaps.h"
#include "render/CZoomMapping.h"
#include "shapes/CConPtList.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kPreviewId = 1500;
using Commands = std::vector<std::pair<int, int>>;

// Answers the point menu itself: records what it offered, picks `answer`.
class CTestFigPreview : public CFigPreviewWnd {
public:
    using CFigPreviewWnd::CFigPreviewWnd;
    std::vector<std::vector<int>> menus;
    int answer = 0;

protected:
    int TrackPointMenu(const std::vector<int>& commands, const QPoint&) override
    {
        menus.push_back(commands);
        return answer;
    }
};

struct FigPreviewTest : testing::Test {
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    QWidget page;
    CTestFigPreview* preview = new CTestFigPreview(&doc);
    CCommandRecorder recorder{&page};
    CConPtList points;

    FigPreviewTest()
    {
        points.AddConPt(CFltPoint(1024.f, 1024.f), "", 0, true, -1);   // the centre
        points.AddConPt(CFltPoint(0.f, 0.f), "", 0, true, -1);         // top left
        page.resize(260, 180);
        EXPECT_TRUE(preview->Create(QRect(10, 10, 200, 140), &page, kPreviewId));
        preview->SetApplyInset(false);
        CFigProps props;
        props.Symbol = fx.boxSymbol;
        props.m_fill.m_crColor1 = RGB(255, 255, 160);
        preview->SetFig(props);
        preview->SetExtent(1000, 1000);
        preview->SetConPtList(&points);
        preview->SetPointEditMode(true);
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
    }
    QPoint At(int index) const
    {
        CPoint p;
        EXPECT_TRUE(preview->GetPointDevicePos(index, p)) << index;
        return QPoint(p.x, p.y);
    }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(preview, Qt::LeftButton, {}, from);
        QTest::mouseMove(preview, (from + to) / 2);
        QTest::mouseMove(preview, to);
        QTest::mouseRelease(preview, Qt::LeftButton, {}, to);
    }
};
} // namespace

TEST_F(FigPreviewTest, DraggingAPointPicksItMovesItAndTellsThePage)
{
    ASSERT_EQ(preview->GetDrawingRect(), CRect(35, 5, 165, 135));   // 1000 x 1000 fitted
    const QPoint start = At(0);
    Drag(start, start + QPoint(26, -13));
    EXPECT_EQ(preview->GetSelectedPoint(), 0);
    EXPECT_FALSE(preview->IsDragging());
    EXPECT_EQ(At(0), start + QPoint(26, -13));
    CPoint logical;
    ASSERT_TRUE(points.GetConPtPoint(points.GetIdAt(0), preview->GetExtentRect(), logical));
    EXPECT_EQ(logical, CPoint(700, 400));
    EXPECT_EQ(recorder.commands, (Commands{{kPreviewId, 101}, {kPreviewId, 100}}));
    SaveShot(&page, "figpreview_dragged");
}

TEST_F(FigPreviewTest, APointDraggedLessThanThePickWidthStays)
{
    const QPoint start = At(0);
    Drag(start, start + QPoint(3, 2));
    EXPECT_EQ(At(0), start);
    EXPECT_EQ(recorder.commands, (Commands{{kPreviewId, 101}}));
    // Pressing it again while picked sends nothing.
    Drag(start, start);
    EXPECT_EQ(recorder.commands.size(), 1u);
}

TEST_F(FigPreviewTest, APointDraggedOutsideStopsAtTheBorder)
{
    const QPoint start = At(0);
    Drag(start, QPoint(250, 300));
    EXPECT_EQ(At(0), QPoint(165, 135));
    CPoint logical;
    ASSERT_TRUE(points.GetConPtPoint(points.GetIdAt(0), preview->GetExtentRect(), logical));
    EXPECT_EQ(logical, CPoint(1000, 1000));
}

TEST_F(FigPreviewTest, SnappingToSidesAndCentreLines)
{
    preview->SetGrid(0, 0, true);   // snap distance 6 x 1000 / 130 = 46
    const QPoint start = At(0);
    Drag(start, start + QPoint(-61, 60));   // near the left and bottom sides
    CPoint logical;
    ASSERT_TRUE(points.GetConPtPoint(points.GetIdAt(0), preview->GetExtentRect(), logical));
    EXPECT_EQ(logical, CPoint(0, 1000));
    SaveShot(&page, "figpreview_snapped");
    preview->SetSnapToCentre(true, false);
    Drag(At(0), At(0) + QPoint(30, -30));
    ASSERT_TRUE(points.GetConPtPoint(points.GetIdAt(0), preview->GetExtentRect(), logical));
    EXPECT_EQ(logical.x, 500);
}

TEST_F(FigPreviewTest, InSectionModeAClickPicksTheSectionUnderIt)
{
    CFigProps props;
    props.Symbol = fx.AddRowsSymbol();
    preview->SetFig(props);
    preview->SetPointEditMode(false);
    preview->SetSectionMode(true);
    const CRect draw = preview->GetDrawingRect();
    const int x = draw.CenterPoint().x;
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(x, draw.top + draw.Height() / 2));
    EXPECT_EQ(preview->GetSelectedSection(), 1);
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(x, draw.top + draw.Height() / 2 + 3));
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(x, draw.bottom - 3));
    EXPECT_EQ(preview->GetSelectedSection(), 2);
    EXPECT_EQ(recorder.commands, (Commands{{kPreviewId, 100}, {kPreviewId, 100}}));
    EXPECT_EQ(points.GetCount(), 2);   // no point work in section mode
    SaveShot(&page, "figpreview_section");
}

TEST_F(FigPreviewTest, TheRightClickMenuOffersWhatWasHit)
{
    preview->answer = CFigPreviewWnd::kCmdDeletePoint;
    QTest::mouseClick(preview, Qt::RightButton, {}, At(1));
    EXPECT_EQ(preview->GetSelectedPoint(), 1);
    EXPECT_EQ(preview->GetClickPos(), CPoint(0, 0));
    ASSERT_EQ(preview->menus.size(), 1u);
    EXPECT_EQ(preview->menus[0], (std::vector<int>{35813, 35814}));
    EXPECT_EQ(recorder.commands, (Commands{{kPreviewId, 101}, {35813, 0}}));
    // Outside the drawing rectangle and off every point: a menu without items.
    preview->answer = 0;
    QTest::mouseClick(preview, Qt::RightButton, {}, QPoint(5, 70));
    ASSERT_EQ(preview->menus.size(), 2u);
    EXPECT_TRUE(preview->menus[1].empty());
    // Inside: only "Add", the position in thousandths.
    preview->answer = CFigPreviewWnd::kCmdAddPoint;
    QTest::mouseClick(preview, Qt::RightButton, {}, QPoint(165, 70));
    EXPECT_EQ(preview->menus.back(), (std::vector<int>{35814}));
    EXPECT_EQ(preview->GetClickPos(), CPoint(1000, 500));
    EXPECT_EQ(recorder.commands.back(), (std::pair<int, int>{35814, 0}));
}

// Without an extent (or with no room to draw) the preview maps no point:
// presses pick and drag nothing, instead of dividing by the zero sizes.
TEST_F(FigPreviewTest, NothingToMapNothingToHit)
{
    const QPoint centre = At(0);
    for (QSize extent : {QSize(0, 0), QSize(1000, 0)}) {
        preview->SetExtent(extent.width(), extent.height());
        CPoint p;
        EXPECT_FALSE(preview->GetPointDevicePos(0, p));
        Drag(centre, centre + QPoint(20, 20));
        EXPECT_EQ(preview->GetSelectedPoint(), -1);
        EXPECT_TRUE(recorder.commands.empty());
        preview->grab();
    }
    preview->SetExtent(1000, 1000);
    preview->resize(20, 10);   // deflated to nothing
    CPoint p;
    EXPECT_FALSE(preview->GetPointDevicePos(0, p));
    preview->grab();
}

TEST_F(FigPreviewTest, LongTextsAreCutAndAnEmptyOneShowsTheDefault)
{
    preview->SetText(std::string(5000, 'x'), "");
    EXPECT_EQ(preview->GetText().size(), 4095u);
    preview->SetText("", "");
    EXPECT_EQ(preview->GetText().find("<TEXT>\\sect <TEXT>"), 0u);
    preview->SetMultiSection(true);
    EXPECT_EQ(preview->GetExtentWidth(), 0);
    preview->SetText("", "");
    EXPECT_EQ(preview->GetText(), "<TEXT>");
}

// A picture drawn with the hot-zone switch on leaves its traced outline,
// mapped onto the drawing rectangle; another picture drops it; the outline
// drawn over the window marches its red dots by one pixel per call.
TEST_F(FigPreviewTest, APicturesHotZoneIsTracedOnceAndDrawnMarching)
{
    const int savedSwitch = NonRectBounds;
    // Opaque in the middle half of a transparent picture.
    QImage picture(100, 100, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.fillRect(25, 25, 50, 50, Qt::black);
    }
    HGLOBAL first = ARGBBitmapToBlock(picture), second = ARGBBitmapToBlock(picture);
    CFigProps props;
    props.m_nGraphicType = 9;
    props.Graphic = first;
    preview->SetPointEditMode(false);
    NonRectBounds = 0;
    preview->SetFig(props);
    preview->grab();
    EXPECT_TRUE(preview->HotZoneOutline().empty());   // switch off: nothing traced
    NonRectBounds = 1;
    preview->grab();
    const std::vector<POINT> traced = preview->HotZoneOutline();
    ASSERT_GE(traced.size(), 4u);
    const CRect draw = preview->GetDrawingRect();
    for (const POINT& pt : traced) {
        EXPECT_NEAR(pt.x, draw.left + draw.Width() / 2, draw.Width() / 4 + 2) << pt.x << "," << pt.y;
        EXPECT_NEAR(pt.y, draw.top + draw.Height() / 2, draw.Height() / 4 + 2) << pt.x << "," << pt.y;
    }
    // Another look of the same picture keeps the outline; another picture drops it.
    props.m_fill.m_crColor1 = RGB(0, 128, 0);
    preview->SetFig(props);
    EXPECT_EQ(preview->HotZoneOutline().size(), traced.size());
    props.Graphic = second;
    preview->SetFig(props);
    EXPECT_TRUE(preview->HotZoneOutline().empty());
    preview->grab();
    ASSERT_EQ(preview->HotZoneOutline().size(), traced.size());

    // Four calls: the red pixels move each time and come back after three.
    std::vector<QImage> shots;
    for (int call = 0; call < 4; ++call) {
        QImage img(preview->size(), QImage::Format_RGB32);
        img.fill(Qt::black);
        CPainterDC dc(&img);
        preview->DrawHotZoneOutline(&dc);
        dc.Flush();
        shots.push_back(img);
    }
    int red = 0, white = 0;
    for (int y = 0; y < shots[0].height(); ++y)
        for (int x = 0; x < shots[0].width(); ++x) {
            const QRgb c = shots[0].pixel(x, y);
            red += c == qRgb(255, 0, 0);
            white += c == qRgb(255, 255, 255);
        }
    EXPECT_GT(red, white);   // two of every three pixels red, the rest white
    EXPECT_GT(white, 0);
    EXPECT_NE(shots[0], shots[1]);
    EXPECT_NE(shots[1], shots[2]);
    EXPECT_EQ(shots[0], shots[3]);

    props.Graphic = nullptr;
    props.m_nGraphicType = 0;
    preview->SetFig(props);
    GlobalFree(first);
    GlobalFree(second);
    NonRectBounds = savedSwitch;
}

// A metafile picture recorded with one rectangle of the given size.
static HGLOBAL MetafileBlock(int side)
{
    CEmfRecorderDC rec;
    rec.Rectangle(0, 0, side, side);
    HENHMETAFILE emf = rec.Close();
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(emf, size, bytes.data());
    DeleteEnhMetaFile(emf);
    return GlobalFromBytes(bytes.data(), bytes.size());
}

// With the centre-picture flag a metafile that fits is drawn at its own size
// in the middle; one too big, a bitmap, or the editing modes use the whole
// drawing rectangle.
TEST_F(FigPreviewTest, ASmallMetafileIsCentredAtItsOwnSize)
{
    HGLOBAL small = MetafileBlock(30), big = MetafileBlock(3000);
    QImage bitmap(10, 10, QImage::Format_ARGB32);
    bitmap.fill(Qt::black);
    HGLOBAL pixels = ARGBBitmapToBlock(bitmap);
    preview->SetPointEditMode(false);
    const CRect draw = preview->GetDrawingRect();
    int w = 0, h = 0;
    ASSERT_NE(GetGraphicExtent(small, 3, &w, &h), 0);
    const int pw = int(w * PixelsPerUnitAt100() + 0.5), ph = int(h * PixelsPerUnitAt100() + 0.5);
    ASSERT_TRUE(pw > 0 && pw < draw.Width() && ph > 0 && ph < draw.Height());
    const CRect centred(draw.left + (draw.Width() - pw) / 2, draw.top + (draw.Height() - ph) / 2,
                        draw.left + (draw.Width() - pw) / 2 + pw, draw.top + (draw.Height() - ph) / 2 + ph);
    const struct {
        HGLOBAL picture;
        int kind;
        bool centre, pointEdit, section;
        CRect expected;
    } cases[] = {
        {small, 3, true, false, false, centred}, {small, 3, false, false, false, draw},
        {small, 3, true, true, false, draw},     {small, 3, true, false, true, draw},
        {big, 3, true, false, false, draw},      {pixels, 9, true, false, false, draw},
    };
    for (const auto& c : cases) {
        CFigProps props;
        props.Graphic = c.picture;
        props.m_nGraphicType = c.kind;
        preview->SetFig(props);
        preview->SetCentrePicture(c.centre);
        preview->SetPointEditMode(c.pointEdit);
        preview->SetSectionMode(c.section);
        const CRect area = preview->GetDrawingRect();
        EXPECT_EQ(preview->GetFigureRect(), c.expected == draw ? area : c.expected)
            << c.kind << c.centre << c.pointEdit << c.section;
    }
    preview->SetFig(CFigProps());
    for (HGLOBAL block : {small, big, pixels})
        GlobalFree(block);
}

TEST(FigPreviewPlainTest, WithoutADocumentItSaysNoPreview)
{
    QWidget page;
    page.resize(150, 100);
    auto* preview = new CFigPreviewWnd(nullptr);
    ASSERT_TRUE(preview->Create(QRect(5, 5, 140, 90), &page, kPreviewId));
    EXPECT_EQ(preview->GetDrawingRect(), CRect(1, 1, 139, 89));
    page.show();
    SaveShot(&page, "figpreview_none");
    auto* font = new CFontPreviewWnd;
    ASSERT_TRUE(font->Create(QRect(5, 5, 140, 40), &page, kPreviewId + 1));
    LOGFONT lf;
    lf.lfHeight = -16;
    font->SetFont(lf);
    font->SetText("AaBbYy");
    SaveShot(font, "fontpreview");
}

TEST(PreviewMappingTest, DeviceAndLogicalPositions)
{
    const PreviewMapping map{CRect(10, 20, 110, 70), CSize(1000, 500)};
    struct {
        CPoint device;
        bool ok;
        CPoint logical;
    } cases[] = {{{10, 20}, true, {0, 0}}, {{110, 70}, true, {1000, 500}}, {{60, 45}, true, {500, 250}},
                 {{9, 20}, false, {}}, {{111, 45}, false, {}}, {{60, 71}, false, {}}};
    for (const auto& c : cases) {
        CPoint logical(-7, -7);
        EXPECT_EQ(map.DeviceToLogical(c.device, logical), c.ok) << c.device.x << "," << c.device.y;
        if (c.ok) {
            EXPECT_EQ(logical, c.logical);
            CPoint back;
            ASSERT_TRUE(map.LogicalToDevice(logical, back));
            EXPECT_EQ(back, c.device);
        }
    }
}

// A drawing rectangle or an extent without width or height converts
// nothing (the divisions by w and W would be by zero).
TEST(PreviewMappingTest, EmptyMappingsRefuse)
{
    const PreviewMapping empties[] = {{CRect(10, 10, 10, 50), CSize(100, 100)},
                                      {CRect(10, 10, 50, 10), CSize(100, 100)},
                                      {CRect(10, 10, 50, 50), CSize(0, 100)},
                                      {CRect(10, 10, 50, 50), CSize(100, 0)}};
    for (const PreviewMapping& map : empties) {
        CPoint out(3, 3);
        EXPECT_FALSE(map.DeviceToLogical(CPoint(10, 10), out));
        EXPECT_FALSE(map.LogicalToDevice(CPoint(0, 0), out));
        EXPECT_EQ(out, CPoint(3, 3));
        EXPECT_EQ(PreviewSnapDistance(map, 4), 0);
        EXPECT_EQ(SnapPreviewPoint(map, PreviewSnap{0, 0, true}, 4, CPoint(1, 1)), CPoint(1, 1));
    }
}

TEST(PreviewMappingTest, SnapsToGridSidesAndCentre)
{
    const PreviewMapping map{CRect(0, 0, 100, 100), CSize(1000, 1000)};   // snap distance 60
    ASSERT_EQ(PreviewSnapDistance(map, 4), 60);
    struct {
        PreviewSnap snap;
        CPoint in, out;
    } cases[] = {
        {{0, 0, true}, {55, 940}, {0, 1000}},
        {{0, 0, true}, {61, 559}, {61, 500}},
        {{0, 0, false}, {55, 940}, {55, 940}},
        {{100, 100, true}, {149, 951}, {100, 1000}},   // the grid wins over the sides
        {{300, 300, false}, {640, 360}, {500, 500}},   // anchored at the centre: 200, 500, 800
        {{0, 0, false, true, true}, {10, 990}, {500, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapPreviewPoint(map, c.snap, 4, c.in), c.out) << c.in.x << "," << c.in.y;
}

TEST(PreviewMappingTest, ClickPositionsInThousandths)
{
    const CRect r(10, 10, 110, 60);
    EXPECT_EQ(ThousandthsInRect(r, CPoint(10, 10)), CPoint(0, 0));
    EXPECT_EQ(ThousandthsInRect(r, CPoint(110, 60)), CPoint(1000, 1000));
    EXPECT_EQ(ThousandthsInRect(r, CPoint(35, 20)), CPoint(250, 200));
    EXPECT_EQ(ThousandthsInRect(CRect(5, 5, 5, 5), CPoint(9, 9)), CPoint(0, 0));
}
