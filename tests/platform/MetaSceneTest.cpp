// One scene of every drawing primitive the metafiles carry (pens, brushes,
// hatches, shapes, text with advances, DIB blits, and the clip set,
// intersected, excluded and removed), drawn directly and through each of our
// recorders and players: the pictures must agree. A by-hand check renders the
// same files with LibreOffice where it is installed (not run in CI).
#include "platform/MetaPictures.h"
#include "platform/metafile/CWmfRecorderDC.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {
constexpr int kW = 240, kH = 160;

void Shapes(CDC& dc)
{
    CPen wide(PS_SOLID, 4, RGB(200, 0, 0));
    CPen dashed(PS_DASH, 1, RGB(0, 120, 0));
    CBrush solid(RGB(0, 0, 200));
    CBrush hatch(HS_DIAGCROSS, RGB(120, 0, 120));
    dc.SelectObject(&wide);
    dc.SelectObject(&solid);
    dc.Rectangle(10, 10, 60, 50);
    dc.SelectObject(&hatch);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 255, 0));
    dc.Ellipse(70, 10, 130, 50);
    dc.SetBkMode(TRANSPARENT);
    dc.RoundRect(140, 10, 200, 50, 16, 16);
    dc.SelectObject(&dashed);
    dc.MoveTo(10, 60);
    dc.LineTo(230, 60);
    const POINT zig[4] = {{10, 70}, {40, 90}, {70, 70}, {100, 90}};
    dc.Polyline(zig, 4);
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectObject(&solid);
    const POINT tri[3] = {{110, 95}, {150, 65}, {170, 95}};
    dc.Polygon(tri, 3);
    dc.Pie(180, 65, 230, 115, 230, 90, 205, 65);
    dc.PatBlt(205, 10, 25, 15, BLACKNESS);
    dc.SetPixel(235, 5, RGB(255, 0, 0));
    dc.SelectStockObject(WHITE_BRUSH);
}

void Text(CDC& dc)
{
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -16;
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    const int dx[6] = {14, 14, 14, 14, 14, 14};
    dc.ExtTextOut(10, 100, 0, nullptr, "Kavo 1", 6, dx);
    dc.SelectObject(old);
}

void Blit(CDC& dc)
{
    const FourColourDib dib;
    dc.StretchDIBits(110, 100, 40, 40, 0, 0, 2, 2, dib.pixels, dib.Info(), DIB_RGB_COLORS, SRCCOPY);
}

// The clip set to a rectangle, narrowed, holed, then removed; a fill after
// each step shows the clip of that step.
void Clips(CDC& dc)
{
    CRgn box;
    box.CreateRectRgn(160, 120, 235, 155);
    dc.SelectClipRgn(&box);
    dc.FillSolidRect(0, 0, kW, kH, RGB(255, 160, 0));
    dc.IntersectClipRect(170, 125, 230, 150);
    dc.ExcludeClipRect(190, 130, 210, 145);
    dc.FillSolidRect(0, 0, kW, kH, RGB(0, 160, 160));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(5, 150, 60, 8, RGB(90, 90, 90));
}

void Scene(CDC& dc)
{
    Shapes(dc);
    Text(dc);
    Blit(dc);
    Clips(dc);
}

const QSize kSize(kW, kH);

QImage White() { return WhitePicture(kSize); }
double Mismatch(const QImage& a, const QImage& b) { return PictureMismatch(a, b); }

QImage Direct()
{
    QImage img = White();
    CPainterDC dc(&img);
    Scene(dc);
    return img;
}

HENHMETAFILE RecordEmf() { return RecordEmfPicture(kSize, Scene); }

std::vector<BYTE> RecordWmf()
{
    CWmfRecorderDC rec;
    Scene(rec);
    return rec.Close();
}

QImage PlayEmf(HENHMETAFILE emf) { return PlayEmfPicture(kSize, emf); }
QImage PlayWmf(const std::vector<BYTE>& bits) { return PlayWmfPicture(kSize, bits); }
}  // namespace

