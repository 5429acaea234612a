#include "platform/PackedDib.h"

#include <QHash>

#include <bit>
#include <cstring>

namespace {

DWORD Rd32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}
WORD Rd16(const BYTE* p)
{
    return WORD(p[0] | (p[1] << 8));
}
void Wr32(BYTE* p, DWORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}
void Wr16(BYTE* p, WORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

// Reads a header and its colour table / masks from avail bytes. Does not look at
// the rows. Fills everything but fileHeader.
bool ParseHeader(const BYTE* h, size_t avail, DibLayout* out, bool needTable = true)
{
    DibLayout d;
    if (!h || avail < 4)
        return false;
    d.headerSize = Rd32(h);
    if (d.headerSize == 12) {
        if (avail < 12)
            return false;
        d.core = true;
        d.width = Rd16(h + 4);
        const LONG hh = Rd16(h + 6);
        d.height = hh;
        d.bitCount = Rd16(h + 10);
        d.compression = BI_RGB;
    } else if (d.headerSize >= 40 && d.headerSize <= 1024) {
        if (avail < d.headerSize)
            return false;
        d.width = LONG(Rd32(h + 4));
        const LONG hh = LONG(Rd32(h + 8));
        if (hh == INT32_MIN)
            return false;
        d.bottomUp = hh > 0;
        d.height = hh < 0 ? -hh : hh;
        d.bitCount = Rd16(h + 14);
        d.compression = Rd32(h + 16);
        d.colors = Rd32(h + 32);
    } else {
        return false;
    }
    if (d.width <= 0 || d.height <= 0 || qint64(d.width) * d.height > kMaxDibPixels)
        return false;
    switch (d.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    if (d.compression == BI_BITFIELDS) {
        if (d.bitCount != 16 && d.bitCount != 32)
            return false;
    } else if (d.compression != BI_RGB) {
        return false;   // run-length and embedded JPEG/PNG bits are not read
    }
    // The colour count: the header's when non-zero, else by depth.
    const DWORD byDepth = d.bitCount <= 8 ? (1u << d.bitCount) : 0;
    if (d.core || d.colors == 0)
        d.colors = byDepth;
    if (d.colors > 65536)
        return false;
    d.paletteBytes = size_t(d.colors) * (d.core ? 3 : 4);
    if (d.compression == BI_BITFIELDS) {
        // A 40-byte header is followed by the three masks; larger headers hold them.
        const BYTE* m = h + 40;
        if (d.headerSize == 40)
            d.maskBytes = 12;
        if (avail < 40 + 12)
            return false;
        d.masks[0] = Rd32(m);
        d.masks[1] = Rd32(m + 4);
        d.masks[2] = Rd32(m + 8);
    } else if (d.bitCount == 16) {
        d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
    } else if (d.bitCount == 32) {
        d.masks[0] = 0x00FF0000, d.masks[1] = 0x0000FF00, d.masks[2] = 0x000000FF;
    }
    const qint64 stride = ((qint64(d.bitCount) * d.width + 31) / 32) * 4;
    d.stride = size_t(stride);
    d.imageBytes = size_t(stride * d.height);
    d.bitsOffset = size_t(d.headerSize) + d.maskBytes + d.paletteBytes;
    if (needTable && d.bitsOffset > avail)
        return false;
    *out = d;
    return true;
}

int MaskShift(DWORD mask)
{
    return mask ? std::countr_zero(mask) : 0;
}

int MaskBits(DWORD mask)
{
    return mask ? std::popcount(mask >> MaskShift(mask)) : 0;
}

BYTE MaskChannel(DWORD value, DWORD mask)
{
    if (!mask)
        return 0;
    const int bits = std::min(MaskBits(mask), 16);
    const DWORD v = (value & mask) >> MaskShift(mask);
    const DWORD max = (1u << bits) - 1;
    return BYTE(max ? (std::min(v, max) * 255 + max / 2) / max : 0);
}

// A row of 24-bit pixels (blue, green, red) to opaque 32-bit ones: four at a
// time by a byte shuffle of sixteen bytes read (while they lie in the row),
// then one by one.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void Decode24Row(const BYTE* row, QRgb* out, LONG width)
{
    LONG x = 0;
#if defined(__GNUC__) && !defined(__clang__)
    typedef unsigned char Bytes __attribute__((vector_size(16)));
    typedef quint32 Words __attribute__((vector_size(16)));
    const Bytes pick = {0, 1, 2, 0, 3, 4, 5, 0, 6, 7, 8, 0, 9, 10, 11, 0};
    for (; x + 6 <= width; x += 4) {
        Bytes in;
        std::memcpy(&in, row + x * 3, sizeof in);
        const Words px = reinterpret_cast<Words>(__builtin_shuffle(in, pick)) | 0xFF000000u;
        std::memcpy(out + x, &px, sizeof px);
    }
#endif
    for (; x < width; ++x) {
        const BYTE* p = row + x * 3;
        out[x] = 0xFF000000u | (QRgb(p[2]) << 16) | (QRgb(p[1]) << 8) | p[0];
    }
}

QImage Decode(const DibLayout& d, const BYTE* palette, const BYTE* bits, bool keepAlpha)
{
    QVector<QRgb> table(int(std::min<DWORD>(d.colors, 256)));
    const int entry = d.core ? 3 : 4;
    for (int i = 0; i < table.size(); ++i) {
        const BYTE* e = palette + size_t(i) * size_t(entry);
        table[i] = qRgb(e[2], e[1], e[0]);
    }
    bool alpha = false;
    if (keepAlpha && d.bitCount == 32 && d.compression == BI_RGB) {
        for (LONG y = 0; y < d.height && !alpha; ++y) {
            const BYTE* row = bits + size_t(y) * d.stride;
            for (LONG x = 0; x < d.width; ++x)
                if (row[x * 4 + 3]) {
                    alpha = true;
                    break;
                }
        }
    }
    QImage img(d.width, d.height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (img.isNull())
        return img;
    // The common layouts row by row without the per-pixel dispatch.
    const bool plain32 = d.bitCount == 32 && !alpha && d.masks[0] == 0x00FF0000
                         && d.masks[1] == 0x0000FF00 && d.masks[2] == 0x000000FF;
    uchar* const outBits = img.bits();
    const qsizetype outStride = img.bytesPerLine();
    for (LONG y = 0; y < d.height; ++y) {
        const BYTE* row = bits + size_t(d.bottomUp ? d.height - 1 - y : y) * d.stride;
        auto* out = reinterpret_cast<QRgb*>(outBits + outStride * y);
        if (d.bitCount == 24) {
            Decode24Row(row, out, d.width);
            continue;
        }
        if (plain32) {
            for (LONG x = 0; x < d.width; ++x)
                out[x] = 0xFF000000u | Rd32(row + x * 4);
            continue;
        }
        for (LONG x = 0; x < d.width; ++x) {
            QRgb c = 0xFF000000u;
            switch (d.bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / d.bitCount;
                const int shift = 8 - d.bitCount * (1 + x % perByte);
                const int index = (row[x / perByte] >> shift) & ((1 << d.bitCount) - 1);
                c = index < table.size() ? table[index] : 0xFF000000u;
                break;
            }
            case 16: {
                const DWORD v = Rd16(row + x * 2);
                c = qRgb(MaskChannel(v, d.masks[0]), MaskChannel(v, d.masks[1]), MaskChannel(v, d.masks[2]));
                break;
            }
            case 24:
                c = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            case 32: {
                const DWORD v = Rd32(row + x * 4);
                if (alpha)
                    c = qRgba(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]);
                else
                    c = qRgb(MaskChannel(v, d.masks[0]), MaskChannel(v, d.masks[1]), MaskChannel(v, d.masks[2]));
                break;
            }
            default: break;
            }
            out[x] = c;
        }
    }
    return alpha ? img.convertToFormat(QImage::Format_ARGB32_Premultiplied) : img;
}

} // namespace

