// The program's clip art: pictures for Insert Graphic in the look of the
// program's own images (ArtPainter), drawn at 128 pixels on a transparent
// ground. Insert Graphic opens in this folder until the user picks another.
#include "KvdTool.h"

#include "graphics/ArtPainter.h"

#include <QDir>
#include <QImage>

#include <cmath>

namespace {
using P = QPointF;
using R = QRectF;
constexpr int kSize = 128;
constexpr double kPi = 3.14159265358979323846;

void Computer(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.RoundBox(R(2, 3, 20, 13), 1, c.grey.lighter(120));
    a.Box(R(4, 5, 16, 9), c.lightBlue);
    a.Box(R(10, 16, 4, 3), c.grey);
    a.RoundBox(R(6, 19, 12, 2), 0.8, c.grey.lighter(120));
}

void Server(ArtPainter& a)
{
    const ArtColours& c = a.C();
    for (int i = 0; i < 3; ++i) {
        a.RoundBox(R(5, 2 + 7 * i, 14, 6), 1, c.grey.lighter(130));
        a.Disc(P(8, 5 + 7 * i), 0.9, c.green);
        a.Line(P(11, 5 + 7 * i), P(17, 5 + 7 * i), c.ink, 1.0);
    }
}

void Database(ArtPainter& a)
{
    const ArtColours& c = a.C();
    QPainterPath body(P(4, 5));
    body.lineTo(4, 19);
    body.arcTo(R(4, 16, 16, 6), 180, 180);
    body.lineTo(20, 5);
    a.FillStroke(body, c.lightBlue);
    for (double y : {9.0, 13.0}) {
        QPainterPath band;
        band.arcMoveTo(R(4, y - 3, 16, 6), 180);
        band.arcTo(R(4, y - 3, 16, 6), 180, 180);
        a.Stroke(band, c.ink, 1.0);
    }
    QPainterPath top;
    top.addEllipse(R(4, 2, 16, 6));
    a.FillStroke(top, c.lightBlue.lighter(110));
}

void Person(ArtPainter& a, P at, double s, const QColor& colour)
{
    a.Disc(P(at.x(), at.y() + 4 * s), 3.6 * s, colour.lighter(140));
    QPainterPath body(P(at.x() - 7 * s, at.y() + 18 * s));
    body.cubicTo(P(at.x() - 7 * s, at.y() + 9 * s), P(at.x() + 7 * s, at.y() + 9 * s), P(at.x() + 7 * s, at.y() + 18 * s));
    body.closeSubpath();
    a.FillStroke(body, colour);
}

void Cloud(ArtPainter& a)
{
    QPainterPath cloud, puff, rest;
    cloud.addEllipse(R(2, 10, 8, 8));
    puff.addEllipse(R(7, 5, 10, 10));
    rest.addEllipse(R(14, 9, 8, 8));
    cloud = cloud.united(puff).united(rest);
    QPainterPath base;
    base.addRect(R(6, 12, 12, 6));
    a.FillStroke(cloud.united(base), a.C().lightBlue);
}

void Envelope(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.Box(R(2, 6, 20, 13), c.paper);
    a.Lines({P(2, 6), P(12, 13), P(22, 6)}, c.ink);
}

void Lock(ArtPainter& a)
{
    const ArtColours& c = a.C();
    QPainterPath shackle(P(8, 11));
    shackle.lineTo(8, 7);
    shackle.arcTo(R(8, 3, 8, 8), 180, -180);
    shackle.lineTo(16, 11);
    a.Stroke(shackle, c.ink, 2.2);
    a.RoundBox(R(5, 11, 14, 10), 1.5, c.yellow);
    a.Disc(P(12, 15), 1.3, c.ink);
}

void Globe(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.Disc(P(12, 12), 9, c.lightBlue);
    QPainterPath lines;
    lines.addEllipse(P(12, 12), 4, 9);
    lines.moveTo(3, 12);
    lines.lineTo(21, 12);
    lines.moveTo(4.5, 7.5);
    lines.lineTo(19.5, 7.5);
    lines.moveTo(4.5, 16.5);
    lines.lineTo(19.5, 16.5);
    a.Stroke(lines, c.ink, 1.0);
}

void Gear(ArtPainter& a)
{
    QPainterPath gear;
    for (int i = 0; i < 16; ++i) {
        const double angle = kPi * 2 * i / 16, r = i % 2 ? 7.0 : 9.5;
        const P p(12 + r * std::cos(angle), 12 + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(p);
        else
            gear.lineTo(p);
    }
    gear.closeSubpath();
    gear.addEllipse(P(12, 12), 3, 3);
    a.FillStroke(gear, a.C().grey.lighter(130));
}

void Phone(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.RoundBox(R(7, 2, 10, 20), 2, c.grey.darker(150));
    a.Box(R(8.5, 4.5, 7, 13), c.lightBlue);
    a.Disc(P(12, 19.6), 0.9, c.paper);
}

struct Clip {
    const char* name;
    void (*draw)(ArtPainter&);
};

const Clip kClips[] = {
    {"Computer", &Computer},
    {"Server", &Server},
    {"Database", &Database},
    {"Person", [](ArtPainter& a) { Person(a, P(12, 2), 1.1, a.C().blue); }},
    {"People",
     [](ArtPainter& a) {
         Person(a, P(15, 3), 0.9, a.C().green);
         Person(a, P(9, 5), 0.95, a.C().blue);
     }},
    {"Cloud", &Cloud},
    {"Document", [](ArtPainter& a) {
         a.Page(R(4, 2, 16, 20), a.C().paper);
         a.TextLines(7, 16, 9, 3, 4, a.C().paperInk);
     }},
    {"Folder", [](ArtPainter& a) { a.Folder(R(2, 4, 20, 16), a.C().yellow); }},
    {"Mail", &Envelope},
    {"Lock", &Lock},
    {"Globe", &Globe},
    {"Settings", &Gear},
    {"Phone", &Phone},
};
} // namespace

std::vector<std::string> ClipartNames()
{
    std::vector<std::string> names;
    for (const Clip& c : kClips)
        names.emplace_back(c.name);
    return names;
}

bool WriteClipart(const QString& folder, std::string& error)
{
    QDir().mkpath(folder);
    for (const Clip& clip : kClips) {
        QImage image(kSize, kSize, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            ArtPainter art(p, QRectF(0, 0, kSize, kSize), ArtColoursFor(Qt::white));
            clip.draw(art);
        }
        const QString path = folder + "/" + clip.name + ".png";
        if (!image.save(path)) {
            error = path.toStdString();
            return false;
        }
    }
    return true;
}
