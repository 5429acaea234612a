// The EMF recorder writes byte-valid enhanced metafiles: the header, records
// other readers accept, bounds and frame, and objects written once.
#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaRecords.h"

#include <QBuffer>
#include <QImage>

#include <uemf_safe.h>

#include <algorithm>
#include <climits>
#include <functional>

#include <gtest/gtest.h>

namespace {
std::vector<std::vector<BYTE>> Records(HENHMETAFILE h)
{
    std::vector<std::vector<BYTE>> out;
    EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& r) {
        out.push_back(r);
        return 1;
    });
    return out;
}

std::vector<DWORD> Types(const std::vector<std::vector<BYTE>>& records)
{
    std::vector<DWORD> out;
    for (const auto& r : records)
        out.push_back(LoadLE32(r.data()));
    return out;
}
}  // namespace

TEST(EmfRecorder, WritesAValidMetafileOtherReadersAccept)
{
    const RECT frame{0, 0, 2645, 2645};
    const std::string desc("App\0Doc\0\0", 9);
    auto dc = CreateEnhMetaFile(&frame, desc);
    CPen pen(PS_DOT, 3, RGB(255, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -12;
    std::strcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    dc->SelectObject(&font);
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(100, 100);
    dc->SetViewportExt(100, 100);
    dc->Rectangle(10, 10, 50, 40);
    const POINT tri[3] = {{0, 0}, {20, 0}, {10, 15}};
    dc->Polygon(tri, 3);
    dc->MoveTo(1, 1);
    dc->LineTo(30, 30);
    const int dx[3] = {5, 6, 7};
    dc->ExtTextOut(5, 5, 0, nullptr, "abc", 3, dx);
    dc->SetPixel(2, 2, RGB(1, 2, 3));
    const POINT far[2] = {{0, 0}, {70000, 10}};
    dc->Polyline(far, 2);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc.get()), nullptr);

    ENHMETAHEADER header;
    ASSERT_NE(GetEnhMetaFileHeader(h, &header), 0u);
    const auto records = Records(h);
    EXPECT_EQ(header.nRecords, records.size());
    EXPECT_EQ(header.nBytes, h->Bits().size());
    EXPECT_EQ(header.rclFrame.right, 2645);
    EXPECT_EQ(header.nDescription, 9u);
    EXPECT_EQ(header.nHandles, 4);  // entry 0 and three objects
    EXPECT_LE(header.rclBounds.left, 0);
    EXPECT_GE(header.rclBounds.right, 49);
    for (const auto& r : records) {
        std::vector<BYTE> copy = r;
        EXPECT_NE(U_emf_record_safe(reinterpret_cast<const char*>(copy.data())), 0) << LoadLE32(r.data());
    }
    const std::vector<DWORD> types = Types(records);
    EXPECT_EQ(types.front(), EMR_HEADER);
    EXPECT_EQ(types.back(), EMR_EOF);
    // Points that fit 16 bits take the compact record forms.
    for (DWORD t : {EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT, EMR_EXTCREATEFONTINDIRECTW, EMR_RECTANGLE,
                    EMR_POLYGON16, EMR_POLYLINE, EMR_LINETO, EMR_EXTTEXTOUTW, EMR_SETPIXELV, EMR_SETMAPMODE})
        EXPECT_NE(std::find(types.begin(), types.end(), t), types.end()) << t;
    DeleteEnhMetaFile(h);
}

TEST(EmfRecorder, ObjectsAreWrittenOnceAndStockObjectsByIndex)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), red2(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255));
    dc->SelectObject(&red);
    dc->SelectObject(&blue);
    dc->SelectObject(&red2);
    dc->SelectStockObject(NULL_BRUSH);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> selected;
    int creates = 0;
    for (const auto& r : Records(h)) {
        if (LoadLE32(r.data()) == EMR_CREATEPEN)
            ++creates;
        if (LoadLE32(r.data()) == EMR_SELECTOBJECT)
            selected.push_back(LoadLE32(r.data() + 8));
    }
    EXPECT_EQ(creates, 2);
    EXPECT_EQ(selected, (std::vector<DWORD>{1, 2, 1, 0x80000000u | NULL_BRUSH}));
    DeleteEnhMetaFile(h);
}

