// The diagram view: zoom steps and limits, scroll positions after page
// width and whole page, buffered and direct painting, and the painted
// sample at 100 % against a reviewed picture.
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "platform/CPainterDC.h"
#include "render/ViewPaint.h"

#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cmath>

namespace {
constexpr int kClientW = 800, kClientH = 600;

struct KavoViewTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        fx.doc.m_bShowGrid = 0;
        view = std::make_unique<CKavoView>(&fx.doc);
        view->resize(kClientW + 2 * view->frameWidth(), kClientH + 2 * view->frameWidth());
        view->show();
        // Room for the always-shown bars.
        const int bar = view->verticalScrollBar()->sizeHint().width();
        const int barH = view->horizontalScrollBar()->sizeHint().height();
        view->resize(kClientW + bar, kClientH + barH);
        view->OnInitialUpdate();
    }
    void TearDown() override
    {
        view.reset();
        SetScreenPixelHeightForTest(0);
    }
    QImage Render()
    {
        view->InvalidateAll();
        view->FlushPaint();
        return view->Surface().copy();
    }

    DiagramFixture fx;
    std::unique_ptr<CKavoView> view;
};

// The largest per-channel difference between two images of one size.
int MaxDifference(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}
} // namespace

TEST_F(KavoViewTest, FirstActivationZoomsToPageWidthUnclamped)
{
    ASSERT_EQ(view->viewport()->width(), kClientW);
    view->OnActivateView(true);
    EXPECT_NEAR(view->GetZoom(), view->GetPageWidthPercent(), 0.01);
    EXPECT_TRUE(view->IsPageWidthZoom());
    // The page's sides stand a few pixels clear of the client's, alike on
    // both sides, and its top edge too.
    const CRect page = view->LogicalRectToClient(GetPageAreaRect(fx.doc));
    EXPECT_GE(page.left, 4);
    EXPECT_LE(page.left, 12);
    EXPECT_NEAR(kClientW - page.right, page.left, 3);
    EXPECT_NEAR(page.top, page.left, 1);
    // Only once.
    view->ZoomToPercent(100);
    view->OnActivateView(true);
    EXPECT_EQ(view->GetZoom(), 100.0f);
}

