#include "platform/CPainterDC.h"

#include "platform/PainterDCImpl.h"

#include <QPagedPaintDevice>
#include <QPaintEngine>

#include <cmath>

QColor QColorFromRef(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF RefFromRgb(QRgb c)
{
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

namespace {

// Image and memory contexts answer for their reference device (the screen
// unless made compatible with another context), as GDI's memory contexts do.
CDeviceCaps ImageCaps(const CDeviceCaps& reference)
{
    CDeviceCaps caps = reference;
    caps.bitsPixel = 32;
    return caps;
}

QImage EnsureRasterFormat(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

CPainterDC::CPainterDC() : m_impl(std::make_unique<Impl>(*this))
{
    CreateCompatibleDC(nullptr);
}

CPainterDC::CPainterDC(QImage* image) : m_impl(std::make_unique<Impl>(*this)), m_image(image)
{
    if (m_image) {
        if (m_image->format() != QImage::Format_RGB32
            && m_image->format() != QImage::Format_ARGB32_Premultiplied)
            *m_image = EnsureRasterFormat(*m_image);
        SetDeviceCaps(ImageCaps(DisplayDeviceCaps()));
    }
}

CPainterDC::CPainterDC(QPagedPaintDevice* device)
    : m_impl(std::make_unique<Impl>(*this)), m_paged(device)
{
    CDeviceCaps caps;
    caps.technology = DT_RASPRINTER;
    if (device) {
        caps.logPixelsX = device->logicalDpiX();
        caps.logPixelsY = device->logicalDpiY();
        caps.horzRes = device->width();
        caps.vertRes = device->height();
        caps.horzSizeMm = device->widthMM();
        caps.vertSizeMm = device->heightMM();
        const QPageLayout layout = device->pageLayout();
        const QRect full = layout.fullRectPixels(caps.logPixelsX);
        const QRect paint = layout.paintRectPixels(caps.logPixelsX);
        caps.physicalWidth = full.width();
        caps.physicalHeight = full.height();
        caps.physicalOffsetX = paint.left();
        caps.physicalOffsetY = paint.top();
        caps.bitsPixel = 24;
    }
    SetDeviceCaps(caps);
}

CPainterDC::~CPainterDC()
{
    m_impl->End();
}

bool CPainterDC::CreateCompatibleDC(CDC* reference)
{
    m_impl->End();
    m_memory = true;
    m_paged = nullptr;
    m_defaultBitmap.CreateBitmap(1, 1, 1, 1, nullptr);
    const CDeviceCaps refCaps = reference ? reference->DeviceCaps() : DisplayDeviceCaps();
    SetCurrentBitmap(&m_defaultBitmap);
    m_image = &m_defaultBitmap.Image();
    SetDeviceCaps(ImageCaps(refCaps));
    return true;
}

bool CPainterDC::NewPage()
{
    if (!m_paged)
        return false;
    // The painter stays on the device across pages; its state is set again.
    m_impl->MarkStateDirty();
    return m_paged->newPage();
}

QSize CPainterDC::SurfaceSize() const
{
    if (m_paged)
        return QSize(m_paged->width(), m_paged->height());
    return m_image ? m_image->size() : QSize();
}

int CPainterDC::GetDeviceCaps(int index) const
{
    return CDC::GetDeviceCaps(index);
}

void CPainterDC::Flush()
{
    m_impl->End();
}

CBitmap* CPainterDC::SelectObject(CBitmap* bitmap)
{
    if (!m_memory || !bitmap || !bitmap->IsCreated() || bitmap->Image().isNull())
        return nullptr;
    m_impl->End();
    CBitmap* old = GetCurrentBitmap();
    QImage& img = bitmap->Image();
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32_Premultiplied)
        img = EnsureRasterFormat(img);
    SetCurrentBitmap(bitmap);
    m_image = &img;
    return old;
}

void CPainterDC::OnStateChanged()
{
    m_impl->MarkStateDirty();
}

// ---- Impl: painter and objects ----

QPaintDevice* CPainterDC::Impl::Device() const
{
    if (m_dc.m_paged)
        return m_dc.m_paged;
    if (m_dc.m_image && !m_dc.m_image->isNull())
        return m_dc.m_image;
    return nullptr;
}

QPainter* CPainterDC::Impl::Begun(const QRectF* inkWithin)
{
    QPaintDevice* device = Device();
    if (!device)
        return nullptr;
    if (m_painter.isActive() && m_painter.device() != device)
        End();
    if (!m_painter.isActive()) {
        if (!m_painter.begin(device))
            return nullptr;
        m_stateDirty = true;
        m_clipKnown = false;
        m_fastFillSet = false;
        m_textPenSet = false;
    }
    if (m_stateDirty) {
        // Each reset is skipped when the painter already has it: a state
        // change of the DC comes with most objects drawn. The transform and
        // anti-aliasing are left to Painter(): the graphics object's calls
        // set their own.
        if (!m_painter.testRenderHint(QPainter::TextAntialiasing))
            m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        if (m_painter.compositionMode() != QPainter::CompositionMode_SourceOver)
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        m_stateDirty = false;
        m_loose = true;
        UpdateReach();
    }
    const CDCState& s = m_dc.State();
    ApplyClip(s.hasClip
              && !(inkWithin && Image() && s.clip.rectCount() == 1
                   && QRectF(s.clip.boundingRect()).contains(*inkWithin)));
    return &m_painter;
}

QPainter* CPainterDC::Impl::Painter(const QRectF* inkWithin)
{
    QPainter* p = Begun(inkWithin);
    if (p && m_loose) {
        SetTransform(nullptr);
        if (m_painter.testRenderHint(QPainter::Antialiasing))
            m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_loose = false;
    }
    return p;
}

QPainter* CPainterDC::Impl::GraphicsPainter(bool antiAliased, const QTransform* transform)
{
    QPainter* p = Begun();
    if (!p)
        return nullptr;
    if (p->testRenderHint(QPainter::Antialiasing) != antiAliased)
        p->setRenderHint(QPainter::Antialiasing, antiAliased);
    SetTransform(transform);
    m_loose = true;
    return p;
}

QPainter* CPainterDC::Impl::TextPainter(const QTransform& transform, const QRectF* inkWithin,
                                        bool keepSmoothing)
{
    QPainter* p = keepSmoothing ? Begun(inkWithin) : Painter(inkWithin);
    if (!p)
        return nullptr;
    SetTransform(&transform);
    m_loose = true;
    return p;
}

void CPainterDC::Impl::SetTransform(const QTransform* transform)
{
    // Only the resulting matrix reaches the paint engine: an unchanged one is
    // not set again.
    if (!transform || transform->isIdentity()) {
        if (!m_painter.transform().isIdentity() || m_painter.worldMatrixEnabled()
            || m_painter.viewTransformEnabled())
            m_painter.resetTransform();
    } else if (m_painter.viewTransformEnabled() || !m_painter.worldMatrixEnabled()
               || m_painter.transform() != *transform) {
        m_painter.setTransform(*transform);
    }
}

// dcClip: the painter takes the DC's clip; else the image's (or none).
void CPainterDC::Impl::ApplyClip(bool dcClip)
{
    const CDCState& s = m_dc.State();
    if (m_clipKnown && m_clipIsDc == dcClip && (!dcClip || m_clip == s.clip))
        return;
    // The painter takes a clip in its logical coordinates: device pixels.
    SetTransform(nullptr);
    if (dcClip)
        m_painter.setClipRegion(s.clip);
    else if (const QImage* img = Image())
        m_painter.setClipRect(img->rect());
    else
        m_painter.setClipping(false);
    m_clipKnown = true;
    m_clipIsDc = dcClip;
    m_clip = dcClip ? s.clip : QRegion();
}

void CPainterDC::Impl::UpdateReach()
{
    const CDCState& s = m_dc.State();
    m_cull = Image() != nullptr;
    if (m_cull) {
        QRect reach = Image()->rect();
        if (const QPaintEngine* engine = m_painter.paintEngine(); engine && !engine->systemClip().isEmpty())
            reach &= engine->systemClip().boundingRect();
        if (s.hasClip)
            reach &= s.clip.boundingRect();
        m_reach = QRectF(reach);
    }
}

bool CPainterDC::Impl::Reaches(const QRectF& deviceRect)
{
    if (!Begun())
        return false;
    if (!m_cull)
        return true;
    return !m_reach.isEmpty() && deviceRect.right() >= m_reach.left() && deviceRect.left() <= m_reach.right()
           && deviceRect.bottom() >= m_reach.top() && deviceRect.top() <= m_reach.bottom();
}

void CPainterDC::Impl::SetTextPen(QPainter& p, COLORREF color)
{
    if (m_textPenSet && m_textPen == color)
        return;
    p.setPen(QColorFromRef(color));
    m_textPen = color;
    m_textPenSet = true;
    m_fastFillSet = false;
}

void CPainterDC::Impl::End()
{
    m_fastFillSet = false;
    m_textPenSet = false;
    m_clipKnown = false;
    m_loose = false;
    if (m_painter.isActive())
        m_painter.end();
}

QPen CResolvedPen::QtPen() const
{
    QPen pen(QColorFromRef(color), width);
    const bool extended = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    if (extended) {
        switch (style & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE: pen.setCapStyle(Qt::SquareCap); break;
        case PS_ENDCAP_FLAT: pen.setCapStyle(Qt::FlatCap); break;
        default: pen.setCapStyle(Qt::RoundCap); break;
        }
        switch (style & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL: pen.setJoinStyle(Qt::BevelJoin); break;
        case PS_JOIN_MITER: pen.setJoinStyle(Qt::MiterJoin); break;
        default: pen.setJoinStyle(Qt::RoundJoin); break;
        }
        // Geometric dashes in pen widths (GDI: dash 3, dot 1, gaps 1).
        switch (style & PS_STYLE_MASK) {
        case PS_DASH: pen.setDashPattern({3, 1}); break;
        case PS_DOT: pen.setDashPattern({1, 1}); break;
        case PS_DASHDOT: pen.setDashPattern({3, 1, 1, 1}); break;
        case PS_DASHDOTDOT: pen.setDashPattern({3, 1, 1, 1, 1, 1}); break;
        case PS_USERSTYLE: {
            QList<qreal> pattern;
            // Device pixels, a final pixel each when supersampled.
            for (DWORD r : user)
                pattern << std::max(0.01, double(r) * stretch / std::max(1, width));
            if (pattern.size() % 2)
                pattern << pattern.last();
            if (!pattern.isEmpty())
                pen.setDashPattern(pattern);
            break;
        }
        default: break;
        }
    } else if (stretch > 1) {
        // A one-pixel line of a supersampled picture: square corners as the
        // pixel line has; its pixel runs, in pen widths, are the final
        // picture's pixels.
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        QList<qreal> pattern;
        for (int r : stretchedRuns)
            pattern << std::max(1, r);
        if (pattern.size() % 2)
            pattern << pattern.last();
        if (!pattern.isEmpty())
            pen.setDashPattern(pattern);
    } else {
        // Pens made by CreatePen wider than a pixel: solid, round caps and joins.
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

CResolvedPen CPainterDC::Impl::Pen() const
{
    const CDCState& s = m_dc.State();
    CResolvedPen p;
    p.style = s.logPen.lopnStyle;
    p.user = s.penUserStyle;
    p.color = s.logPen.lopnColor;
    const DWORD dash = p.style & PS_STYLE_MASK;
    p.null = dash == PS_NULL;
    if (p.null)
        return p;
    const bool geometric = s.penExtended && (p.style & PS_TYPE_MASK) == PS_GEOMETRIC;
    const int logWidth = s.logPen.lopnWidth.x;
    int devWidth = 1;
    if (logWidth > 0 && (geometric || !s.penExtended))
        devWidth = std::max(1, int(std::lround(logWidth * std::abs(m_dc.LogToDevScaleX()))));
    p.width = devWidth;
    p.insideFrame = dash == PS_INSIDEFRAME;
    const int least = m_dc.Supersampling();
    if (least > 1 && devWidth < least) {
        // Thinner than a pixel of the final picture, where it would draw one
        // pixel wide with its dashes: here one such pixel wide, its
        // cosmetic dashes that much longer.
        p.width = least;
        p.onePixel = false;
        p.stretch = least;
        if (!geometric)
            p.stretchedRuns = CLineStyle::ForPenStyle(p.style, p.user).runs;
        return p;
    }
    p.onePixel = devWidth <= 1 && !(geometric && devWidth > 1);
    if (!p.onePixel && !s.penExtended)
        p.style = (p.style & ~PS_STYLE_MASK) | PS_SOLID;   // wide pens lose their dashes
    if (!s.penExtended && p.onePixel && dash == PS_INSIDEFRAME)
        p.style = PS_SOLID;
    return p;
}

bool CPainterDC::Impl::BrushIsNull(const CBrush* brush) const
{
    const LOGBRUSH& lb = brush ? brush->GetLogBrush() : m_dc.State().logBrush;
    return lb.lbStyle == BS_NULL;
}

bool CPainterDC::Impl::HatchNeedsBackground(const CBrush* brush) const
{
    const LOGBRUSH& lb = brush ? brush->GetLogBrush() : m_dc.State().logBrush;
    return lb.lbStyle == BS_HATCHED && m_dc.GetBkMode() == OPAQUE;
}

QBrush CPainterDC::Impl::Brush(const CBrush* brush) const
{
    const CDCState& s = m_dc.State();
    const LOGBRUSH& lb = brush ? brush->GetLogBrush() : s.logBrush;
    switch (lb.lbStyle) {
    case BS_SOLID:
        return QBrush(QColorFromRef(lb.lbColor));
    case BS_HATCHED: {
        static const Qt::BrushStyle styles[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        const int h = int(lb.lbHatch);
        return QBrush(QColorFromRef(lb.lbColor), h >= 0 && h < 6 ? styles[h] : Qt::SolidPattern);
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT: {
        QImage pattern = brush ? brush->Pattern() : s.brushPattern;
        const bool mono = brush ? brush->PatternIsMono() : s.brushPatternMono;
        if (pattern.isNull())
            return QBrush(Qt::black);
        if (mono) {
            // 0 bits take the text colour, 1 bits the background colour.
            pattern = pattern.convertToFormat(QImage::Format_RGB32);
            const QRgb fg = RgbFromRef(s.textColor), bg = RgbFromRef(s.bkColor);
            for (int y = 0; y < pattern.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(pattern.scanLine(y));
                for (int x = 0; x < pattern.width(); ++x)
                    line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
            }
        }
        QBrush b(pattern);
        b.setTransform(QTransform::fromTranslate(s.brushOrg.x, s.brushOrg.y));
        return b;
    }
    default:
        return QBrush(Qt::NoBrush);
    }
}

QPoint CPainterDC::Impl::ToDev(int x, int y) const
{
    const POINT p = m_dc.LogToDev(POINT{x, y});
    return QPoint(p.x, p.y);
}

QRect CPainterDC::Impl::DevRect(int left, int top, int right, int bottom) const
{
    const QPoint a = ToDev(left, top), b = ToDev(right, bottom);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

bool CPainterDC::Impl::Visible(int x, int y) const
{
    const QImage* img = Image();
    if (!img || !WritableRect(*img).contains(x, y))
        return false;
    const CDCState& s = m_dc.State();
    return !s.hasClip || s.clip.contains(QPoint(x, y));
}
