#pragma once
// Small helpers of the pixel tests: white images, their pixels as text, and
// counts of drawn pixels.
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdlib>

#include <string>

constexpr QRgb kTestWhite = 0xFFFFFFFFu;

inline QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kTestWhite);
    return img;
}

// Rows of '#' (not white) and '.' (white).
inline std::string Picture(const QImage& img)
{
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            s += img.pixel(x, y) == kTestWhite ? '.' : '#';
        s += '\n';
    }
    return s;
}

// Pixels that are not white in the columns x0 .. x1 - 1.
inline int CountNotWhite(const QImage& img, int x0, int x1)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = x0; x < x1; ++x)
            n += img.pixel(x, y) != kTestWhite;
    return n;
}

// Pixels that differ by more than the tolerance in any channel.
inline int CountPixelsOff(const QImage& a, const QImage& b, int tolerance)
{
    int off = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            off += std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                   std::abs(qBlue(p) - qBlue(q)) > tolerance;
        }
    return off;
}

// Whether the reviewed pictures are being written instead of compared.
inline bool UpdatingGoldens()
{
    return std::getenv("KAVO_UPDATE_GOLDEN") != nullptr;
}

// When updating, writes img as the reviewed picture; then reads the picture
// back as RGB32 (null when it is missing).
inline QImage GoldenFor(const QImage& img, const QString& path)
{
    if (UpdatingGoldens())
        img.save(path);
    QImage golden(path);
    return golden.isNull() ? golden : golden.convertToFormat(QImage::Format_RGB32);
}

// What a connector sample shows in its rectangle of an image: how far its
// ink (pixels off the background by more than faint smoothing) reaches along
// the rectangle, first to last column; the tallest column of ink (an end
// shape stands taller than the line); and the gaps along the line in the
// left half, where the line runs alone (a dashed pattern shows several, a
// solid line none).
struct ConSampleInk {
    int span = 0, tallest = 0, gaps = 0;
};

inline ConSampleInk MeasureConSample(const QImage& img, const QRect& r, QRgb background)
{
    auto ink = [&](int x, int y) {
        const QRgb p = img.pixel(x, y);
        return std::abs(qRed(p) - qRed(background)) > 24 || std::abs(qGreen(p) - qGreen(background)) > 24 ||
               std::abs(qBlue(p) - qBlue(background)) > 24;
    };
    ConSampleInk m;
    int first = -1, last = -1;
    for (int x = r.left(); x <= r.right(); ++x) {
        int column = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            column += ink(x, y);
        if (column > 0)
            last = x, first = first < 0 ? x : first;
        m.tallest = std::max(m.tallest, column);
    }
    m.span = first < 0 ? 0 : last - first + 1;
    const int halfEnd = r.left() + r.width() / 2;
    int lineRow = r.top(), most = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        int n = 0;
        for (int x = r.left(); x < halfEnd; ++x)
            n += ink(x, y);
        if (n > most)
            most = n, lineRow = y;
    }
    bool inLine = false;
    for (int x = r.left(); x < halfEnd; ++x) {
        if (inLine && !ink(x, lineRow))
            ++m.gaps;
        inLine = ink(x, lineRow);
    }
    return m;
}