// Another window on the diagram starts in select mode; a stored zoom is kept
// at the first activation unless it is 100 with the scroll position (0, 0)
// (a zoom of 100 scrolled elsewhere, or another zoom at (0, 0), stays); the
// rulers take a 21-pixel band only while they are shown.
TEST_F(KavoViewTest, ASecondViewStartsInSelectModeAndKeepsAStoredZoom)
{
    const struct {
        int rulers;
        float zoom;
        CPoint origin;
    } rows[] = {
        {0, 150.0f, CPoint(100, 200)},
        {1, 150.0f, CPoint(100, 200)},
        {0, 100.0f, CPoint(100, 200)},
        {0, 150.0f, CPoint(0, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.rulers << " " << row.zoom << " " << row.origin.x);
        fx.doc.m_fViewScale = row.zoom;
        fx.doc.m_ptViewOrigin = row.origin;
        ShowRulers = row.rulers;
        g_nUIMode = 4;
        CKavoView second(&fx.doc);
        EXPECT_EQ(g_nUIMode, 0);
        second.resize(kClientW, kClientH);
        second.show();
        second.OnInitialUpdate();
        second.OnActivateView(true);
        EXPECT_EQ(second.GetZoom(), row.zoom);
        EXPECT_EQ(second.viewport()->geometry().left() - second.frameWidth(), row.rulers ? kRulerBand : 0);
        EXPECT_EQ(second.viewport()->geometry().top() - second.frameWidth(), row.rulers ? kRulerBand : 0);
    }
    ShowRulers = 0;
}

// A screen-height calibration of 0 is taken as 9 inches before the scroll
// sizes are set.
TEST_F(KavoViewTest, AScreenHeightOfZeroIsTakenAsNine)
{
    ScreenHeight = 0;
    view->SetScrollSizesForView(CPoint(0, 0), 100.0f);
    EXPECT_EQ(ScreenHeight, 9.0);
}

TEST_F(KavoViewTest, ZoomStepsStayWithinTheLimits)
{
    view->ZoomToPercent(100);
    struct Step {
        void (CKavoView::*command)();
        float expected;
    } steps[] = {
        {&CKavoView::OnZoomInButton, 150}, {&CKavoView::OnZoomInButton, 200},
        {&CKavoView::OnZoomOutButton, 150}, {&CKavoView::OnZoomOutButton, 100},
        {&CKavoView::OnZoomInKey, 150},
    };
    for (const Step& s : steps) {
        (view.get()->*s.command)();
        EXPECT_NEAR(view->GetZoom(), s.expected, 0.01);
    }
    // An entry within one percent of the zoom is passed over both ways.
    for (const Step& s : {Step{&CKavoView::OnZoomInButton, 150}, Step{&CKavoView::OnZoomOutButton, 80}}) {
        view->ZoomToPercent(99);
        (view.get()->*s.command)();
        EXPECT_NEAR(view->GetZoom(), s.expected, 0.01);
    }
    view->ZoomToPercent(5);
    EXPECT_NEAR(view->GetZoom(), view->GetMinZoom(), 0.01);
    EXPECT_GE(view->GetZoom(), 10.0f);
    view->OnZoomOutKey();
    EXPECT_NEAR(view->GetZoom(), view->GetMinZoom(), 0.01);
    view->ZoomToPercent(5000);
    EXPECT_NEAR(view->GetZoom(), view->GetMaxZoom(), 0.5);
    EXPECT_LE(view->GetZoom(), 1000.0f);
}

TEST_F(KavoViewTest, AnEqualZoomDoesNothingAndWritesNoUndoStep)
{
    view->ZoomToPercent(100);
    fx.doc.ResetUndoLog();
    EXPECT_FALSE(view->ZoomToPercentPtd(100, 500, 500, true));
    EXPECT_FALSE(fx.doc.CanUndo());
    EXPECT_TRUE(view->ZoomToPercentPtd(150, 500, 500, true));
    EXPECT_TRUE(fx.doc.CanUndo());
}

TEST_F(KavoViewTest, WholePageShowsThePageCentred)
{
    view->OnZoomWholePage();
    const CRect visible = view->GetLogicalClientRect();
    const CRect page = GetPageAreaRect(fx.doc);
    EXPECT_LE(visible.left, page.left);
    EXPECT_LE(visible.top, page.top);
    EXPECT_GE(visible.right, page.right);
    EXPECT_GE(visible.bottom, page.bottom);
    // The page is taller than the window's shape: it fills the height (up
    // to the mapping's extents of a sixteenth).
    EXPECT_NEAR(visible.Height(), page.Height() + 128, 100);
}

// Zoomed out until the window shows more than the view's work space (the
// page and its margin) both ways, the view centres on that work space rather
// than on the window's old centre.
TEST_F(KavoViewTest, ZoomingOutPastTheWorkSpaceCentresOnIt)
{
    const int savedLimited = LimitedWorkspace;
    LimitedWorkspace = 1;
    view->ZoomToPercent(100);
    view->SetZoomAndScroll(100, 0, 0);
    const CRect ws = view->WorkSpace();
    const CSize at50 = view->ClientSizeAtZoom(50);
    ASSERT_LT(ws.Width(), at50.cx);
    ASSERT_LT(ws.Height(), at50.cy);
    ASSERT_GT(std::abs(view->GetLogicalClientRect().CenterPoint().y - ws.CenterPoint().y), 400)
        << "the window's centre is not the work space's";
    view->ZoomToPercent(50);
    EXPECT_NEAR(view->GetZoom(), 50.0f, 0.01);
    // Up to the rounding of the scroll position and the mapping's extents.
    const CPoint centre = view->GetLogicalClientRect().CenterPoint();
    EXPECT_NEAR(centre.x, ws.CenterPoint().x, 48);
    EXPECT_NEAR(centre.y, ws.CenterPoint().y, 48);
    LimitedWorkspace = savedLimited;
}

TEST_F(KavoViewTest, ZoomAroundAPointKeepsItInPlace)
{
    view->ZoomToPercent(100);
    const CPoint pt = view->ClientPtToLogical(CPoint(200, 150));
    view->ZoomToPercentPtd(150, pt.x, pt.y, true);
    const CPoint back = view->LogicalPtToClient(pt);
    EXPECT_NEAR(back.x, 200, 3);
    EXPECT_NEAR(back.y, 150, 3);
}

TEST_F(KavoViewTest, PartialRepaintGivesTheSamePixelsAsAFullOne)
{
    CFigure* a = fx.AddBox(300, 300, 500, 300, "Partial", RGB(200, 230, 255));
    fx.Connect(a, fx.AddBox(1100, 700, 400, 250, "Full"));
    view->ZoomToPercent(150);
    const QImage full = Render();
    view->InvalidateClient(QRect(37, 41, 301, 203));
    view->FlushPaint();
    // Anti-aliased lines may round a shade differently at another origin.
    EXPECT_LE(MaxDifference(full, view->Surface()), 4);
    // An update hint for the figure repaints only its area.
    view->OnUpdate(nullptr, 1, &a->m_rect);
    view->FlushPaint();
    EXPECT_LE(MaxDifference(full, view->Surface()), 4);
}

TEST_F(KavoViewTest, SampleAt100PercentMatchesTheReviewedPicture)
{
    CFigure* start = fx.AddBox(200, 200, 600, 300, "Start", RGB(255, 240, 200));
    CFigure* check = fx.AddBox(1100, 200, 600, 300, "Check", RGB(210, 240, 210));
    CFigure* done = fx.AddBox(650, 800, 600, 300, "Done", RGB(220, 220, 255));
    fx.Connect(start, check);
    fx.Connect(check, done);
    fx.doc.Select(done);
    view->SetScrollSizesForView(CPoint(0, 0), 100.0f);
    const QImage image = Render();
    const QString golden = TestDataPath("view/sample100.png");
    if (qEnvironmentVariableIsSet("KAVO_UPDATE_GOLDEN"))
        image.save(golden);
    QImage expected(golden);
    ASSERT_FALSE(expected.isNull());
    expected = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), image.size());
    // Anti-aliased edges may move by a shade between font versions.
    EXPECT_LE(MaxDifference(expected, image), 64);
}

