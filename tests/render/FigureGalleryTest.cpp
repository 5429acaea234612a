// A gallery of figures: plain and special shapes, every fill kind, a shadow,
// a picture and a text, drawn at 100 % and 200 % and compared with reviewed
// pictures, and recorded to an enhanced metafile and played back.
#include "ImageTestSupport.h"

#include "document/ShadowDescription.h"
#include "graphics/DrawHelpers.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "render/ArgbBitmaps.h"
#include "render/RenderFigure.h"
#include "shapes/CFigProps.h"
#include "shapes/DividedShapeTestSupport.h"
#include "shapes/SymbolTestSupport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kCell = 120;   // logical units of one gallery cell
constexpr int kCols = 5;

struct Cell {
    CFigSymbol symbol;
    CFigProps props;
    std::string text;
    bool shadow = false;
};

CFigSymbol Plain(BYTE op)
{
    SymbolBuilder b;
    auto shape = [op](COutlineWriter& w) {
        if (op == kOpRoundRect) {
            w.RoundRect(CFltRect(0, 0, 2048, 2048), CFltPoint(500, 500));
        } else if (op == kOpPolygon) {
            const CFltPoint diamond[5] = {{1024, 0}, {2048, 1024}, {1024, 2048}, {0, 1024}, {1024, 0}};
            w.Points(kOpPolygon, diamond, 5);
        } else {
            w.Rect(op, CFltRect(0, 0, 2048, 2048));
        }
    };
    b.Fill(shape);
    b.Outline(shape);
    b.TextBoxes({CFltRect(200, 200, 1848, 1848)});
    return b.sym;
}

std::vector<Cell> Gallery(HGLOBAL picture)
{
    std::vector<Cell> cells;
    auto add = [&](CFigSymbol symbol, int fillKind, COLORREF colour, bool shadow = false) {
        Cell c;
        c.symbol = std::move(symbol);
        c.props.m_fill.m_nKind = fillKind;
        c.props.m_fill.m_crColor1 = colour;
        c.props.m_fill.m_crColor2 = RGB(255, 255, 255);
        c.props.m_fill.m_nAngle = 45;
        c.props.BorderColor = RGB(0, 0, 96);
        c.props.BorderWidth = 2;
        c.shadow = shadow;
        cells.push_back(std::move(c));
    };
    add(Plain(kOpRect), 1, RGB(255, 220, 120));
    add(Plain(kOpEllipse), 1, RGB(160, 220, 255));
    add(Plain(kOpRoundRect), 2, RGB(40, 140, 60));
    add(Plain(kOpPolygon), 3, RGB(200, 40, 40));
    add(Plain(kOpRect), 0, 0);
    for (int kind : {2, 7, 14, 22, 55})  // compartments, package, arrow, rounded, marker
        add(TemplateSymbol(kind), 1, RGB(230, 230, 250));
    add(Plain(kOpRect), 1, RGB(250, 250, 200), true);
    Cell pic;
    pic.symbol = Plain(kOpRect);
    pic.props.m_nGraphicType = 9;
    pic.props.Graphic = picture;
    cells.push_back(std::move(pic));
    Cell label;
    label.symbol = Plain(kOpRect);
    label.props.m_fill.m_nKind = 1;
    label.props.m_fill.m_crColor1 = RGB(255, 255, 255);
    label.text = "Label";
    cells.push_back(std::move(label));
    return cells;
}