TEST(EmfRecorder, RestoreDcIsWrittenRelativeAndFrameFollowsBounds)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    dc->SaveDC();
    dc->SaveDC();
    dc->SaveDC();
    EXPECT_TRUE(dc->RestoreDC(2));   // absolute level 2 of 3: two back
    EXPECT_FALSE(dc->RestoreDC(5));
    EXPECT_TRUE(dc->RestoreDC(-1));
    dc->Rectangle(0, 0, 96, 96);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    std::vector<LONG> restores;
    for (const auto& r : Records(h))
        if (LoadLE32(r.data()) == EMR_RESTOREDC)
            restores.push_back(LONG(LoadLE32(r.data() + 8)));
    EXPECT_EQ(restores, (std::vector<LONG>{-2, -1}));

    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    const CDeviceCaps caps = DisplayDeviceCaps();
    // A 96-pixel square on the reference is about an inch: 2540 x 0.01 mm at
    // 96 dpi. The bounds are inclusive (0..95), the frame reaches past pixel 95.
    EXPECT_EQ(header.rclBounds.right - header.rclBounds.left, 95);
    EXPECT_NEAR(header.rclFrame.right - header.rclFrame.left,
                MulDiv(header.rclBounds.right - header.rclBounds.left + 1, caps.horzSizeMm * 100, caps.horzRes), 1);
    EXPECT_EQ(header.szlDevice.cx, caps.horzRes);
    DeleteEnhMetaFile(h);
}

// The anti-aliased side reaches a metafile in GDI terms: a filled path as a
// polygon in its brush's colour; a stroke as a pen of its width, colour and
// dash style drawing the path as lines and curves, so that a thin slanted
// line stays a line in readers that do not rasterise like this program.
TEST(EmfRecorder, AntiAliasedFillsAreWrittenAsPolygonsAndStrokesAsPens)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    QPainterPath square;
    square.addRect(10, 10, 40, 40);
    CGpBrush brush;
    brush.color = 0xFF336699;
    CGpState state;
    dc->GpFillPath(square, brush, state);
    struct Stroke {
        QPainterPath path;
        float width;
        GpDashStyle dash;
        std::vector<float> pattern;
        DWORD record;     // the record that draws it
        UINT penStyle;    // its pen's dash style
        int penWidth;
    };
    QPainterPath diagonal, frame, arc;
    diagonal.moveTo(0, 80);
    diagonal.lineTo(100, 130);
    frame.addRect(120, 10, 30, 20);
    arc.moveTo(200, 50);
    arc.arcTo(QRectF(200, 30, 40, 40), 180, -180);
    const Stroke strokes[] = {
        {diagonal, 1, GpDashStyle::Solid, {}, EMR_POLYLINE16, PS_SOLID, 1},
        {diagonal, 0.25f, GpDashStyle::Solid, {}, EMR_POLYLINE16, PS_SOLID, 1},  // never thinner than a unit
        {frame, 3, GpDashStyle::Dash, {}, EMR_POLYGON16, PS_DASH, 3},
        {arc, 2, GpDashStyle::Custom, {2, 2}, EMR_POLYBEZIER16, PS_DOT, 2},
        {arc, 2, GpDashStyle::Custom, {12, 4}, EMR_POLYBEZIER16, PS_DASH, 2},
        {arc, 2, GpDashStyle::Custom, {2, 4, 6, 4}, EMR_POLYBEZIER16, PS_DASHDOT, 2},
    };
    for (const Stroke& s : strokes) {
        CGpPen pen;
        pen.color = 0xFFFF0000;
        pen.width = s.width;
        pen.dashStyle = s.dash;
        pen.dashPattern = s.pattern;
        dc->GpDrawPath(s.path, pen, state);
    }
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<COLORREF> brushes;
    int fills = 0;
    size_t next = 0;
    std::vector<BYTE> pen;
    for (const auto& r : Records(h)) {
        const DWORD type = LoadLE32(r.data());
        if (type == EMR_CREATEBRUSHINDIRECT)
            brushes.push_back(LoadLE32(r.data() + 16));
        fills += type == EMR_POLYPOLYGON16;
        if (type == EMR_EXTCREATEPEN)
            pen = r;
        const bool drawn = type == EMR_POLYLINE16 || type == EMR_POLYGON16 || type == EMR_POLYBEZIER16;
        if (drawn && next < std::size(strokes)) {
            const Stroke& s = strokes[next++];
            SCOPED_TRACE(next);
            EXPECT_EQ(type, s.record);
            ASSERT_FALSE(pen.empty());
            const DWORD style = LoadLE32(pen.data() + 28);
            EXPECT_EQ(style & PS_TYPE_MASK, PS_GEOMETRIC);
            EXPECT_EQ(style & PS_STYLE_MASK, s.penStyle);
            EXPECT_EQ(int(LoadLE32(pen.data() + 32)), s.penWidth);
            EXPECT_EQ(LoadLE32(pen.data() + 40), RGB(0xFF, 0, 0));
            const DWORD count = LoadLE32(r.data() + 24);
            const auto point = [&](DWORD i) {
                return std::pair<int, int>(int16_t(LoadLE16(r.data() + 28 + 4 * i)),
                                           int16_t(LoadLE16(r.data() + 30 + 4 * i)));
            };
            if (s.path == diagonal) {
                ASSERT_EQ(count, 2u);
                EXPECT_EQ(point(0), std::make_pair(0, 80));
                EXPECT_EQ(point(1), std::make_pair(100, 130));
            } else if (s.path == frame) {
                EXPECT_EQ(count, 4u);  // closed by the polygon, not repeated
            } else {
                EXPECT_EQ(count % 3, 1u);  // the curve kept as Bezier pieces
                EXPECT_GE(count, 7u);
                EXPECT_EQ(point(0), std::make_pair(200, 50));
                EXPECT_EQ(point(count - 1), std::make_pair(240, 50));
            }
        }
    }
    EXPECT_EQ(next, std::size(strokes));
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(brushes, (std::vector<COLORREF>{RGB(0x33, 0x66, 0x99)}));
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    EXPECT_LE(header.rclBounds.top, 10);
    EXPECT_GE(header.rclBounds.bottom, 129);  // the line leaves out its last point
    DeleteEnhMetaFile(h);
}

