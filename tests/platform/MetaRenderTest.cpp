// Metafiles played onto the painting back-end: a picture recorded from drawing
// calls and played back into an image matches the same calls drawn directly,
// and a WMF converted from it does too.
#include "platform/CPainterDC.h"
#include "platform/MetaFixtures.h"
#include "platform/MetaPictures.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfPlayer.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "platform/metafile/MetaRaster.h"

#include <QImage>

#include <uemf.h>

#include <gtest/gtest.h>

#include <functional>

namespace {
constexpr int kW = 120, kH = 80;

void Draw(CDC& dc)
{
    CPen pen(PS_SOLID, 3, RGB(200, 0, 0));
    CBrush brush(RGB(0, 0, 200));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(10, 10, 60, 50);
    dc.Ellipse(70, 20, 110, 70);
    const POINT tri[3] = {{20, 70}, {50, 55}, {60, 75}};
    dc.Polygon(tri, 3);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

const QSize kSize(kW, kH);

QImage White() { return WhitePicture(kSize); }
double Mismatch(const QImage& a, const QImage& b) { return PictureMismatch(a, b); }
RECT Frame() { return PictureFrame(kSize); }
HENHMETAFILE Record(const std::function<void(CDC&)>& draw) { return RecordEmfPicture(kSize, draw); }
HENHMETAFILE RecordPicture() { return Record(Draw); }
QImage PlayEmf(HENHMETAFILE emf) { return PlayEmfPicture(kSize, emf); }
// The EMF converted to a WMF and played as a container plays it.
QImage PlayAsWmf(HENHMETAFILE emf) { return PlayWmfPicture(kSize, GetWinMetaFileBits(emf, MM_ANISOTROPIC)); }
}  // namespace

TEST(MetaRender, RecordedPictureMatchesDirectDrawing)
{
    QImage direct = White();
    {
        CPainterDC dc(&direct);
        Draw(dc);
    }
    HENHMETAFILE emf = RecordPicture();
    ASSERT_NE(emf, nullptr);
    const QImage played = PlayEmf(emf);
    EXPECT_LT(Mismatch(direct, played), 0.01);
    // Something was drawn at all: the rectangle's fill is blue.
    EXPECT_EQ(qBlue(played.pixel(30, 30)), 200);
    EXPECT_LT(Mismatch(direct, PlayAsWmf(emf)), 0.01);
    DeleteEnhMetaFile(emf);
}

// A DIB drawn into a metafile comes back as the same pixels, through the EMF
// and through its WMF form.
TEST(MetaRender, DibBlitsSurviveRecordingAndConversion)
{
    const FourColourDib dib;
    HENHMETAFILE emf = Record([&](CDC& dc) {
        dc.StretchDIBits(0, 0, kW, kH, 0, 0, 2, 2, dib.pixels, dib.Info(), DIB_RGB_COLORS, SRCCOPY);
    });
    ASSERT_NE(emf, nullptr);
    auto check = [](const QImage& img, const char* what) {
        EXPECT_EQ(img.pixel(kW / 4, kH / 4) & 0xFFFFFF, 0x0000FFu) << what;      // top left: blue
        EXPECT_EQ(img.pixel(3 * kW / 4, kH / 4) & 0xFFFFFF, 0xFFFFFFu) << what;  // top right: white
        EXPECT_EQ(img.pixel(kW / 4, 3 * kH / 4) & 0xFFFFFF, 0xFF0000u) << what;  // bottom left: red
    };
    check(PlayEmf(emf), "emf");
    check(PlayAsWmf(emf), "wmf");
    DeleteEnhMetaFile(emf);
}

// A metafile played into a recording keeps its place: the nested play-back is
// recorded with its transform.
TEST(MetaRender, NestedPlaybackIsRecordedInPlace)
{
    HENHMETAFILE inner = RecordPicture();
    const RECT half{0, 0, kW / 2, kH / 2};
    HENHMETAFILE outer = Record([&](CDC& dc) { EXPECT_TRUE(PlayEnhMetaFile(&dc, inner, &half)); });
    ASSERT_NE(outer, nullptr);
    QImage expected = White();
    {
        CPainterDC dc(&expected);
        ASSERT_TRUE(PlayEnhMetaFile(&dc, inner, &half));
    }
    EXPECT_LT(Mismatch(expected, PlayEmf(outer)), 0.02);
    DeleteEnhMetaFile(outer);
    DeleteEnhMetaFile(inner);
}

TEST(MetaRender, RasterisedPicturesKeepTheirPlaceAtAnySampling)
{
    HENHMETAFILE emf = RecordPicture();
    for (int factor : {1, 2}) {
        const QImage img = RasteriseEnhMetafile(emf, QSize(kW, kH), QColor(255, 255, 252), factor);
        ASSERT_FALSE(img.isNull()) << factor;
        EXPECT_EQ(img.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(qBlue(img.pixel(30, 30)), 200) << factor;         // inside the blue rectangle
        EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 252)) << factor;  // the background
    }
    EXPECT_TRUE(RasteriseEnhMetafile(emf, QSize(0, 10), Qt::white).isNull());
    EXPECT_TRUE(RasteriseEnhMetafile(emf, QSize(100000, 100000), Qt::white).isNull());