TEST_F(KavoViewTest, ZoomModeBandZoomsToItAndAClickZoomsIn)
{
    view->ZoomToPercent(100);
    const QImage before = Render();
    view->OnZoomModeDown(CPoint(100, 100));
    EXPECT_TRUE(view->HoldsMouse());
    view->OnZoomModeMove(CPoint(450, 300));
    EXPECT_NE(view->Surface(), before);   // the band shows
    const CPoint a = view->ClientPtToLogical(CPoint(100, 100));
    const CPoint b = view->ClientPtToLogical(CPoint(450, 300));
    view->OnZoomModeUp(CPoint(450, 300));
    EXPECT_FALSE(view->IsZoomBandActive());
    EXPECT_FALSE(view->HoldsMouse());
    // The band's width now fills the window.
    EXPECT_NEAR(view->GetZoom(), 100.0 * kClientW / 350, 5.0);
    const CRect visible = view->GetLogicalClientRect();
    EXPECT_LE(visible.left, a.x);
    EXPECT_GE(visible.right, b.x);
    // A click (shorter than the double-click width) zooms 1.5 times around it.
    const float z = view->GetZoom();
    view->OnZoomModeDown(CPoint(400, 300));
    view->OnZoomModeUp(CPoint(401, 301));
    EXPECT_NEAR(view->GetZoom(), std::min(z * 1.5f, view->GetMaxZoom()), 0.5);
}

TEST_F(KavoViewTest, StoredViewsAndPagesOutOfRangeAreClamped)
{
    struct Case {
        CRect page;
        int posters;
        float zoom;
        CPoint scroll;
    } cases[] = {
        {CRect(0, 0, 0, 0), 1, 5000.0f, CPoint(1000000000, -1000000000)},
        {CRect(0, 0, 1 << 30, 1 << 30), 6, -3.0f, CPoint(-2000000000, 2000000000)},
        {CRect(0, 0, 2201, 2845), 1, std::numeric_limits<float>::quiet_NaN(), CPoint(0, 0)},
    };
    for (const Case& c : cases) {
        fx.doc.m_rcPage = c.page;
        fx.doc.m_nPosterCols = fx.doc.m_nPosterRows = c.posters;
        fx.doc.m_fViewScale = c.zoom;
        fx.doc.m_ptViewOrigin = c.scroll;
        view->OnInitialUpdate();
        EXPECT_GE(view->GetZoom(), 10.0f);
        EXPECT_LE(view->GetZoom(), 1000.0f);
        const CPoint pos = view->GetDeviceScrollPosition();
        EXPECT_GE(pos.x, 0);
        EXPECT_GE(pos.y, 0);
        EXPECT_LE(pos.x, view->m_map.m_hLimit);
        EXPECT_LE(pos.y, view->m_map.m_vLimit);
        Render();
        view->OnZoomWholePage();
        view->OnZoomPageWidth();
    }
}

