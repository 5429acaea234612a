#pragma once
// What the dialog pictures are drawn with: a small framed sheet and the
// boxes, arrows, dots and labels of a diagram at one device pixel a pixel.
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace dialog_art {
// The pictures are drawn once per run, at one device pixel per pixel.
inline const QColor kInk(0, 0, 0);
inline const QColor kFigureFill(204, 229, 255);
inline const QColor kFrame(0x80, 0x80, 0x80);
inline const QColor kLightGrey(0xC0, 0xC0, 0xC0);
inline const QColor kTextStroke(0x60, 0x60, 0x60);
inline constexpr int kSmallW = 56, kSmallH = 36;

// A small sheet of paper to draw on: white with a grey frame drawn last.
class Sheet {
public:
    Sheet(int w, int h, const QColor& background = Qt::white)
        : m_image(w, h, QImage::Format_ARGB32_Premultiplied), m_painter()
    {
        m_image.fill(background);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setPen(QPen(kInk, 1));
    }
    QPainter& P() { return m_painter; }
    QImage Framed()
    {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setPen(kFrame);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(0, 0, m_image.width() - 1, m_image.height() - 1);
        return Done();
    }
    QImage Done()
    {
        m_painter.end();
        return m_image;
    }

private:
    QImage m_image;
    QPainter m_painter;
};

void Box(QPainter& p, const QRectF& r, const QColor& fill = kFigureFill);

// A filled arrowhead whose tip is at `tip`, pointing along (dx, dy).
void Arrowhead(QPainter& p, QPointF tip, double dx, double dy, double size = 4);

// A line from a to b (pixel centres) ending in an arrowhead at b.
void Arrow(QPainter& p, QPointF a, QPointF b);

void Dot(QPainter& p, QPointF at, double radius);

// A label: a dotted frame round two short strokes of "text".
void LabelBox(QPainter& p, const QRectF& r);

} // namespace dialog_art