bool ParseDibLayout(const BYTE* data, size_t size, DibLayout* out)
{
    if (!data || !out || size < 4)
        return false;
    size_t fh = 0;
    if (Rd16(data) == BMP_SIGNATURE) {
        if (size < BITMAPFILEHEADER_SIZE + 4)
            return false;
        fh = BITMAPFILEHEADER_SIZE;
    }
    DibLayout d;
    if (!ParseHeader(data + fh, size - fh, &d))
        return false;
    d.fileHeader = fh;
    const size_t avail = size - fh;
    if (d.bitsOffset > avail || d.imageBytes > avail - d.bitsOffset)
        return false;
    *out = d;
    return true;
}

bool ParseDibInfo(const BITMAPINFO* info, size_t infoSize, size_t bitsSize, DibLayout* out)
{
    DibLayout d;
    if (!out || !ParseHeader(reinterpret_cast<const BYTE*>(info), infoSize, &d))
        return false;
    if (d.bitsOffset > infoSize || d.imageBytes > bitsSize)
        return false;
    *out = d;
    return true;
}

QImage DibToImage(const BYTE* data, size_t size, bool keepAlpha)
{
    DibLayout d;
    if (!ParseDibLayout(data, size, &d))
        return {};
    const BYTE* h = data + d.fileHeader;
    return Decode(d, h + d.headerSize + d.maskBytes, h + d.bitsOffset, keepAlpha);
}

