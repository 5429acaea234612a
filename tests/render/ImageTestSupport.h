#pragma once
// Small helpers of the pixel tests: white images, their pixels as text, and
// counts of drawn pixels.
#include <QImage>

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