TEST_F(KavoViewTest, AViewWithoutPixelsPaintsAndZoomsWithoutFault)
{
    fx.AddBox(100, 100, 300, 200, "x");
    view->resize(0, 0);
    view->ZoomToPercent(150);
    view->OnZoomWholePage();
    view->OnZoomAllObjects();
    view->OnZoomPageWidth();
    Render();
    EXPECT_GE(view->GetZoom(), 10.0f);
}

TEST_F(KavoViewTest, NextAndPreviousPageStepThroughEveryPageAndWrap)
{
    fx.doc.m_rcPage = CRect(0, 0, 2201, 2845);
    fx.doc.m_nPosterCols = fx.doc.m_nPosterRows = 2;
    view->OnInitialUpdate();
    const CRect tile = fx.doc.m_rcPage;
    auto shows = [&](int page) {
        const CRect rc(tile.left + (page % 2) * tile.Width(), tile.top + (page / 2) * tile.Height(),
                       tile.left + (page % 2 + 1) * tile.Width(), tile.top + (page / 2 + 1) * tile.Height());
        return rc.PtInRect(view->GetLogicalClientRect().CenterPoint()) != 0;
    };
    struct Run {
        void (CKavoView::*command)();
        int pages[6];
    } runs[] = {
        {&CKavoView::OnZoomNextPage, {0, 1, 2, 3, 0, 1}},
        {&CKavoView::OnZoomPrevPage, {0, 3, 2, 1, 0, 3}},
    };
    for (const Run& run : runs)
        for (int expected : run.pages) {
            (view.get()->*run.command)();
            EXPECT_EQ(view->CurrentPageIndex(), expected);
            EXPECT_TRUE(shows(expected)) << "page " << expected;
        }
}

// A drag's XOR feedback stays whole while a repaint waits: what was
// invalidated before the move is kept back (twice over, both areas), a
// paint that only shows the surface leaves the feedback where it was, and
// the next real paint renders what waited.
TEST_F(KavoViewTest, PostponedRepaintsWaitUntilTheNextRealPaint)
{
    CFigure* a = fx.AddBox(300, 300, 500, 300, "Moved", RGB(200, 230, 255));
    CFigure* b = fx.AddBox(1300, 300, 400, 250, "Recoloured", RGB(255, 240, 200));
    view->SetScrollSizesForView(CPoint(0, 0), 100.0f);
    const QImage before = Render();
    const CRect oldA = a->m_rect;
    a->m_rect.OffsetRect(0, 400);
    CRect both = oldA;
    both.UnionRect(both, a->m_rect);
    view->OnUpdate(nullptr, 1, &both);
    view->PostponeUpdateRegion();
    b->m_props.m_fill.m_crColor1 = RGB(40, 160, 40);
    view->OnUpdate(nullptr, 1, &b->m_rect);
    view->PostponeUpdateRegion();
    EXPECT_TRUE(view->HasPostponedUpdate());

    // Feedback over the figure's old place, drawn on the surface.
    const CRect feedback(oldA.left - 50, oldA.top - 50, oldA.right + 50, oldA.bottom + 50);
    const auto invert = [&] {
        std::unique_ptr<CPainterDC> dc = view->GetClientDC();
        dc->InvertRect(&feedback);
        dc->Flush();
        view->viewport()->update();
    };
    invert();
    const QImage withFeedback = view->Surface().copy();
    EXPECT_GT(MaxDifference(before, withFeedback), 100);
    view->viewport()->grab();   // a paint event, delivered now
    EXPECT_EQ(view->Surface(), withFeedback);
    // Taken off again: the old picture, nothing painted under it.
    invert();
    EXPECT_EQ(view->Surface(), before);

    view->FlushPaint();
    EXPECT_FALSE(view->HasPostponedUpdate());
    const QImage flushed = view->Surface().copy();
    EXPECT_LE(MaxDifference(Render(), flushed), 4);
    EXPECT_GT(MaxDifference(before, flushed), 100);

    // A paint with an area of its own takes the waiting one along.
    a->m_rect.OffsetRect(0, -400);
    view->OnUpdate(nullptr, 1, &both);
    view->PostponeUpdateRegion();
    view->InvalidateClient(QRect(0, 0, 2, 2));
    view->viewport()->grab();   // a paint event, delivered now
    EXPECT_FALSE(view->HasPostponedUpdate());
    EXPECT_LE(MaxDifference(Render(), view->Surface()), 4);
}