// The gallery drawn on a context (through its anti-aliased graphics, as the
// view draws) whose logical units are `scale` x pixels.
void DrawGallery(CDC& dc, HGLOBAL picture)
{
    LOGFONT lf;
    InitDefaultLogFont(lf);
    const std::vector<Cell> cells = Gallery(picture);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = cells[i];
        const int x = int(i % kCols) * kCell + 10, y = int(i / kCols) * kCell + 10;
        const CRect rect(x, y, x + kCell - 30, y + kCell - 40);
        CFigProps props = c.props;
        props.m_font.m_lf = lf;
        const CShadowSpec shadow(1, RGB(60, 60, 60), 8, 8, 6, 160);
        const QPolygonF outline({QPointF(rect.left, rect.top), QPointF(rect.right, rect.top),
                                 QPointF(rect.right, rect.bottom), QPointF(rect.left, rect.bottom)});
        FigRenderCtx ctx;
        ctx.mode = 5;
        ctx.flags = 4;
        CGraphics graphics(&dc);
        RenderFigure(&graphics, &dc, ctx, c.text.empty() ? nullptr : &c.text, nullptr, rect, props, &c.symbol,
                     nullptr, c.shadow ? &shadow : nullptr, &outline);
    }
}

HGLOBAL Picture()
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setBrush(QColor(220, 60, 160));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 28, 28);
    p.end();
    return ARGBBitmapToBlock(img);
}

QImage Render(int scale, HGLOBAL picture)
{
    const int rows = 3;
    QImage img = WhiteImage(kCols * kCell * scale, rows * kCell * scale);
    CPainterDC dc(&img);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(scale, scale);
    DrawGallery(dc, picture);
    dc.Flush();
    return img;
}

// Pixels inside uniform areas of `a` (every pixel within two of it the same)
// that differ from `b` by more than the tolerance: the content, leaving out
// the edges, which metafiles draw without anti-aliasing and with GDI pens.
int CountInteriorPixelsOff(const QImage& a, const QImage& b, int tolerance)
{
    int off = 0;
    for (int y = 2; y + 2 < a.height(); ++y)
        for (int x = 2; x + 2 < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            bool uniform = true;
            for (int dy = -2; dy <= 2 && uniform; ++dy)
                for (int dx = -2; dx <= 2 && uniform; ++dx)
                    uniform = a.pixel(x + dx, y + dy) == p;
            if (!uniform)
                continue;
            const QRgb q = b.pixel(x, y);
            off += std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                   std::abs(qBlue(p) - qBlue(q)) > tolerance;
        }
    return off;
}

} // namespace

TEST(FigureGallery, MatchesTheReviewedPicturesAtTwoZooms)
{
    HGLOBAL picture = Picture();
    for (int scale : {1, 2}) {
        const QImage img = Render(scale, picture);
        const QString path = QString(KAVO_TEST_DATA_DIR) + QString("/render/figure_gallery_%1.png").arg(scale * 100);
        const QImage golden = GoldenFor(img, path);
        ASSERT_FALSE(golden.isNull()) << path.toStdString();
        ASSERT_EQ(golden.size(), img.size());
        EXPECT_LE(CountPixelsOff(img, golden, 40), img.width() * img.height() / 500) << scale;
    }
    GlobalFree(picture);
}

TEST(FigureGallery, AnEnhancedMetafileOfTheGalleryPlaysBackAlike)
{
    HGLOBAL picture = Picture();
    const QImage direct = Render(1, picture);
    CEmfRecorderDC rec;
    DrawGallery(rec, picture);
    HENHMETAFILE emf = rec.Close();
    ASSERT_NE(emf, nullptr);
    QImage played = WhiteImage(direct.width(), direct.height());
    {
        CPainterDC dc(&played);
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(emf, &header);
        const RECT bounds{header.rclBounds.left, header.rclBounds.top, header.rclBounds.right + 1,
                          header.rclBounds.bottom + 1};
        ASSERT_TRUE(PlayEnhMetaFile(&dc, emf, &bounds));
    }
    DeleteEnhMetaFile(emf);
    GlobalFree(picture);
    // Gradients are written into metafiles as their mean colour: the two
    // gradient cells are left out of the comparison.
    QImage a = direct, b = played;
    for (QImage* img : {&a, &b}) {
        QPainter p(img);
        p.fillRect(QRect(2 * kCell, 0, 2 * kCell, kCell), Qt::white);
    }
    EXPECT_LE(CountInteriorPixelsOff(a, b, 40), a.width() * a.height() / 1000);
}