    const std::vector<BYTE> bits = GetWinMetaFileBits(emf, MM_ANISOTROPIC);
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    RECT box;
    ASSERT_TRUE(FindWmfWindowBox(wmf->Bytes(), box));
    const QImage fromWmf = RasteriseMetafile(wmf, box, QSize(kW, kH), Qt::white, 2);
    ASSERT_FALSE(fromWmf.isNull());
    EXPECT_EQ(qBlue(fromWmf.pixel(30, 30)), 200);
    DeleteMetaFile(wmf);
    DeleteEnhMetaFile(emf);
}

// Other programs write transparent pictures as alpha blends.
TEST(MetaRender, AlphaBlendRecordsBlendOverTheTarget)
{
    U_BITMAPINFOHEADER bih = bitmapinfoheader_set(1, 1, 1, 32, U_BI_RGB, 4, 0, 0, 0, 0);
    U_BITMAPINFO bmi{};
    bmi.bmiHeader = bih;
    uint32_t pixel = 0x00FF0000;  // red, no per-pixel alpha
    U_BLEND blend{0, 0, 128, 0};  // source over, constant alpha 128
    char* rec = U_EMRALPHABLEND_set(U_RECTL{0, 0, kW, kH}, U_POINTL{0, 0}, U_POINTL{kW, kH}, U_POINTL{0, 0},
                                    U_POINTL{1, 1}, U_XFORM{1, 0, 0, 1, 0, 0}, colorref3_set(0, 0, 0),
                                    U_DIB_RGB_COLORS, blend, &bmi, 4, reinterpret_cast<char*>(&pixel));
    ASSERT_NE(rec, nullptr);
    const std::vector<BYTE> bytes =
        CEmfBuilder(RECT{0, 0, kW - 1, kH - 1}, Frame()).Raw(reinterpret_cast<BYTE*>(rec)).Finish();
    std::free(rec);
    HENHMETAFILE emf = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(emf, nullptr);
    const QRgb p = PlayEmf(emf).pixel(kW / 2, kH / 2);
    EXPECT_EQ(qRed(p), 255);
    EXPECT_NEAR(qGreen(p), 127, 3);
    EXPECT_NEAR(qBlue(p), 127, 3);
    DeleteEnhMetaFile(emf);
}

// A pattern brush is written with its pattern and fills with it again.
TEST(MetaRender, PatternBrushesKeepTheirPattern)
{
    QImage checker(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, ((x + y) % 2) ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(checker));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&bitmap));
    HENHMETAFILE emf = Record([&](CDC& dc) {
        const RECT area{0, 0, kW, kH};
        dc.FillRect(&area, &brush);
    });
    ASSERT_NE(emf, nullptr);
    auto checkPattern = [](const QImage& img, const char* what) {
        const QRgb a = img.pixel(20, 20), b = img.pixel(21, 20);
        EXPECT_NE(a, b) << what;
        EXPECT_TRUE((a & 0xFFFFFF) == 0xFF0000u || (a & 0xFFFFFF) == 0x0000FFu) << what << std::hex << a;
    };
    checkPattern(PlayEmf(emf), "emf");
    checkPattern(PlayAsWmf(emf), "wmf");
    DeleteEnhMetaFile(emf);
}

// WMF regions: a clip region limits drawing, a filled region is painted.
TEST(MetaRender, WmfRegionsClipAndFill)
{
    // One scan: rows 10..40, columns 10..50 (header: 11 words, scan count at word 5).
    const std::initializer_list<int> region = {0, 6, 1, 0, 24, 1, 1, 10, 10, 50, 40, 2, 10, 40, 10, 50, 2};
    const std::vector<BYTE> bytes = CWmfBuilder()
                                        .Record(META_CREATEREGION, region)
                                        .Record(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0x00FF, 0, 0})
                                        .Record(META_SELECTOBJECT, {1})
                                        .Record(META_SELECTCLIPREGION, {0})
                                        .Record(META_PATBLT, {0x0021, 0x00F0, kH, kW, 0, 0})
                                        .Finish();
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(bytes.size()), bytes.data());
    ASSERT_NE(wmf, nullptr);
    QImage img = White();
    {
        CPainterDC dc(&img);
        ASSERT_TRUE(PlayMetaFile(&dc, wmf));
    }
    EXPECT_EQ(img.pixel(20, 20) & 0xFFFFFF, 0xFF0000u);  // inside the clip: red
    EXPECT_EQ(img.pixel(60, 20) & 0xFFFFFF, 0xFFFFFFu);  // outside: untouched
    EXPECT_EQ(img.pixel(20, 45) & 0xFFFFFF, 0xFFFFFFu);
    DeleteMetaFile(wmf);

    const std::vector<BYTE> fill = CWmfBuilder()
                                       .Record(META_CREATEREGION, region)
                                       .Record(META_CREATEBRUSHINDIRECT, {BS_SOLID, 0xFF00, 0, 0})
                                       .Record(META_FILLREGION, {0, 1})
                                       .Finish();
    wmf = SetMetaFileBitsEx(UINT(fill.size()), fill.data());
    QImage filled = White();
    {
        CPainterDC dc(&filled);
        ASSERT_TRUE(PlayMetaFile(&dc, wmf));
    }
    EXPECT_EQ(filled.pixel(20, 20) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(filled.pixel(60, 20) & 0xFFFFFF, 0xFFFFFFu);
    DeleteMetaFile(wmf);
}