TEST(MetaScene, EveryPrimitiveSurvivesEachRecorderAndPlayer)
{
    const QImage direct = Direct();
    // The scene is there at all: the filled rectangle, the DIB, both clip fills.
    EXPECT_EQ(direct.pixel(30, 30) & 0xFFFFFF, 0x0000C8u);
    EXPECT_EQ(direct.pixel(115, 105) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(direct.pixel(165, 122) & 0xFFFFFF, 0xFFA000u);
    EXPECT_EQ(direct.pixel(175, 128) & 0xFFFFFF, 0x00A0A0u);
    EXPECT_EQ(direct.pixel(200, 137) & 0xFFFFFF, 0xFFA000u);   // the hole keeps the first fill
    EXPECT_EQ(direct.pixel(10, 154) & 0xFFFFFF, 0x5A5A5Au);    // drawn after the clip is removed

    HENHMETAFILE emf = RecordEmf();
    ASSERT_NE(emf, nullptr);
    const std::vector<BYTE> wmf = RecordWmf();
    ASSERT_FALSE(wmf.empty());
    const std::vector<BYTE> emfAsWmf = GetWinMetaFileBits(emf, MM_ANISOTROPIC);
    ASSERT_FALSE(emfAsWmf.empty());
    const struct {
        const char* what;
        QImage picture;
    } played[] = {
        {"emf", PlayEmf(emf)},
        {"wmf", PlayWmf(wmf)},
        {"emf as wmf", PlayWmf(emfAsWmf)},
    };
    for (const auto& p : played) {
        // Text and dashes may fall a pixel apart; nothing else may.
        EXPECT_LT(Mismatch(direct, p.picture), 0.004) << p.what;
        EXPECT_EQ(p.picture.pixel(10, 154) & 0xFFFFFF, 0x5A5A5Au) << p.what;
        EXPECT_EQ(p.picture.pixel(200, 137) & 0xFFFFFF, 0xFFA000u) << p.what;
    }
    if (const QByteArray out = qgetenv("KAVO_METAFILE_SCENE_DIR"); !out.isEmpty()) {
        // For looking at by eye.
        direct.save(QDir(QString::fromLocal8Bit(out)).filePath("scene-direct.png"));
        for (const auto& p : played)
            p.picture.save(QDir(QString::fromLocal8Bit(out)).filePath(
                QStringLiteral("scene-%1.png").arg(QString::fromLatin1(p.what).replace(' ', '-'))));
    }
    DeleteEnhMetaFile(emf);
}

// By hand: LibreOffice renders our EMF and WMF of the scene like the direct
// drawing. Run with --gtest_also_run_disabled_tests; skipped without soffice.
TEST(MetaScene, DISABLED_LibreOfficeRendersOurFilesLikeTheDirectDrawing)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    HENHMETAFILE emf = RecordEmf();
    ASSERT_NE(emf, nullptr);
    const std::vector<BYTE> emfBytes = emf->Bits();
    const std::vector<BYTE> wmf = GetWinMetaFileBits(emf, MM_ANISOTROPIC);
    DeleteEnhMetaFile(emf);
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
    } files[] = {{"scene.emf", emfBytes}, {"scene.wmf", wmf}};
    const QImage direct = Direct();
    for (const auto& f : files) {
        QFile file(dir.filePath(QString::fromLatin1(f.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(f.bytes.data()), qint64(f.bytes.size()));
        file.close();
        QProcess convert;
        convert.setWorkingDirectory(dir.path());
        convert.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("png"),
                                file.fileName()});
        ASSERT_TRUE(convert.waitForFinished(120000)) << f.name;
        QImage rendered(dir.filePath(QString::fromLatin1(f.name).replace(QStringLiteral(".emf"), ".png")
                                         .replace(QStringLiteral(".wmf"), ".png")));
        ASSERT_FALSE(rendered.isNull()) << f.name;
        rendered = rendered.convertToFormat(QImage::Format_RGB32).scaled(kW, kH);
        EXPECT_LT(Mismatch(direct, rendered), 0.05) << f.name;
    }
}
