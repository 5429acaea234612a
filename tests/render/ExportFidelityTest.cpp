// What exported pictures keep of a diagram: shadows of shapes without outline
// points, the Windows metafile's stand-ins for what it cannot hold, the
// export's own anti-aliasing choice, and soft shadows of huge figures drawn
// small.
#include "ImageTestSupport.h"

#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/MetaBytes.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"
#include "render/ExportFormats.h"
#include "render/SoftShadow.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace {

CFigSymbol ShapeSymbol(const char* name, BYTE op)
{
    SymbolBuilder b;
    auto shape = [op](COutlineWriter& w) {
        if (op == kOpRoundRect)
            w.RoundRect(CFltRect(0, 0, 2048, 2048), CFltPoint(500, 500));
        else
            w.Rect(op, CFltRect(0, 0, 2048, 2048));
    };
    b.Fill(shape);
    b.Outline(shape);
    b.TextBoxes({CFltRect(200, 200, 1848, 1848)});
    b.sym.m_strName = name;
    return b.sym;
}

int AddSymbol(DiagramFixture& d, const char* name, BYTE op)
{
    CFigSymbol s = ShapeSymbol(name, op);
    return d.doc.m_figSymbols.AddOrReplace(&s);
}

CFigure* AddShape(DiagramFixture& d, int symbol, const CRect& r, COLORREF fill)
{
    CFigure* fig = d.AddBox(r.left, r.top, r.Width(), r.Height(), "", fill);
    fig->m_props.Symbol = symbol;
    fig->m_props.BorderColor = RGB(0, 0, 0);
    return fig;
}

// The drawing at one pixel a unit, as bitmap export draws it.
QImage Render(CKavoDoc& doc, const CRect& rect)
{
    const std::unique_ptr<CBitmap> bitmap = RenderToDDB(doc, kExportAll, rect, rect.Height(), rect.Width(), 0xFFFFFF);
    return bitmap ? bitmap->Image() : QImage();
}

class ExportFidelity : public ::testing::Test, public DiagramFixture {
protected:
    void SetUp() override
    {
        InstallExportDrawer();
        savedQuality = DisplayQuality;
        DisplayQuality = 1;  // the display smooths
    }
    void TearDown() override { DisplayQuality = savedQuality; }

    QByteArray Export(int type, bool antialias, const CRect& rect)
    {
        const QString path = dir.filePath("out");
        const ExportResult r = ExportGraphic(doc, kExportAll, rect, type, path, rect.Width() + 2, rect.Height() + 2,
                                             90, 24, antialias, nullptr);
        EXPECT_TRUE(r.ok);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int savedQuality = 1;
    QTemporaryDir dir;
};

struct WmfRecord {
    WORD function;
    std::vector<WORD> params;
};

// The records of a placeable metafile file.
std::vector<WmfRecord> WmfRecords(const QByteArray& file)
{
    std::vector<WmfRecord> out;
    const auto* p = reinterpret_cast<const BYTE*>(file.constData());
    size_t at = 22 + 18;
    while (at + 6 <= size_t(file.size())) {
        const DWORD words = LoadLE32(p + at);
        if (words < 3 || at + words * 2 > size_t(file.size()))
            break;
        WmfRecord r{LoadLE16(p + at + 4), {}};
        for (DWORD i = 3; i < words; ++i)
            r.params.push_back(LoadLE16(p + at + 2 * i));
        out.push_back(r);
        at += words * 2;
    }
    return out;
}

COLORREF ColourAt(const std::vector<WORD>& params, size_t i)
{
    return COLORREF(params[i]) | (COLORREF(params[i + 1]) << 16);
}

} // namespace

// A figure whose symbol has no hot zone (ellipse, rounded rectangle, a plain
// box) still casts its shadow, shaped as the symbol is drawn.
TEST_F(ExportFidelity, ShadowsOfShapesWithoutOutlinePointsFollowTheDrawnShape)
{
    struct Case {
        const char* name;
        BYTE op;
        bool cornerShadowed;  // (215, 115): inside the shadow's box, off a round shape
    };
    const Case cases[] = {{"ellipse", kOpEllipse, false}, {"rounded", kOpRoundRect, false}, {"plain", kOpRect, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiagramFixture d;
        d.doc.m_shadowSpec = CShadowSpec(1, RGB(0, 0, 0), 20, 20, 0, 255);
        CFigure* fig = AddShape(d, AddSymbol(d, c.name, c.op), CRect(0, 0, 200, 100), RGB(255, 255, 255));
        fig->m_props.Shadow = 1;
        std::vector<CPoint> points;
        ASSERT_EQ(fig->GetOutlinePoints(points), 0);
        const QImage image = Render(d.doc, CRect(0, 0, 240, 140));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.pixel(110, 115), qRgb(0, 0, 0));  // below the figure, inside its shadow
        EXPECT_EQ(image.pixel(215, 115) == qRgb(0, 0, 0), c.cornerShadowed);
        EXPECT_EQ(image.pixel(230, 130), qRgb(255, 255, 255));
    }
}

