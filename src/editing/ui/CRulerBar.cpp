#include "editing/ui/CRulerBar.h"

#include "editing/ui/CKavoView.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
constexpr int kFirstTickLength = 8;
// Pixels kept free between two labels along the ruler.
constexpr int kLabelGap = 3;
// Label strides tried on the first level, smallest first.
constexpr int kStrides[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
constexpr double kFractionEpsilon = 1e-6;

struct Tick {
    int along;
    int length;
};

struct Label {
    QString text;
    QRect box;      // the digits' box, in ruler coordinates (x along, y across)
    int baseline;   // across
    bool atOuterSide = false;   // vertical: left-aligned at the outer side
};

void DrawRaisedFace(QPainter& p, const QRect& rc)
{
    const QPalette pal = QGuiApplication::palette();
    p.fillRect(rc, pal.button());
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(rc.topLeft(), rc.topRight());
    p.drawLine(rc.topLeft(), rc.bottomLeft());
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(rc.bottomLeft(), rc.bottomRight());
    p.drawLine(rc.topRight(), rc.bottomRight());
}

std::string Printf(const char* format, auto... args)
{
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// Ruler coordinates: `along` runs with the ruler from its start (the client
// area's first pixel), `across` from the inner side of its outer border to
// the side that faces the diagram, where the ticks end.
struct RulerFrame {
    bool horizontal;
    QRect outer;
    QRect inner;

    QPoint ToWidget(int along, int across) const
    {
        return horizontal ? QPoint(outer.left() + along, inner.top() + across)
                          : QPoint(inner.left() + across, outer.top() + along);
    }
    // A box in ruler coordinates (x along, y across).
    QRect ToWidget(const QRect& box) const
    {
        return horizontal ? QRect(outer.left() + box.left(), inner.top() + box.top(), box.width(), box.height())
                          : QRect(inner.left() + box.top(), outer.top() + box.left(), box.height(), box.width());
    }
};

class RulerLayout {
public:
    RulerLayout(const RulerFrame& frame, const RulerMetrics& m, const QFont& font)
        : m_frame(frame), m_m(m), m_fm(font), m_digits(m_fm.tightBoundingRect("0123456789")),
          m_length(frame.horizontal ? frame.inner.right() + 1 - frame.outer.left()
                                    : frame.inner.bottom() + 1 - frame.outer.top()),
          m_across(frame.horizontal ? frame.inner.height() : frame.inner.width())
    {
        const int cx = m_fm.horizontalAdvance('0'), cy = m_fm.height();
        m_wide = frame.horizontal ? 10 * cx : 20 * cy / 3;
        m_narrow = frame.horizontal ? 5 * cx : 10 * cy / 3;
        Build();
    }
    RulerPicture Picture() const;

private:
    void Build();
    void BuildLevel(int level, double step, double unit, int tickLength);
    int FirstLevelStride(long long first, long long last, double step, bool tensOnly) const;
    bool PlaceLabel(const QString& text, int along, int tickLength, bool firstTick, Label& label);
    bool Collides(const QRect& box) const;
    int AlongExtent(const QString& text) const
    {
        return m_frame.horizontal ? m_fm.horizontalAdvance(text) : m_digits.height();
    }

    const RulerFrame& m_frame;
    const RulerMetrics& m_m;
    QFontMetrics m_fm;
    QRect m_digits;
    int m_length, m_across, m_wide = 0, m_narrow = 0;
    std::vector<Tick> m_ticks;
    std::vector<Label> m_labels;
    // Vertical rulers: the last label stood at the ruler's outer side (else
    // right-aligned before its tick); longer labels keep that placement.
    bool m_lastAtOuterSide = false;
};

void RulerLayout::Build()
{
    double step = m_m.scale, unit = 1.0;
    int tickLength = kFirstTickLength;
    for (int level = 0; level < m_m.levels && step >= 4.0; ++level) {
        BuildLevel(level, step, unit, tickLength);
        if (level + 1 >= m_m.levels || m_m.divisors[level + 1] <= 0)
            break;
        step /= m_m.divisors[level + 1];
        unit /= m_m.divisors[level + 1];
        tickLength = std::max(1, tickLength - 2);
    }
}

void RulerLayout::BuildLevel(int level, double step, double unit, int tickLength)
{
    const long long first = m_m.offset >= 0 ? (long long)std::ceil(m_m.offset / step)
                                             : (long long)std::floor(m_m.offset / step);
    const long long last = first + (long long)std::ceil(m_length / step) + 1;
    const int divisor = level > 0 ? m_m.divisors[level] : 0;
    // Close ticks are labelled only at whole tens, and only on the first level.
    const bool crowded = step <= m_wide;
    const bool tensOnly = crowded && step <= m_narrow / 2.0;
    const int stride = level == 0 ? FirstLevelStride(first, last, step, tensOnly) : 1;
    for (long long index = first; index <= last; ++index) {
        const int along = int(std::lround(index * step - m_m.offset));
        if (along >= m_length)
            break;
        if (divisor > 0 && index % divisor == 0)
            continue;   // a coarser level drew it
        m_ticks.push_back({along, tickLength});
        if (level == 0 ? index % stride != 0 : crowded)
            continue;
        const QString text = QString::fromStdString(FormatRulerLabel(double(index) * unit, level, true, false));
        Label label;
        // A label the ruler's end would cut shows once it is scrolled in whole.
        if (PlaceLabel(text, along, tickLength, index == first, label) && label.box.right() < m_length &&
            !Collides(label.box)) {
            m_labels.push_back(label);
            m_lastAtOuterSide = label.atOuterSide;
        }
    }
}

// The smallest stride at which the widest label of the range fits between
// its neighbours.
int RulerLayout::FirstLevelStride(long long first, long long last, double step, bool tensOnly) const
{
    int extent = 0;
    for (long long index : {first, last, 0LL})
        extent = std::max(extent, AlongExtent(QString::number(index)));
    for (int stride : kStrides)
        if ((!tensOnly || stride % 10 == 0) && step * stride >= extent + kLabelGap)
            return stride;
    return kStrides[std::size(kStrides) - 1];
}

bool RulerLayout::PlaceLabel(const QString& text, int along, int tickLength, bool firstTick, Label& label)
{
    const int width = m_fm.horizontalAdvance(text);
    const int tickStart = m_across - tickLength;
    label.text = text;
    if (m_frame.horizontal) {
        label.baseline = tickStart - 2;
        // Centred on its tick; one that centring would cut at the ruler's
        // start begins just after its tick instead.
        int x = along - width / 2;
        if (x < 1)
            x = along + 1;
        label.box = QRect(x, label.baseline + m_digits.top(), width, m_digits.height());
        return x >= 1 && label.box.top() >= 0;
    }
    // Vertical: a label of one or two characters stands right-aligned before
    // its tick, one of three at the ruler's outer side, a longer one where
    // the label before it stood (the ruler cuts what does not fit across).
    // The first tick's label stands before its tick, from its top when
    // centring would cut it at the ruler's start.
    bool outerSide = false;
    int baseline = along + m_fm.height() / 3;
    if (firstTick) {
        if (baseline + m_digits.top() < 1)
            baseline = along + m_fm.ascent();
    } else if (text.size() == 3) {
        outerSide = true;
    } else if (text.size() > 3) {
        outerSide = m_lastAtOuterSide;
    }
    label.atOuterSide = outerSide;
    // Right-aligned, but never starting beyond the outer side: a label wider
    // than the room before its tick starts there.
    const int x = outerSide ? 0 : std::max(0, tickStart - 2 - width);
    label.baseline = baseline;
    label.box = QRect(baseline + m_digits.top(), x, m_digits.height(), width);   // along, across
    return baseline + m_digits.top() >= 0;
}

bool RulerLayout::Collides(const QRect& box) const
{
    const QRect spaced = box.adjusted(-kLabelGap, 0, kLabelGap, 0);
    return std::any_of(m_labels.begin(), m_labels.end(),
                       [&](const Label& l) { return l.box.intersects(spaced); });
}

RulerPicture RulerLayout::Picture() const
{
    RulerPicture picture;
    for (const Tick& t : m_ticks) {
        int start = m_across - t.length;
        // A tick that would cross a label starts after it.
        for (const Label& l : m_labels)
            if (t.along + 1 >= l.box.left() - 1 && t.along <= l.box.right() + 1 && start <= l.box.bottom() + 1)
                start = std::max(start, l.box.bottom() + 2);
        if (start <= m_across - 1)
            picture.ticks.emplace_back(m_frame.ToWidget(t.along, start), m_frame.ToWidget(t.along, m_across - 1));
    }
    for (const Label& l : m_labels) {
        const QRect box = m_frame.ToWidget(l.box);
        const QPoint at = m_frame.horizontal ? m_frame.ToWidget(l.box.left(), l.baseline)
                                             : QPoint(box.left(), m_frame.outer.top() + l.baseline);
        picture.labels.push_back({l.text, box, at});
    }
    return picture;
}
} // namespace

std::string FormatRulerLabel(double value, int level, bool fractionMode, bool fullLabels)
{
    const int precision = std::min(level, 2);
    double whole = 0;
    const double fraction = std::modf(value, &whole);
    const char* sign = value < 0 && whole == 0 ? "-" : "";
    if (fractionMode && std::fabs(fraction) > kFractionEpsilon) {
        for (int d = 2; d <= 16; d *= 2)
            for (int t = 1; t < d; t += 2)
                if (std::fabs(std::fabs(fraction) - double(t) / d) < kFractionEpsilon) {
                    if (whole == 0 || (level > 0 && !fullLabels))
                        return Printf("%s%d/%d", sign, t, d);
                    return Printf("%.0f %d/%d", whole, t, d);
                }
    }
    if (fractionMode || fullLabels || level == 0)
        return Printf("%.*f", precision, value);
    // Only the fraction's digits: 2.5 gives ".5".
    double digits = std::fabs(fraction);
    for (int i = 0; i < 6 && std::fabs(digits - std::round(digits)) > kFractionEpsilon; ++i)
        digits *= 10;
    return Printf(".%.0f", digits);
}

RulerPicture LayOutRuler(const QRect& rc, const RulerMetrics& m, const QFont& font)
{
    const RulerFrame frame{rc.width() > rc.height(), rc, rc.adjusted(1, 1, -1, -1)};
    if (frame.inner.isEmpty() || !(m.scale > 0) || !std::isfinite(m.offset))
        return {};
    return RulerLayout(frame, m, font).Picture();
}

void DrawRuler(QPainter& p, const QRect& rc, const RulerMetrics& m, const QFont& font)
{
    DrawRaisedFace(p, rc);
    const RulerPicture picture = LayOutRuler(rc, m, font);
    const bool horizontal = rc.width() > rc.height();
    // An engraved mark: a white line beside each tick, one pixel further on.
    const QPoint beside = horizontal ? QPoint(1, 0) : QPoint(0, 1);
    const QPalette pal = QGuiApplication::palette();
    p.save();
    // Across, inside the raised border; along, from the ruler's first pixel,
    // where its zero may stand.
    p.setClipRect(horizontal ? rc.adjusted(0, 1, -1, -1) : rc.adjusted(1, 0, -1, -1));
    p.setFont(font);
    for (const QLine& tick : picture.ticks) {
        p.setPen(QPen(pal.color(QPalette::ButtonText), 1));
        p.drawLine(tick);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(tick.translated(beside));
    }
    p.setPen(pal.color(QPalette::ButtonText));
    for (const RulerPicture::Label& l : picture.labels)
        p.drawText(l.at, l.text);
    p.restore();
}

CRulerBar::CRulerBar(CKavoView* view, bool horizontal)
    : QWidget(view), m_view(view), m_bHorizontal(horizontal), m_font("Arial")
{
    // The label font is 12 pixels from ascent to descent.
    m_font.setPixelSize(10);
}

void CRulerBar::Place(bool shown)
{
    setVisible(shown);
    if (!shown)
        return;
    // Each ruler starts where the client area starts, so that its pixel 0 is
    // the client's; the corner box sits at the start of the horizontal band.
    // Each ends where the client area ends: the scroll bars lie beside it.
    const int band = kRulerBand;
    const QRect client = m_view->viewport()->geometry();
    if (m_bHorizontal)
        setGeometry(0, 0, std::max(0, client.right() + 1), band);
    else
        setGeometry(0, band, band, std::max(0, client.bottom() + 1 - band));
}

void CRulerBar::SetMetrics(const RulerMetrics& metrics)
{
    if (metrics == m_metrics)
        return;
    m_metrics = metrics;
    update();
}

void CRulerBar::SetMetrics(int levels, const int divisors[5])
{
    RulerMetrics m = m_metrics;
    m.levels = levels;
    std::copy(divisors, divisors + 5, m.divisors);
    SetMetrics(m);
}

void CRulerBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect ruler = rect();
    if (m_bHorizontal) {
        DrawRaisedFace(p, QRect(0, 0, kRulerBand, height()));
        ruler.setLeft(kRulerBand);
    }
    if (!m_view->GetDocument() || m_metrics.levels <= 0) {
        DrawRaisedFace(p, ruler);
        return;
    }
    DrawRuler(p, ruler, m_metrics, m_font);
}