// A path written as lines and bezier pieces that continue one figure (as
// other programs write rounded shapes) fills as one shape: the curves do not
// start figures of their own, so the middle is not left out.
TEST(MetaRender, BezierPiecesInAPathContinueTheFigure)
{
    const auto draw = [](CDC& dc) {
        CBrush brush(RGB(0, 0, 200));
        dc.SelectStockObject(NULL_PEN);
        dc.SelectObject(&brush);
        dc.BeginPath();
        dc.MoveTo(30, 10);
        dc.LineTo(90, 10);
        const POINT c1[3] = {{100, 10}, {110, 20}, {110, 30}};
        dc.PolyBezierTo(c1, 3);
        dc.LineTo(110, 50);
        const POINT c2[3] = {{110, 60}, {100, 70}, {90, 70}};
        dc.PolyBezierTo(c2, 3);
        dc.LineTo(30, 70);
        const POINT c3[3] = {{20, 70}, {10, 60}, {10, 50}};
        dc.PolyBezierTo(c3, 3);
        dc.LineTo(10, 30);
        const POINT c4[3] = {{10, 20}, {20, 10}, {30, 10}};
        dc.PolyBezierTo(c4, 3);
        dc.CloseFigure();
        dc.EndPath();
        dc.FillPath();
        dc.SelectStockObject(WHITE_BRUSH);
    };
    QImage direct = White();
    {
        CPainterDC dc(&direct);
        draw(dc);
    }
    HENHMETAFILE emf = Record(draw);
    ASSERT_NE(emf, nullptr);
    const QImage played = PlayEmf(emf);
    for (const QImage* img : {static_cast<const QImage*>(&direct), &played}) {
        EXPECT_EQ(img->pixel(60, 40) & 0xFFFFFF, 0x0000C8u);   // the middle
        EXPECT_EQ(img->pixel(14, 40) & 0xFFFFFF, 0x0000C8u);   // beside a straight side
        EXPECT_EQ(img->pixel(12, 12) & 0xFFFFFF, 0xFFFFFFu);   // outside a rounded corner
    }
    EXPECT_LT(Mismatch(direct, played), 0.005);
    DeleteEnhMetaFile(emf);
}

namespace {
QImage PlayWmfBits(const std::vector<BYTE>& bits) { return PlayWmfPicture(kSize, bits); }

std::vector<BYTE> RecordWmf(const std::function<void(CDC&)>& draw)
{
    CWmfRecorderDC rec;
    draw(rec);
    return rec.Close();
}

std::vector<WORD> WmfFunctions(const std::vector<BYTE>& bits)
{
    std::vector<WORD> out;
    for (size_t at = WMF_HEADER_SIZE; at + 6 <= bits.size();) {
        const DWORD words = LoadLE32(bits.data() + at);
        out.push_back(LoadLE16(bits.data() + at + 4));
        if (words < 3)
            break;
        at += size_t(words) * 2;
    }
    return out;
}

// Intersect, exclude, then the clip removed: a red fill inside the frame
// but outside the hole, then a blue band drawn whole.
void ClipModes(CDC& dc)
{
    dc.IntersectClipRect(10, 10, 100, 70);
    dc.ExcludeClipRect(30, 20, 50, 40);
    dc.FillSolidRect(0, 0, kW, kH, RGB(255, 0, 0));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 60, kW, 20, RGB(0, 0, 255));
}
}  // namespace