// A Windows metafile holds no alpha, no gradients and no dash lengths: the
// shadow is an opaque shape in the colour it shows over white, a gradient its
// mean colour, a dashed border a stock dashed pen; no bitmap stands in.
TEST_F(ExportFidelity, WindowsMetafileShowsWhatTheFormatCanHold)
{
    doc.m_shadowSpec = CShadowSpec(1, RGB(0, 0, 0), 8, 8, 4, 153);
    CFigure* ellipse = AddShape(*this, AddSymbol(*this, "ellipse", kOpEllipse), CRect(0, 0, 200, 100), RGB(0, 0, 255));
    ellipse->m_props.Shadow = 1;
    ellipse->m_props.m_fill.m_nKind = 2;
    ellipse->m_props.m_fill.m_crColor2 = RGB(255, 255, 255);
    CFigure* dashed = AddShape(*this, AddSymbol(*this, "plain", kOpRect), CRect(300, 0, 500, 100), RGB(255, 255, 200));
    dashed->m_props.PenStyle = 1;
    dashed->m_props.BorderColor = RGB(128, 0, 0);

    std::set<COLORREF> brushes;
    std::vector<std::pair<UINT, COLORREF>> pens;
    int bitmaps = 0;
    for (const WmfRecord& r : WmfRecords(Export(EXPORT_WMF, false, CRect(0, 0, 520, 120)))) {
        if (r.function == 0x02FC && r.params.size() >= 3)
            brushes.insert(ColourAt(r.params, 1));
        if (r.function == 0x02FA && r.params.size() >= 5)
            pens.emplace_back(r.params[0] & PS_STYLE_MASK, ColourAt(r.params, 3));
        bitmaps += r.function == 0x0F43 || r.function == 0x0B41 || r.function == 0x0940;
    }
    EXPECT_EQ(bitmaps, 0);
    EXPECT_TRUE(brushes.count(RGB(102, 102, 102)));   // black at 153 over white
    EXPECT_TRUE(brushes.count(RGB(127, 127, 255)));   // between blue and white
    EXPECT_FALSE(brushes.count(RGB(0, 0, 255)));
    EXPECT_NE(std::find(pens.begin(), pens.end(), std::make_pair(UINT(PS_DASH), RGB(128, 0, 0))), pens.end());
}

// The export's anti-aliasing option decides, not the display's quality: off
// gives only the drawing's own colours, on smooths the slanted edges.
TEST_F(ExportFidelity, ExportSmoothsOnlyWhenItsOptionSaysSo)
{
    AddShape(*this, AddSymbol(*this, "ellipse", kOpEllipse), CRect(0, 0, 200, 100), RGB(0, 0, 255));
    for (bool antialias : {false, true}) {
        SCOPED_TRACE(antialias);
        const QImage image = QImage::fromData(Export(EXPORT_PNG, antialias, CRect(0, 0, 203, 103)));
        ASSERT_FALSE(image.isNull());
        int mixed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y) & 0xFFFFFF;
                mixed += c != 0xFFFFFF && c != 0x000000 && c != 0x0000FF;
            }
        if (antialias)
            EXPECT_GT(mixed, 50);
        else
            EXPECT_EQ(mixed, 0);
    }
}

namespace {

// The darkness (255 less the mean of the channels) of the pixels from..to
// across a line, summed, and the darkest of them.
struct LineWeight {
    int sum = 0, peak = 0;
};

LineWeight WeightAcross(const QImage& img, QPoint from, QPoint step, int count)
{
    LineWeight w;
    for (int i = 0; i < count; ++i) {
        const QRgb p = img.pixel(from + step * i);
        const int dark = 255 - (qRed(p) + qGreen(p) + qBlue(p)) / 3;
        w.sum += dark;
        w.peak = std::max(w.peak, dark);
    }
    return w;
}

} // namespace

