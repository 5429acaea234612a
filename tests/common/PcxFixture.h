#pragma once
// A PCX file made in the test: the 128-byte header claiming width x height
// pixels of `planes` planes at `bitsPerPlane` bits, each plane row
// `planeRowBytes` long, run-length coded or not, followed by `data` as given.
#include <QByteArray>

inline QByteArray Pcx(int width, int height, int bitsPerPlane, int planes, int planeRowBytes, bool runLength,
                      const QByteArray& data)
{
    QByteArray h(128, '\0');
    auto le16 = [&h](int at, int v) {
        h[at] = char(v & 0xFF);
        h[at + 1] = char((v >> 8) & 0xFF);
    };
    h[0] = 0x0A;  // maker
    h[1] = 5;     // version 3.0
    h[2] = runLength ? 1 : 0;
    h[3] = char(bitsPerPlane);
    le16(8, width - 1);  // the picture box: 0, 0 to xmax, ymax
    le16(10, height - 1);
    le16(12, 72);
    le16(14, 72);
    h[65] = char(planes);
    le16(66, planeRowBytes);
    le16(68, 1);
    return h + data;
}