// Clip modes reach both metafile forms: WMF writes intersect and exclude as
// its own records (each once), and the clip removed as the selection of
// object 0; played back, every form draws what the direct drawing draws.
TEST(MetaRender, ClipModesSurviveBothRecorders)
{
    QImage direct = White();
    {
        CPainterDC dc(&direct);
        ClipModes(dc);
    }
    EXPECT_EQ(direct.pixel(20, 15) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(direct.pixel(40, 30) & 0xFFFFFF, 0xFFFFFFu);   // the hole
    EXPECT_EQ(direct.pixel(5, 75) & 0xFFFFFF, 0x0000FFu);    // after the clip is removed

    const std::vector<BYTE> wmf = RecordWmf(ClipModes);
    ASSERT_FALSE(wmf.empty());
    const std::vector<WORD> functions = WmfFunctions(wmf);
    std::vector<WORD> clips;
    for (WORD f : functions)
        if (f == META_INTERSECTCLIPRECT || f == META_EXCLUDECLIPRECT || f == META_SELECTCLIPREGION)
            clips.push_back(f);
    EXPECT_EQ(clips, (std::vector<WORD>{META_INTERSECTCLIPRECT, META_EXCLUDECLIPRECT, META_SELECTCLIPREGION}));
    EXPECT_LT(Mismatch(direct, PlayWmfBits(wmf)), 0.001) << "wmf";

    HENHMETAFILE emf = Record(ClipModes);
    ASSERT_NE(emf, nullptr);
    EXPECT_LT(Mismatch(direct, PlayEmf(emf)), 0.001) << "emf";
    EXPECT_LT(Mismatch(direct, PlayAsWmf(emf)), 0.001) << "emf as wmf";
    DeleteEnhMetaFile(emf);

    // The WMF turned into an EMF (as an imported WMF is kept) writes each
    // clip call once too.
    const RECT frame = Frame();
    const METAFILEPICT size{MM_ANISOTROPIC, frame.right, frame.bottom};
    HENHMETAFILE converted = SetWinMetaFileBits(UINT(wmf.size()), wmf.data(), &size);
    ASSERT_NE(converted, nullptr);
    std::vector<DWORD> emfClips;
    EnumEnhMetaFileRecords(converted, [&](std::vector<BYTE>& r) {
        const DWORD type = LoadLE32(r.data());
        if (type == EMR_INTERSECTCLIPRECT || type == EMR_EXCLUDECLIPRECT || type == EMR_EXTSELECTCLIPRGN)
            emfClips.push_back(type);
        return 1;
    });
    EXPECT_EQ(emfClips, (std::vector<DWORD>{EMR_INTERSECTCLIPRECT, EMR_EXCLUDECLIPRECT, EMR_EXTSELECTCLIPRGN}));
    EXPECT_LT(Mismatch(direct, PlayEmf(converted)), 0.001) << "wmf as emf";
    DeleteEnhMetaFile(converted);
}

// A clip region that is not one rectangle is written to WMF as its bounding
// box; excluding one keeps each of its rectangles out.
TEST(MetaRender, WmfWritesOtherRegionsAsRectangles)
{
    const auto draw = [](CDC& dc) {
        CRgn ellipse;
        ellipse.CreateEllipticRgn(20, 10, 100, 70);
        dc.SelectClipRgn(&ellipse, RGN_COPY);
        dc.FillSolidRect(0, 0, kW, kH, RGB(255, 0, 0));
        CRgn two;
        two.CreateRectRgn(0, 0, 10, 10);
        CRgn other;
        other.CreateRectRgn(110, 70, 120, 80);
        two.CombineRgn(&two, &other, RGN_OR);
        dc.SelectClipRgn(nullptr);
        dc.SelectClipRgn(&two, RGN_DIFF);
        dc.FillSolidRect(0, 0, kW, kH, RGB(0, 0, 255));
    };
    const QImage img = PlayWmfBits(RecordWmf(draw));
    EXPECT_EQ(img.pixel(21, 11) & 0xFFFFFF, 0x0000FFu);   // the ellipse's box corner, then blue over all
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);     // both excluded rectangles stay white
    EXPECT_EQ(img.pixel(115, 75) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(img.pixel(15, 5) & 0xFFFFFF, 0x0000FFu);
}

// A recording that cannot write a record fails as a whole: a WMF whose
// object table is full gives no bits rather than a picture without the
// objects that did not fit.
TEST(MetaRender, WmfRecordingFailsWhenARecordCannotBeWritten)
{
    CWmfRecorderDC rec;
    for (int i = 0; i < 0x10000; ++i) {
        CPen pen(PS_SOLID, 1, COLORREF(i));
        rec.SelectObject(&pen);
    }
    EXPECT_TRUE(rec.Close().empty());
    // A text longer than a text record takes.
    CWmfRecorderDC text;
    const std::string tooLong(8001, 'x');
    EXPECT_FALSE(text.ExtTextOut(0, 0, 0, nullptr, tooLong.data(), UINT(tooLong.size()), nullptr));
    EXPECT_TRUE(text.Close().empty());
}
