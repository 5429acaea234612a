#include "common/TestSupport.h"
#include "render/ArgbBitmaps.h"
#include "render/HotZoneTrace.h"
#include "render/HotZoneDocPass.h"
#include "document/CKavoDoc.h"
#include "graphics/BitmapHelpers.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// An ARGB picture: transparent, with the given rectangles opaque black.
QImage Picture(int w, int h, std::initializer_list<QRect> opaque)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    for (const QRect& r : opaque)
        p.fillRect(r, Qt::black);
    return img;
}

std::vector<POINT> Outline(const QImage& argb)
{
    HGLOBAL block = ARGBBitmapToBlock(argb);
    std::vector<POINT> pts(kMaxTracePts);
    int n = 0;
    GetHotZoneFromGraphic(block, 9, &n, pts.data());
    GlobalFree(block);
    pts.resize(size_t(n));
    return pts;
}

bool Closed(const std::vector<POINT>& pts)
{
    return pts.size() >= 4 && pts.front().x == pts.back().x && pts.front().y == pts.back().y;
}

// Whether any outline point lies strictly inside rect (hot-zone space).
bool AnyPointIn(const std::vector<POINT>& pts, const QRect& rect)
{
    for (const POINT& p : pts)
        if (rect.contains(p.x, p.y))
            return true;
    return false;
}

} // namespace

TEST(HotZoneTrace, EmptyAndFullPictures)
{
    EXPECT_TRUE(Outline(Picture(40, 30, {})).empty());

    // A bitmap of all magenta traces nothing either.
    QImage magenta(20, 20, QImage::Format_RGB32);
    magenta.fill(QColor(255, 0, 255));
    std::vector<POINT> pts(kMaxTracePts);
    int n = -1;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(magenta));
    EXPECT_EQ(TraceBitmapOutline(&bitmap, kMagenta, kMaxTracePts, pts.data(), n, true), 0);
    EXPECT_EQ(n, 0);

    // An opaque rectangle gives its four corners, closed (2 pixels of margin
    // scale to 64 in the 0..2048 square).
    const std::vector<POINT> box = Outline(Picture(64, 64, {QRect(2, 2, 60, 60)}));
    ASSERT_EQ(box.size(), 5u);
    EXPECT_TRUE(Closed(box));
    for (const POINT& p : box) {
        EXPECT_TRUE(p.x == 64 || p.x == 61 * 32) << p.x;
        EXPECT_TRUE(p.y == 64 || p.y == 61 * 32) << p.y;
    }
    // Opaque to the very border: the observer stands on opaque pixels and the
    // corners are cut by at most a few pixels, but the outline spans the picture.
    const std::vector<POINT> full = Outline(Picture(64, 64, {QRect(0, 0, 64, 64)}));
    ASSERT_TRUE(Closed(full));
    for (const POINT& p : full) {
        const bool onBorder = p.x == 0 || p.x == 63 * 32 || p.y == 0 || p.y == 63 * 32;
        EXPECT_TRUE(onBorder) << p.x << "," << p.y;
    }
}

TEST(HotZoneTrace, RefinementFollowsConcavitiesButNotNarrowOnes)
{
    // A U with a transparent margin: the notch from x 20..43, y 2..43 is background.
    const QImage u = Picture(64, 64, {QRect(2, 2, 18, 60), QRect(44, 2, 18, 60), QRect(2, 44, 60, 18)});
    const std::vector<POINT> pts = Outline(u);
    ASSERT_TRUE(Closed(pts));
    // Points inside the notch (scaled by 32 into hot-zone space).
    EXPECT_TRUE(AnyPointIn(pts, QRect(19 * 32, 10 * 32, 26 * 32, 35 * 32)));

    // A notch whose strap edge is at most 10 pixels wide stays bridged.
    const QImage narrow = Picture(64, 64, {QRect(2, 2, 25, 60), QRect(36, 2, 26, 60)});
    const std::vector<POINT> bridged = Outline(narrow);
    ASSERT_TRUE(Closed(bridged));
    EXPECT_FALSE(AnyPointIn(bridged, QRect(28 * 32, 8 * 32, 7 * 32, 50 * 32)));
}

