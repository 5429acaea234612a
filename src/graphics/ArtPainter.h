#pragma once
// The program's own pictures (command images, cursors, button and dialog
// pictures) share one look: drawn on a 24-unit grid scaled to the size
// asked for, outlines in the ink colour of the palette they stand on (so
// they read on light and dark backgrounds), flat fills in a few mid-tone
// accents. ArtPainter holds that grid and the shapes the pictures are made
// of: pages, folders, boxes, arrows, a magnifier, pens, pointers.
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <initializer_list>

struct ArtColours {
    QColor ink;                        // outlines and marks
    QColor paper = QColor(250, 250, 250);
    QColor paperInk = QColor(56, 56, 56);   // marks on paper: text lines, dots
    QColor blue = QColor(52, 120, 206);
    QColor lightBlue = QColor(170, 204, 244);
    QColor orange = QColor(232, 132, 24);
    QColor green = QColor(46, 154, 72);
    QColor red = QColor(206, 56, 46);
    QColor yellow = QColor(246, 204, 64);
    QColor grey = QColor(150, 150, 150);
};

// Ink that reads on the background colour: near black on light, near white
// on dark.
ArtColours ArtColoursFor(const QColor& background);

class ArtPainter {
public:
    static constexpr double kGrid = 24.0;

    // Draws into `box` (device units), the grid's 24 units spanning it.
    ArtPainter(QPainter& painter, const QRectF& box, const ArtColours& colours);
    ~ArtPainter();
    ArtPainter(const ArtPainter&) = delete;
    ArtPainter& operator=(const ArtPainter&) = delete;

    const ArtColours& C() const { return m_c; }
    QPainter& P() { return m_p; }

    // Outlines are `width` grid units wide (1.5 by default: one device pixel
    // at 16 pixels).
    void Stroke(const QPainterPath& path, const QColor& colour, double width = kLine);
    void Fill(const QPainterPath& path, const QColor& colour);
    void FillStroke(const QPainterPath& path, const QColor& fill, double width = kLine);
    void Line(QPointF a, QPointF b, const QColor& colour, double width = kLine);
    void Lines(std::initializer_list<QPointF> pts, const QColor& colour, double width = kLine);

    void Box(const QRectF& r, const QColor& fill);
    void RoundBox(const QRectF& r, double radius, const QColor& fill);
    void Disc(QPointF centre, double radius, const QColor& fill);
    void Ring(QPointF centre, double radius, const QColor& colour, double width = kLine);
    // A sheet with its top right corner folded.
    void Page(const QRectF& r, const QColor& fill);
    // Lines of text on a page or in a box: `count` lines from `top`, `gap`
    // apart, between x0 and x1 (the last one shorter).
    void TextLines(double x0, double x1, double top, double gap, int count, const QColor& colour);
    void Folder(const QRectF& r, const QColor& fill);
    // A straight arrow with a filled head at `to`.
    void Arrow(QPointF from, QPointF to, const QColor& colour, double head = 5, double width = kLine * 1.2);
    // A filled head with its tip at `tip`, pointing along `direction`.
    void ArrowHead(QPointF tip, QPointF direction, const QColor& colour, double head = 5);
    // An arrow bending round a quarter circle, from `from` to its head.
    void CurvedArrow(QPointF from, QPointF via, QPointF to, const QColor& colour);
    void Magnifier(QPointF centre, double radius, const QColor& glass);
    void PlusMark(QPointF centre, double arm, const QColor& colour, double width = 2.2);
    void MinusMark(QPointF centre, double arm, const QColor& colour, double width = 2.2);
    void Cross(QPointF centre, double arm, const QColor& colour, double width = 2.2);
    // The select pointer: tip at `tip`, `size` grid units long.
    void Pointer(QPointF tip, double size, const QColor& fill);
    // A pencil from `tip` up to the right.
    void Pencil(QPointF tip, double length, const QColor& body);
    // A text cursor (I-beam) centred on x.
    void IBeam(double x, double top, double bottom, const QColor& colour);
    // A chain link at 45 degrees about the centre.
    void ChainLink(QPointF centre, const QColor& colour);
    // A sample capital drawn as strokes: 'A', 'B', 'I', 'U' (text formatting).
    void Glyph(char letter, const QRectF& r, const QColor& colour, double width = 2.4);
    // A diamond connection-point marker.
    void Diamond(QPointF centre, double radius, const QColor& fill);

    // A closed polygon through the points.
    static QPainterPath Polygon(std::initializer_list<QPointF> pts);

    static constexpr double kLine = 1.5;

private:
    QPainter& m_p;
    ArtColours m_c;
};
