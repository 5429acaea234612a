#pragma once
// Small images for the device context's pixel tests.
#include <QImage>

#include <string>

namespace dctest {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

inline QImage WhiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}

// The image as rows of '.' (white) and '#' (anything else), for readable
// expectations; with greys, only black is '#' and other colours are 'o'.
inline std::string Picture(const QImage& img, bool greys = false)
{
    std::string s;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y) | kBlack;
            s += c == kWhite ? '.' : (!greys || c == kBlack) ? '#' : 'o';
        }
        s += '\n';
    }
    return s;
}

} // namespace dctest