// Smoothed export draws 4 times as large and shrinks: a one-pixel border or
// connector (a pen thinner than a pixel at the export's scale) keeps its
// weight there, as dark as the unsmoothed export draws it, not a quarter.
TEST_F(ExportFidelity, SmoothedExportKeepsTheWeightOfThinLines)
{
    CFigure* box = AddBox(256, 256, 512, 384, "", RGB(255, 255, 255));
    box->m_props.BorderColor = RGB(0, 0, 0);
    box->m_props.BorderWidth = 1;
    CFigure* other = AddBox(1280, 256, 512, 384, "", RGB(255, 255, 255));
    other->m_props.BorderColor = RGB(0, 0, 0);
    CConnector* con = Connect(box, other);
    con->m_props.LineWidth = 1;
    con->m_props.Color = RGB(0, 0, 0);
    con->m_props.End1 = con->m_props.End2 = 0;
    const CRect rect(0, 0, 2048, 896);
    // At 100 per cent of the screen, where a unit is well under a pixel.
    const int width = LogicalToScreenPixels(rect.Width()), height = LogicalToScreenPixels(rect.Height());
    QImage pictures[2];
    for (bool antialias : {false, true}) {
        const QString path = dir.filePath(antialias ? "smooth.png" : "plain.png");
        ASSERT_TRUE(ExportGraphic(doc, kExportAll, rect, EXPORT_PNG, path, width, height, 90, 24, antialias, nullptr).ok);
        pictures[antialias] = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(pictures[antialias].isNull());
    }
    const QImage& plain = pictures[0];
    const QImage& smooth = pictures[1];
    ASSERT_EQ(plain.size(), smooth.size());
    // Across the box's left and top borders and across the connector, where
    // each lies in the plain picture, give or take three pixels.
    auto toPixels = [&](int units, int extent, int pixels) { return int(qint64(units) * pixels / extent); };
    const int midY = toPixels(256 + 192, rect.Height(), height), midX = toPixels(256 + 256, rect.Width(), width);
    const int leftX = toPixels(256, rect.Width(), width), topY = toPixels(256, rect.Height(), height);
    const int gapX = toPixels(1024, rect.Width(), width);
    const struct {
        const char* what;
        QPoint from, step;
    } lines[] = {{"left border", QPoint(leftX - 4, midY), QPoint(1, 0)},
                 {"top border", QPoint(midX, topY - 4), QPoint(0, 1)},
                 {"connector", QPoint(gapX, midY - 4), QPoint(0, 1)}};
    for (const auto& l : lines) {
        const LineWeight want = WeightAcross(plain, l.from, l.step, 9);
        const LineWeight got = WeightAcross(smooth, l.from, l.step, 9);
        ASSERT_GT(want.peak, 200) << l.what;   // the plain picture's one dark pixel
        EXPECT_GE(got.sum, want.sum * 3 / 4) << l.what;
        EXPECT_LE(got.sum, want.sum * 3 / 2) << l.what;
        EXPECT_GE(got.peak, want.peak * 11 / 20) << l.what;
    }
    if (const QString shots = qEnvironmentVariable("KAVO_SHOTS"); !shots.isEmpty()) {
        plain.save(shots + "/export-thin-lines-plain.png");
        smooth.save(shots + "/export-thin-lines-smooth.png");
    }
}

// A huge figure drawn small gets a shadow bitmap of the target's pixels: with
// the softness of a unit or two it is neither refused as too large nor lost.
TEST(SoftShadowTarget, HugeFigureDrawnSmallKeepsItsBlurredShadow)
{
    for (int softness : {1, 2}) {
        SCOPED_TRACE(softness);
        QImage image = WhiteImage(160, 90);
        CPainterDC dc(&image);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(12000, 6000);
        dc.SetViewportExt(120, 60);
        CGraphics graphics(&dc);
        const QPolygonF outline(QRectF(0, 0, 12000, 6000));
        EXPECT_EQ(RenderSoftShadow(&graphics, nullptr, outline, softness, RGB(0, 0, 0), 255, 0, 1500, 1500, false,
                                   -1, false, RGB(255, 255, 255)),
                  0);
        dc.Flush();
        EXPECT_LT(qGray(image.pixel(130, 70)), 60);   // beyond the figure, inside its shadow
        EXPECT_EQ(image.pixel(150, 85), kTestWhite);  // beyond the shadow
    }
}