// The editor's background: a client rectangle of the view drawn into a
// bitmap of its own size, the same pixels as the view shows there.
TEST_F(KavoViewTest, AnAreaRendersToABitmapOfItsSize)
{
    CFigure* a = fx.AddBox(300, 300, 500, 300, "Area", RGB(200, 230, 255));
    fx.Connect(a, fx.AddBox(1100, 700, 400, 250, "Bitmap"));
    view->ZoomToPercent(150);
    const QImage full = Render();
    for (const QRect& area : {QRect(37, 41, 301, 203), QRect(0, 0, kClientW, kClientH), QRect(500, 400, 1, 1)}) {
        QImage bitmap;
        ASSERT_TRUE(view->RenderAreaToBitmap(area, bitmap));
        ASSERT_EQ(bitmap.size(), area.size());
        EXPECT_LE(MaxDifference(full.copy(area), bitmap), 4) << area.x() << "," << area.y();
    }
    QImage untouched(3, 3, QImage::Format_RGB32);
    EXPECT_FALSE(view->RenderAreaToBitmap(QRect(10, 10, 0, 5), untouched));
    EXPECT_EQ(untouched.size(), QSize(3, 3));
}

// Zoom to the objects shows their bounds with a border: a twentieth of their
// size on every side for all objects, a tenth for the selected ones.
TEST_F(KavoViewTest, ZoomToObjectsLeavesItsBorderAroundThem)
{
    CFigure* wide = fx.AddBox(400, 600, 1000, 100, "Wide");
    view->ZoomToPercent(100);
    struct Case {
        bool selected;
        int part;
    } cases[] = {{false, 20}, {true, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        if (c.selected)
            fx.doc.Select(wide);
        const CRect bounds = DocObjectsBounds(fx.doc, c.selected);
        const int shown = bounds.Width() + 2 * (bounds.Width() / c.part);
        if (c.selected)
            view->OnZoomSelectedObjects();
        else
            view->OnZoomAllObjects();
        EXPECT_NEAR(view->GetZoom(), PercentForFit(view->viewport()->width(), shown), 0.5);
    }
}

// The scroll bars step a quarter of the window a page and a twentieth a
// line: a page down brings up what lay a quarter of the window lower.
TEST_F(KavoViewTest, TheBarsStepAQuarterOfTheWindowAPage)
{
    view->SetScrollSizesForView(CPoint(0, 0), 100.0f);
    EXPECT_EQ(view->horizontalScrollBar()->pageStep(), kClientW / 4);
    EXPECT_EQ(view->verticalScrollBar()->pageStep(), kClientH / 4);
    EXPECT_EQ(view->horizontalScrollBar()->singleStep(), kClientW / 20);
    EXPECT_EQ(view->verticalScrollBar()->singleStep(), kClientH / 20);
    const CPoint lower = view->ClientPtToLogical(CPoint(0, kClientH / 4));
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(view->ClientPtToLogical(CPoint(0, 0)).y, lower.y, 2);
}

// A view with no client area yet opens at 400 by 300 pixels.
TEST_F(KavoViewTest, AViewWithoutAClientAreaOpensAt400By300)
{
    CKavoView fresh(&fx.doc);
    fresh.show();
    fresh.resize(0, 0);
    ASSERT_TRUE(fresh.viewport()->width() <= 0 || fresh.viewport()->height() <= 0);
    fresh.OnInitialUpdate();
    EXPECT_EQ(fresh.size(), QSize(400, 300));
    view->OnInitialUpdate();
    EXPECT_EQ(view->viewport()->size(), QSize(kClientW, kClientH)) << "a view with a client keeps its size";
}

// What is pasted or inserted lands in the part of the diagram the active
// view shows, not in the middle of the page, wherever the view is scrolled.
TEST_F(KavoViewTest, NewObjectsLandInTheVisiblePartOfTheDiagram)
{
    FakeAppContext ctx;
    ctx.view = view.get();
    IAppContext* saved = GetAppContext();
    SetAppContext(&ctx);
    fx.doc.m_bAlignToGrid = 0;
    view->SetScrollSizesForView(CPoint(0, 0), 300.0f);
    const CRect visible = view->GetLogicalClientRect();
    ASSERT_FALSE(visible.PtInRect(GetPageAreaRect(fx.doc).CenterPoint()));
    const CPoint pos = fx.doc.GetNewObjPos();
    SetAppContext(saved);
    EXPECT_TRUE(visible.PtInRect(pos)) << pos.x << "," << pos.y;
}
