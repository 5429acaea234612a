#pragma once
// Packed device-independent bitmaps: an info header (40 bytes or larger) or a
// core header (12 bytes), the colour table or BI_BITFIELDS masks, then rows
// padded to 4 bytes, bottom-up for a positive height; optionally behind the
// 14-byte BMP file header ("BM"). Every count, size and offset is checked
// against the block before use: a block that does not hold together is refused.
#include "platform/GdiTypes.h"

#include <QImage>

#include <cstddef>
#include <vector>

struct DibLayout {
    bool core = false;             // a 12-byte core header (3-byte colour entries)
    size_t fileHeader = 0;         // 14 when the block starts with "BM", else 0
    DWORD headerSize = 0;
    LONG width = 0;
    LONG height = 0;               // magnitude
    bool bottomUp = true;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    DWORD colors = 0;              // colour-table entries
    size_t paletteBytes = 0;       // colour table (entries x 4 or x 3)
    size_t maskBytes = 0;          // 12 for BI_BITFIELDS masks after a 40-byte header
    DWORD masks[3] = {0, 0, 0};    // red, green, blue (BI_BITFIELDS or the 16/32-bit defaults)
    size_t stride = 0;             // bytes per row
    size_t bitsOffset = 0;         // from the start of the block (after any file header)
    size_t imageBytes = 0;         // stride x height
};

// Largest width x height the readers accept (a picture larger than this is refused).
constexpr qint64 kMaxDibPixels = qint64(16384) * 16384;

// Reads the header of a packed DIB (with or without file header) and checks that
// header, colour table and all rows lie within size bytes. RLE-compressed DIBs
// are refused. False for anything that does not hold together.
bool ParseDibLayout(const BYTE* data, size_t size, DibLayout* out);
// The same for a header and bits given apart (StretchDIBits): infoSize bytes of
// header and colour table, bitsSize bytes of rows.
bool ParseDibInfo(const BITMAPINFO* info, size_t infoSize, size_t bitsSize, DibLayout* out);

// The picture of a packed DIB as RGB32 (ARGB32 premultiplied for a 32-bit DIB
// whose alpha bytes are not all zero when keepAlpha is set); null when refused.
QImage DibToImage(const BYTE* data, size_t size, bool keepAlpha = false);
QImage DibToImage(const BITMAPINFO* info, size_t infoSize, const void* bits, size_t bitsSize,
                  bool keepAlpha = false);
// The bytes needed after the header for its rows (0 when the header is unusable).
size_t DibBitsSize(const BITMAPINFOHEADER& header);
// Bytes of colour table a header declares (entries x 4), masks included.
size_t DibInfoSize(const BITMAPINFOHEADER& header);

// A packed DIB of the image at 1, 4, 8 (palette from the image's colours, or a
// fixed palette when there are more), 16 (5-5-5), 24 or 32 bits, BI_RGB,
// bottom-up; with the 14-byte file header in front when asked. Empty on failure.
std::vector<BYTE> ImageToDib(const QImage& image, int bitCount, bool withFileHeader,
                             LONG xPelsPerMeter = 0, LONG yPelsPerMeter = 0);
// The same at 16 or 32 bits with BI_BITFIELDS: the red, green and blue masks
// follow the 40-byte header and each channel is scaled into its mask (5-6-5
// and 10-10-10 layouts, for example). Each mask must be one run of bits
// within the bit count, and no two may overlap. Empty on failure.
std::vector<BYTE> ImageToBitfieldsDib(const QImage& image, int bitCount, const DWORD masks[3], bool withFileHeader,
                                      LONG xPelsPerMeter = 0, LONG yPelsPerMeter = 0);