// A strap edge across a notch is refined only when it is longer than 10
// pixels: 12 pixels apart the contour goes down into the notch, 10 apart the
// edge stays as it is.
TEST(HotZoneTrace, RefinementSkipsStrapEdgesOfTenPixelsOrLess)
{
    struct Case { int notchRight; bool refined; };
    for (const Case& c : {Case{26, true}, Case{24, false}}) {
        // Opaque 2..40 x 2..30 with a background notch from x 15 to
        // notchRight - 1, y 2..19; the strap bridges it from (14, 2).
        const QImage img = Picture(44, 34, {QRect(2, 2, 13, 29), QRect(c.notchRight, 2, 41 - c.notchRight, 29),
                                           QRect(15, 20, c.notchRight - 15, 11)});
        const TraceSurface surface(img);
        std::vector<POINT> pts(kMaxTracePts);
        const POINT strap[] = {{2, 2}, {14, 2}, {c.notchRight, 2}, {40, 2}, {40, 30}, {2, 30}, {2, 2}};
        int n = 0;
        for (const POINT& p : strap)
            pts[size_t(n++)] = p;
        EXPECT_EQ(TraceContoursOfStrapBoundagonFromMemoryBitmap(surface, RECT{0, 0, 44, 34}, kMaxTracePts,
                                                                pts.data(), n, true),
                  1);
        pts.resize(size_t(n));
        bool inNotch = false;
        for (const POINT& p : pts)
            inNotch = inNotch || (p.y > 8 && p.x >= 14 && p.x <= c.notchRight);
        EXPECT_EQ(inNotch, c.refined) << "notch to " << c.notchRight;
    }
}

// The next step round the contour is the first background-to-opaque turn
// found clockwise from three steps back: standing on a horizontal line of
// three pixels, the turn taken depends on where the search starts.
TEST(HotZoneTrace, NextContourDirectionStartsThreeStepsBack)
{
    const QImage line = Picture(10, 10, {QRect(4, 5, 3, 1)});
    const TraceSurface surface(line);
    const RECT rect{0, 0, 10, 10};
    struct Case { int direction; POINT cur; int next; };
    for (const Case& c : {Case{5, {5, 5}, 3}, Case{1, {5, 5}, 7}, Case{2, {5, 5}, 3}, Case{0, {5, 5}, 7},
                          Case{8, {5, 5}, 0}, Case{-1, {5, 5}, 0},
                          Case{5, {0, 5}, -1},   // a neighbour outside the rectangle
                          Case{5, {2, 2}, -1}}) {  // nothing opaque around
        EXPECT_EQ(NextContourDirection(c.direction, c.cur, surface, rect), c.next)
            << c.direction << " at " << c.cur.x << "," << c.cur.y;
    }
}

// Metafiles are traced on a rendering of at most 500 pixels a side.
TEST(HotZoneTrace, MetafileTraceSize)
{
    struct Case { int w, h, tw, th; };
    for (const Case& c : {Case{1000, 250, 500, 125}, Case{250, 1000, 125, 500}, Case{400, 300, 400, 300},
                          Case{500, 500, 500, 500}, Case{600, 600, 500, 500}, Case{1001, 3, 500, 1},
                          Case{501, 499, 500, 498}}) {
        int w = c.w, h = c.h;
        ScaleToTraceSize(w, h);
        EXPECT_EQ(w, c.tw) << c.w << "x" << c.h;
        EXPECT_EQ(h, c.th) << c.w << "x" << c.h;
    }
}

TEST(HotZoneTrace, ComplexOutlineCoarsensInsteadOfBeingCutShort)
{
    // A comb of 1-pixel teeth every other column along all four sides: far
    // more strap points at step 1 than a hot zone holds.
    QImage comb(1200, 1200, QImage::Format_ARGB32);
    comb.fill(Qt::transparent);
    {
        QPainter p(&comb);
        p.fillRect(QRect(10, 10, 1180, 1180), Qt::black);
        for (int i = 0; i < 1200; i += 2) {
            p.fillRect(QRect(i, 0, 1, 10), Qt::black);
            p.fillRect(QRect(i, 1190, 1, 10), Qt::black);
            p.fillRect(QRect(0, i, 10, 1), Qt::black);
            p.fillRect(QRect(1190, i, 10, 1), Qt::black);
        }
    }
    const std::vector<POINT> pts = Outline(comb);
    ASSERT_TRUE(Closed(pts));
    EXPECT_LE(pts.size(), size_t(kMaxTracePts));
    // The outline goes all the way round: it reaches every side of the square.
    int minX = 4096, minY = 4096, maxX = -1, maxY = -1;
    for (const POINT& p : pts) {
        minX = std::min<int>(minX, p.x), maxX = std::max<int>(maxX, p.x);
        minY = std::min<int>(minY, p.y), maxY = std::max<int>(maxY, p.y);
    }
    EXPECT_LT(minX, 40);
    EXPECT_LT(minY, 40);
    EXPECT_GT(maxX, 2000);
    EXPECT_GT(maxY, 2000);
}