QImage DibToImage(const BITMAPINFO* info, size_t infoSize, const void* bits, size_t bitsSize,
                  bool keepAlpha)
{
    DibLayout d;
    if (!bits || !ParseDibInfo(info, infoSize, bitsSize, &d))
        return {};
    const BYTE* h = reinterpret_cast<const BYTE*>(info);
    return Decode(d, h + d.headerSize + d.maskBytes, static_cast<const BYTE*>(bits), keepAlpha);
}

size_t DibInfoSize(const BITMAPINFOHEADER& header)
{
    // Judged by the same rules as a header read from a file; the colour table or
    // masks are taken to follow the header.
    BYTE raw[52] = {};
    std::memcpy(raw, &header, 40);
    DibLayout d;
    if (header.biSize != 40 || !ParseHeader(raw, sizeof raw, &d, false))
        return 0;
    return d.bitsOffset;
}

size_t DibBitsSize(const BITMAPINFOHEADER& header)
{
    BYTE raw[52] = {};
    std::memcpy(raw, &header, 40);
    DibLayout d;
    if (header.biSize != 40 || !ParseHeader(raw, sizeof raw, &d, false))
        return 0;
    return d.imageBytes;
}

namespace {

// The 16 colours of the standard 4-bit palette.
const QRgb kVga16[16] = {
    qRgb(0, 0, 0), qRgb(128, 0, 0), qRgb(0, 128, 0), qRgb(128, 128, 0),
    qRgb(0, 0, 128), qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0),
    qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

int Nearest(const QVector<QRgb>& table, QRgb c)
{
    int best = 0;
    int bestDist = INT32_MAX;
    for (int i = 0; i < table.size(); ++i) {
        const int dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]),
                  db = qBlue(c) - qBlue(table[i]);
        const int dist = dr * dr + dg * dg + db * db;
        if (dist < bestDist) {
            bestDist = dist;
            best = i;
        }
    }
    return best;
}

// A palette for an indexed DIB: the image's own colours when they fit, else a
// fixed one (black and white, the 16 standard colours, or Qt's 8-bit palette).
QVector<QRgb> MakePalette(const QImage& rgb, int bitCount, QImage* indexed8)
{
    const int max = 1 << bitCount;
    QVector<QRgb> table;
    QHash<QRgb, int> seen;
    for (int y = 0; y < rgb.height() && table.size() <= max; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (!seen.contains(c)) {
                seen.insert(c, table.size());
                table << c;
                if (table.size() > max)
                    break;
            }
        }
    }
    if (table.size() <= max)
        return table;
    if (bitCount == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (bitCount == 4)
        return QVector<QRgb>(std::begin(kVga16), std::end(kVga16));
    *indexed8 = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    return indexed8->colorTable();
}

} // namespace

namespace {
struct DibHeaderSpec {
    qint64 width, height;
    int bitCount;
    DWORD compression;
    size_t infoBytes;     // header, masks and colour table
    DWORD imageSize;
    LONG xPelsPerMeter, yPelsPerMeter;
};

// Sizes the block (zeroed) for the rows of the given stride, writes the file
// header when asked and the 40-byte info header; returns the info header's
// place, null when the DIB would pass 2 GiB.
BYTE* StartDib(std::vector<BYTE>& out, const DibHeaderSpec& d, qint64 stride, bool withFileHeader)
{
    const size_t fh = withFileHeader ? BITMAPFILEHEADER_SIZE : 0;
    const qint64 total = qint64(fh + d.infoBytes) + stride * d.height;
    if (total > qint64(INT32_MAX))
        return nullptr;
    out.assign(size_t(total), 0);
    BYTE* p = out.data();
    if (withFileHeader) {
        Wr16(p, BMP_SIGNATURE);
        Wr32(p + 2, DWORD(total));
        Wr32(p + 10, DWORD(fh + d.infoBytes));
        p += fh;
    }
    Wr32(p, 40);
    Wr32(p + 4, DWORD(d.width));
    Wr32(p + 8, DWORD(d.height));
    Wr16(p + 12, 1);
    Wr16(p + 14, WORD(d.bitCount));
    Wr32(p + 16, d.compression);
    Wr32(p + 20, d.imageSize);
    Wr32(p + 24, DWORD(d.xPelsPerMeter));
    Wr32(p + 28, DWORD(d.yPelsPerMeter));
    return p;
}
}  // namespace