// Text written without advances gets the font's own: a narrow and a wide
// letter keep their widths.
TEST(EmfRecorder, TextWithoutAdvancesGetsTheFontsWidths)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -40;
    std::strcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc->SelectObject(&font);
    dc->ExtTextOut(10, 10, 0, nullptr, "iW", 2, nullptr);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> advances;
    for (const auto& r : Records(h)) {
        if (LoadLE32(r.data()) != EMR_EXTTEXTOUTW)
            continue;
        const DWORD offDx = LoadLE32(r.data() + 72);
        for (int i = 0; i < 2; ++i)
            advances.push_back(LoadLE32(r.data() + offDx + 4 * i));
    }
    ASSERT_EQ(advances.size(), 2u);
    EXPECT_GT(advances[0], 0u);
    EXPECT_LT(advances[0] * 2, advances[1]);
    DeleteEnhMetaFile(h);
}

namespace {
// The pixels a drawing call paints on the painting back-end, inclusive: the
// tightest box of the non-white pixels.
RECT PaintedBox(const std::function<void(CDC&)>& draw)
{
    QImage img(200, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CPainterDC dc(&img);
        draw(dc);
    }
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                           std::max<LONG>(box.bottom, y)};
    return box;
}

RECT RecordedBounds(const std::function<void(CDC&)>& draw)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    draw(*dc);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ENHMETAHEADER header{};
    EXPECT_NE(h, nullptr);
    if (h)
        GetEnhMetaFileHeader(h, &header);
    DeleteEnhMetaFile(h);
    return header.rclBounds;
}

std::string Str(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
}  // namespace