TEST(HotZoneTrace, AppendTracePtRules)
{
    std::vector<POINT> pts(kMaxTracePts);
    int n = 0;
    EXPECT_EQ(AppendTracePt(POINT{0, 0}, pts.data(), n), TRACE_STORED);
    EXPECT_EQ(AppendTracePt(POINT{0, 0}, pts.data(), n), TRACE_REFUSED);
    EXPECT_EQ(AppendTracePt(POINT{2, 0}, pts.data(), n), TRACE_STORED);
    // (2,0) lies between (0,0) and (5,0): replaced, a straight run keeps its ends.
    EXPECT_EQ(AppendTracePt(POINT{5, 0}, pts.data(), n), TRACE_STORED);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(pts[1].x, 5);
    // Turning back along the line is not "between".
    EXPECT_EQ(AppendTracePt(POINT{3, 0}, pts.data(), n), TRACE_STORED);
    EXPECT_EQ(n, 3);

    n = kMaxTracePts - 1;
    pts[size_t(n - 1)] = POINT{7, 7};
    EXPECT_EQ(AppendTracePt(POINT{9, 1}, pts.data(), n), TRACE_FULL);
    EXPECT_EQ(n, kMaxTracePts - 1);
}

TEST(HotZoneTrace, InitialDirectionTable)
{
    struct Case { POINT from, to; int dir; };
    const Case cases[] = {
        {{0, 0}, {10, 2}, 4}, {{0, 0}, {2, 10}, 5},   // right and below
        {{0, 5}, {10, 3}, 3}, {{0, 10}, {2, 0}, 2},   // right, not below
        {{10, 0}, {0, 2}, 7}, {{10, 0}, {8, 10}, 6},  // not right, below
        {{10, 5}, {0, 3}, 0}, {{5, 10}, {5, 0}, 1},   // not right, not below
    };
    for (const Case& c : cases)
        EXPECT_EQ(InitialDirection(c.from, c.to), c.dir) << c.from.x << "," << c.from.y;
}

TEST(HotZoneTrace, MetafileBackgroundOnlyWhereItTouchesTheBorder)
{
    // A thick black ring with white inside, recorded as an EMF: the enclosed
    // white stays part of the picture, so the outline is the ring's outside.
    CEmfRecorderDC rec;
    CBrush white(RGB(255, 255, 255));
    CPen thick(PS_SOLID, 12, RGB(0, 0, 0));
    rec.SelectObject(&white);
    rec.SelectObject(&thick);
    rec.Ellipse(20, 20, 220, 220);
    HENHMETAFILE emf = rec.Close();
    ASSERT_NE(emf, nullptr);
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(emf, size, bytes.data());
    DeleteEnhMetaFile(emf);
    HGLOBAL block = GlobalFromBytes(bytes.data(), bytes.size());
    std::vector<POINT> pts(kMaxTracePts);
    int n = 0;
    GetHotZoneFromGraphic(block, 3, &n, pts.data());
    GlobalFree(block);
    pts.resize(size_t(n));
    ASSERT_TRUE(Closed(pts));
    EXPECT_GT(n, 8);
    // No point of the outline lies in the ring's white middle, nor in the
    // near-white corners of the rendering, which became transparent.
    EXPECT_FALSE(AnyPointIn(pts, QRect(700, 700, 648, 648)));
    EXPECT_FALSE(AnyPointIn(pts, QRect(0, 0, 250, 250)));
}

TEST(HotZoneTrace, OldFilePassRetracesOnlyExistingHotZones)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    HGLOBAL picture = ARGBBitmapToBlock(Picture(64, 64, {QRect(2, 2, 60, 60)}));
    auto makeFig = [&](bool withHotZone) {
        CFigProps props;
        props.m_nGraphicType = 9;
        props.Graphic = picture;
        auto* fig = new CFigure(0, 0, 100, 100, props, -1, 0, "", "", CFigure::CreateArgs(), &doc);
        if (withHotZone) {
            const POINT old[4] = {{0, 0}, {2048, 0}, {0, 2048}, {0, 0}};
            EXPECT_TRUE(fig->SetPolyPoints(4, old));
        }
        EXPECT_TRUE(doc.AddFig(fig));
        return fig;
    };
    CFigure* traced = makeFig(true);
    CFigure* plain = makeFig(false);
    GetHotZoneFromKGR(doc);
    ASSERT_EQ(traced->m_outline.GetCount(), 5);
    EXPECT_FLOAT_EQ(traced->m_outline.GetPoints()[1].x, 61 * 32);
    EXPECT_FALSE(plain->m_outline.HasPoints());
    // The pictures belong to the graphics list in a real document; here the
    // test frees its own block after the figures stop using it.
    traced->m_props.Graphic = plain->m_props.Graphic = nullptr;
    traced->m_props.m_nGraphicType = plain->m_props.m_nGraphicType = 0;
    GlobalFree(picture);
}
