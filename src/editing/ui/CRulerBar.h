#pragma once
// One ruler band of the diagram view, outside its client area: ticks at
// several levels of subdivision of the display unit (inches or centimetres),
// labelled, scrolled and zoomed with the view. The horizontal band also holds
// the corner box above the vertical one.
#include <QFont>
#include <QWidget>

#include <QLine>
#include <QString>

#include <string>
#include <vector>

class CKavoView;
class QPainter;

// What a ruler draws: levels of ticks, each level's step the previous one's
// divided by its divisor (index 0 unused), and where the unit origin lies.
struct RulerMetrics {
    int levels = 0;
    int divisors[5] = {};
    double scale = 40.0;   // pixels per display unit at the first level
    double offset = 0.0;   // pixels from the unit origin to the ruler's start
    bool operator==(const RulerMetrics&) const = default;
};

// The label of a tick of `value` on `level` (0 = whole units): fractions of 2,
// 4, 8 or 16 in fraction mode (only the fraction on a sub-level unless full
// labels are asked), else decimals.
std::string FormatRulerLabel(double value, int level, bool fractionMode, bool fullLabels);

// What a ruler in rc shows (horizontal when wider than high), in widget
// coordinates: each tick as a line, each label with its text's box and where
// its text is drawn. Labels that would touch each other are left out; a tick
// gives way to a label it would cross. A vertical ruler's label too long for
// its width runs past the side facing the diagram, where the ruler cuts it.
struct RulerPicture {
    struct Label {
        QString text;
        QRect box;
        QPoint at;
    };
    std::vector<QLine> ticks;
    std::vector<Label> labels;
};
RulerPicture LayOutRuler(const QRect& rc, const RulerMetrics& m, const QFont& font);
void DrawRuler(QPainter& p, const QRect& rc, const RulerMetrics& m, const QFont& font);

class CRulerBar : public QWidget {
    Q_OBJECT
public:
    CRulerBar(CKavoView* view, bool horizontal);
    // Lays the band along its edge, or hides it.
    void Place(bool shown);
    // The view feeds its zoom and scroll position; a change repaints.
    void SetMetrics(const RulerMetrics& metrics);
    // The number of levels and the five divisors alone; scale and offset stay.
    void SetMetrics(int levels, const int divisors[5]);
    const RulerMetrics& Metrics() const { return m_metrics; }
    bool IsHorizontal() const { return m_bHorizontal; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKavoView* m_view;
    bool m_bHorizontal;
    RulerMetrics m_metrics;
    QFont m_font;
};