std::vector<BYTE> ImageToDib(const QImage& image, int bitCount, bool withFileHeader,
                             LONG xPelsPerMeter, LONG yPelsPerMeter)
{
    if (image.isNull() || (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16
                           && bitCount != 24 && bitCount != 32))
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 w = rgb.width(), h = rgb.height();
    const qint64 stride = ((bitCount * w + 31) / 32) * 4;
    QImage indexed8;
    const QVector<QRgb> palette = bitCount <= 8 ? MakePalette(rgb, bitCount, &indexed8) : QVector<QRgb>();
    const size_t paletteBytes = bitCount <= 8 ? size_t(1 << bitCount) * 4 : 0;
    const DibHeaderSpec spec{w, h, bitCount, BI_RGB, 40 + paletteBytes, 0, xPelsPerMeter, yPelsPerMeter};
    std::vector<BYTE> out;
    BYTE* p = StartDib(out, spec, stride, withFileHeader);
    if (!p)
        return {};
    BYTE* pal = p + 40;
    for (int i = 0; i < palette.size() && i < (1 << bitCount); ++i) {
        pal[i * 4] = BYTE(qBlue(palette[i]));
        pal[i * 4 + 1] = BYTE(qGreen(palette[i]));
        pal[i * 4 + 2] = BYTE(qRed(palette[i]));
    }
    QHash<QRgb, int> index;
    for (int i = 0; i < palette.size(); ++i)
        index.insert(palette[i] | 0xFF000000u, i);
    BYTE* bits = pal + paletteBytes;
    for (qint64 y = 0; y < h; ++y) {
        BYTE* row = bits + size_t((h - 1 - y) * stride);
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(y)));
        for (qint64 x = 0; x < w; ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                int i;
                if (!indexed8.isNull())
                    i = indexed8.pixelIndex(int(x), int(y));
                else if (auto it = index.find(c); it != index.end())
                    i = it.value();
                else
                    i = Nearest(palette, c);
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * int(1 + x % perByte);
                row[x / perByte] |= BYTE(i << shift);
                break;
            }
            case 16:
                Wr16(row + x * 2, WORD(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)));
                break;
            case 24:
                row[x * 3] = BYTE(qBlue(c));
                row[x * 3 + 1] = BYTE(qGreen(c));
                row[x * 3 + 2] = BYTE(qRed(c));
                break;
            default:
                row[x * 4] = BYTE(qBlue(c));
                row[x * 4 + 1] = BYTE(qGreen(c));
                row[x * 4 + 2] = BYTE(qRed(c));
                break;
            }
        }
    }
    return out;
}

namespace {
// A mask is usable when it is one run of set bits within the bit count.
bool UsableMask(DWORD mask, int bitCount)
{
    if (!mask || (bitCount < 32 && (mask >> bitCount) != 0))
        return false;
    const DWORD run = mask >> MaskShift(mask);
    return (run & (run + 1)) == 0;
}

// An 8-bit channel scaled into the mask's bits, rounded.
DWORD PackChannel(int value, DWORD mask)
{
    const int bits = MaskBits(mask);
    const uint64_t max = (uint64_t(1) << bits) - 1;
    return DWORD((uint64_t(value) * max + 127) / 255) << MaskShift(mask);
}
}  // namespace

std::vector<BYTE> ImageToBitfieldsDib(const QImage& image, int bitCount, const DWORD masks[3], bool withFileHeader,
                                      LONG xPelsPerMeter, LONG yPelsPerMeter)
{
    if (image.isNull() || !masks || (bitCount != 16 && bitCount != 32))
        return {};
    for (int i = 0; i < 3; ++i)
        if (!UsableMask(masks[i], bitCount))
            return {};
    if ((masks[0] & masks[1]) || (masks[0] & masks[2]) || (masks[1] & masks[2]))
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 w = rgb.width(), h = rgb.height();
    const qint64 stride = ((bitCount * w + 31) / 32) * 4;
    const size_t info = 40 + 12;   // the header, then the red, green and blue masks
    const DibHeaderSpec spec{w, h, bitCount, BI_BITFIELDS, info, DWORD(stride * h), xPelsPerMeter, yPelsPerMeter};
    std::vector<BYTE> out;
    BYTE* p = StartDib(out, spec, stride, withFileHeader);
    if (!p)
        return {};
    for (int i = 0; i < 3; ++i)
        Wr32(p + 40 + 4 * i, masks[i]);
    BYTE* bits = p + info;
    for (qint64 y = 0; y < h; ++y) {
        BYTE* row = bits + size_t((h - 1 - y) * stride);
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(int(y)));
        for (qint64 x = 0; x < w; ++x) {
            const QRgb c = line[x];
            const DWORD v = PackChannel(qRed(c), masks[0]) | PackChannel(qGreen(c), masks[1]) |
                            PackChannel(qBlue(c), masks[2]);
            if (bitCount == 16)
                Wr16(row + x * 2, WORD(v));
            else
                Wr32(row + x * 4, v);
        }
    }
    return out;
}