// The header's bounds hold exactly the pixels drawn, inclusive on all four
// sides, for pens of one and more pixels and for shapes without an outline.
TEST(EmfRecorder, BoundsHoldExactlyThePixelsDrawn)
{
    const struct {
        const char* what;
        int penStyle, penWidth;
        std::function<void(CDC&)> draw;
    } cases[] = {
        {"rectangle", PS_SOLID, 1, [](CDC& dc) { dc.Rectangle(10, 10, 50, 40); }},
        {"rectangle pen 3", PS_SOLID, 3, [](CDC& dc) { dc.Rectangle(10, 10, 50, 40); }},
        {"rectangle pen 4", PS_SOLID, 4, [](CDC& dc) { dc.Rectangle(10, 10, 50, 40); }},
        {"rectangle no pen", PS_NULL, 1, [](CDC& dc) { dc.Rectangle(10, 10, 50, 40); }},
        {"ellipse", PS_SOLID, 1, [](CDC& dc) { dc.Ellipse(20, 30, 71, 60); }},
        {"ellipse pen 5", PS_SOLID, 5, [](CDC& dc) { dc.Ellipse(20, 30, 71, 60); }},
        {"round rect", PS_SOLID, 1, [](CDC& dc) { dc.RoundRect(15, 25, 80, 90, 12, 12); }},
        {"polygon", PS_SOLID, 1,
         [](CDC& dc) {
             const POINT p[3] = {{30, 20}, {90, 50}, {40, 100}};
             dc.Polygon(p, 3);
         }},
        {"polygon pen 3", PS_SOLID, 3,
         [](CDC& dc) {
             const POINT p[3] = {{30, 20}, {90, 50}, {40, 100}};
             dc.Polygon(p, 3);
         }},
        {"polyline", PS_SOLID, 1,
         [](CDC& dc) {
             const POINT p[3] = {{30, 20}, {90, 20}, {90, 70}};
             dc.Polyline(p, 3);
         }},
        {"line right", PS_SOLID, 1,
         [](CDC& dc) {
             dc.MoveTo(10, 20);
             dc.LineTo(60, 20);
         }},
        {"line up left", PS_SOLID, 1,
         [](CDC& dc) {
             dc.MoveTo(60, 70);
             dc.LineTo(10, 20);
         }},
        {"pattern", PS_SOLID, 1, [](CDC& dc) { dc.PatBlt(5, 6, 20, 10, BLACKNESS); }},
        {"pixel", PS_SOLID, 1, [](CDC& dc) { dc.SetPixel(7, 8, RGB(1, 2, 3)); }},
    };
    for (const auto& c : cases) {
        const auto draw = [&](CDC& dc) {
            CPen pen(c.penStyle, c.penWidth, RGB(0, 0, 0));
            CBrush brush(RGB(0, 0, 255));
            dc.SelectObject(&pen);
            dc.SelectObject(&brush);
            c.draw(dc);
            dc.SelectStockObject(BLACK_PEN);
            dc.SelectStockObject(WHITE_BRUSH);
        };
        EXPECT_EQ(Str(RecordedBounds(draw)), Str(PaintedBox(draw))) << c.what;
    }
}

// Removing the clip is written (EXTSELECTCLIPRGN, RGN_COPY, no region data)
// and played: what comes after it is drawn whole.
TEST(EmfRecorder, RemovingTheClipIsWrittenAndPlayed)
{
    const RECT frame{0, 0, MulDiv(100, DisplayDeviceCaps().horzSizeMm * 100, DisplayDeviceCaps().horzRes),
                     MulDiv(100, DisplayDeviceCaps().vertSizeMm * 100, DisplayDeviceCaps().vertRes)};
    auto dc = CreateEnhMetaFile(&frame, {});
    dc->IntersectClipRect(0, 0, 10, 10);
    dc->SelectClipRgn(nullptr);
    dc->FillSolidRect(0, 0, 100, 100, RGB(255, 0, 0));
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<std::vector<BYTE>> clips;
    for (const auto& r : Records(h))
        if (LoadLE32(r.data()) == EMR_EXTSELECTCLIPRGN)
            clips.push_back(r);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].size(), 16u);
    EXPECT_EQ(LoadLE32(clips[0].data() + 8), 0u);        // no region data
    EXPECT_EQ(LoadLE32(clips[0].data() + 12), DWORD(RGN_COPY));
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CPainterDC out(&img);
        const RECT dest{0, 0, 100, 100};
        ASSERT_TRUE(PlayEnhMetaFile(&out, h, &dest));
    }
    EXPECT_EQ(img.pixel(50, 50) & 0xFFFFFF, 0xFF0000u);
    DeleteEnhMetaFile(h);
}

// Each clip call is one record: a rectangle intersected or excluded is not
// written again as a region.
TEST(EmfRecorder, ClipCallsAreWrittenOnce)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    dc->IntersectClipRect(0, 0, 50, 50);
    dc->ExcludeClipRect(10, 10, 20, 20);
    dc->BeginPath();
    dc->Rectangle(0, 0, 30, 30);
    dc->EndPath();
    dc->SelectClipPath(RGN_AND);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> clipTypes;
    for (DWORD t : Types(Records(h)))
        if (t == EMR_INTERSECTCLIPRECT || t == EMR_EXCLUDECLIPRECT || t == EMR_EXTSELECTCLIPRGN ||
            t == EMR_SELECTCLIPPATH)
            clipTypes.push_back(t);
    EXPECT_EQ(clipTypes, (std::vector<DWORD>{EMR_INTERSECTCLIPRECT, EMR_EXCLUDECLIPRECT, EMR_SELECTCLIPPATH}));
    DeleteEnhMetaFile(h);
}

namespace {

// A device that takes at most `room` bytes; writes past it fail.
class FullDevice : public QBuffer {
public:
    explicit FullDevice(qint64 room) : m_room(room) {}

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        if (pos() + size > m_room)
            return -1;
        return QBuffer::writeData(data, size);
    }

private:
    qint64 m_room;
};

// Many small shapes in several colours, with a description and a frame.
void DrawManyShapes(CDC& dc, int count)
{
    CBrush red(RGB(200, 0, 0)), green(RGB(0, 200, 0)), blue(RGB(0, 0, 200));
    CBrush* brushes[3] = {&red, &green, &blue};
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(500, 500);
    for (int i = 0; i < count; ++i) {
        dc.SelectObject(brushes[i % 3]);
        const int x = (i * 37) % 900, y = (i * 53) % 900;
        dc.Rectangle(x, y, x + 40, y + 30);
        dc.MoveTo(x, y);
        dc.LineTo(x + 60, y + 45);
    }
}

} // namespace

// Recorded into a device, the records go out as they are made, not held for
// the end; the file then holds byte for byte the metafile recorded in memory
// (header with its bounds, frame, sizes and counts rewritten at the end). A
// device that refuses a write fails the recording instead of leaving a
// metafile without some of its records.
TEST(EmfRecorder, StreamedRecordingMatchesTheRecordingInMemory)
{
    const RECT frame{0, 0, 26450, 26450};
    const std::string desc("App\0Doc\0\0", 9);
    constexpr int kShapes = 20000;   // about 1.3 MB of records
    CEmfRecorderDC memory(&frame, desc);
    DrawManyShapes(memory, kShapes);
    HENHMETAFILE held = memory.Close();
    ASSERT_NE(held, nullptr);
    std::vector<BYTE> want(GetEnhMetaFileBits(held, 0, nullptr));
    ASSERT_EQ(GetEnhMetaFileBits(held, UINT(want.size()), want.data()), want.size());
    DeleteEnhMetaFile(held);

    QBuffer file;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    qint64 writtenWhileDrawing = 0;
    {
        CEmfRecorderDC streamed(&file, &frame, desc);
        DrawManyShapes(streamed, kShapes);
        writtenWhileDrawing = file.size();
        EXPECT_EQ(streamed.Close(), nullptr);   // a streamed recording is not handed over
        ASSERT_TRUE(streamed.Finish());
        EXPECT_FALSE(streamed.Finish());
    }
    // All but the last few hundred kilobytes were out before the end.
    EXPECT_GT(writtenWhileDrawing, qint64(want.size()) - (qint64(512) << 10));
    ASSERT_EQ(file.data().size(), qint64(want.size()));
    EXPECT_TRUE(std::equal(want.begin(), want.end(), reinterpret_cast<const BYTE*>(file.data().constData())));
    HENHMETAFILE back = SetEnhMetaFileBits(UINT(file.data().size()), reinterpret_cast<const BYTE*>(file.data().constData()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Records(back).size(), LoadLE32(want.data() + EMF_OFF_RECORDS));
    DeleteEnhMetaFile(back);

    for (qint64 room : {qint64(40), qint64(600) << 10}) {
        FullDevice full(room);
        ASSERT_TRUE(full.open(QIODevice::WriteOnly));
        CEmfRecorderDC streamed(&full, &frame, desc);
        DrawManyShapes(streamed, kShapes);
        EXPECT_FALSE(streamed.Finish()) << room;
    }
}
