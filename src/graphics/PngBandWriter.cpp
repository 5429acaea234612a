#include "graphics/PngBandWriter.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// PNG holds sizes up to 2^31 - 1.
constexpr qint64 kMaxPngSide = 0x7FFFFFFF;
// What PNG readers take as 96 dots an inch: the resolution exported pictures
// have always declared.
constexpr uint32_t kPixelsPerMetre = 3780;

void PutBig32(char* at, uint32_t v)
{
    at[0] = char(v >> 24);
    at[1] = char(v >> 16);
    at[2] = char(v >> 8);
    at[3] = char(v);
}

// An RGB32 row as the 8-bit RGB bytes PNG stores.
void RowToRgb(const QRgb* row, int width, uchar* rgb)
{
    for (int x = 0; x < width; ++x, rgb += 3) {
        rgb[0] = uchar(qRed(row[x]));
        rgb[1] = uchar(qGreen(row[x]));
        rgb[2] = uchar(qBlue(row[x]));
    }
}

uchar Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uchar(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One filtered row: the filter byte, then the differences. prev is null for
// a band's first row, which takes Sub.
void FilterRow(const uchar* cur, const uchar* prev, int bytes, PngRowFilter filter, uchar* out)
{
    if (!prev && filter != PngRowFilter::None)
        filter = PngRowFilter::Sub;
    *out++ = uchar(filter);
    switch (filter) {
    case PngRowFilter::None:
        std::memcpy(out, cur, size_t(bytes));
        break;
    case PngRowFilter::Sub:
        for (int i = 0; i < bytes; ++i)
            out[i] = uchar(cur[i] - (i >= 3 ? cur[i - 3] : 0));
        break;
    case PngRowFilter::Up:
        for (int i = 0; i < bytes; ++i)
            out[i] = uchar(cur[i] - prev[i]);
        break;
    case PngRowFilter::Paeth:
        for (int i = 0; i < bytes; ++i)
            out[i] = uchar(cur[i] - Paeth(i >= 3 ? cur[i - 3] : 0, prev[i], i >= 3 ? prev[i - 3] : 0));
        break;
    }
}

} // namespace

PngDeflatedBand DeflatePngBand(const QImage& rows, PngRowFilter filter, bool last, int level)
{
    PngDeflatedBand band;
    if (rows.isNull() || rows.format() != QImage::Format_RGB32)
        return band;
    const int width = rows.width();
    const qint64 rowBytes = qint64(width) * 3;
    std::vector<uchar> filtered(size_t((rowBytes + 1) * rows.height()));
    std::vector<uchar> rgb[2] = {std::vector<uchar>(size_t(rowBytes)), std::vector<uchar>(size_t(rowBytes))};
    for (int y = 0; y < rows.height(); ++y) {
        RowToRgb(reinterpret_cast<const QRgb*>(rows.constScanLine(y)), width, rgb[y & 1].data());
        FilterRow(rgb[y & 1].data(), y > 0 ? rgb[(y + 1) & 1].data() : nullptr, int(rowBytes), filter,
                  filtered.data() + size_t(y) * size_t(rowBytes + 1));
    }
    band.filteredLength = qint64(filtered.size());
    band.adler = uint32_t(adler32_z(1, filtered.data(), filtered.size()));

    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return band;
    band.bytes.resize(qsizetype(deflateBound(&z, uLong(filtered.size())) + 16));
    z.next_in = filtered.data();
    z.avail_in = uInt(filtered.size());
    z.next_out = reinterpret_cast<Bytef*>(band.bytes.data());
    z.avail_out = uInt(band.bytes.size());
    // A band that is not the last ends on a byte boundary with a block that
    // does not close the stream, so the next band's blocks follow it.
    const int result = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    band.ok = last ? result == Z_STREAM_END : result == Z_OK && z.avail_in == 0;
    band.bytes.resize(qsizetype(z.total_out));
    // Bands wait their turn to be written: each keeps only what it holds.
    band.bytes.squeeze();
    deflateEnd(&z);
    return band;
}

CPngBandWriter::CPngBandWriter(QIODevice* out, int width, int height) : m_out(out), m_width(width), m_height(height)
{
}

bool CPngBandWriter::WriteChunk(const char* type, const QByteArray& data)
{
    char head[8];
    PutBig32(head, uint32_t(data.size()));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32_z(0, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32_z(crc, reinterpret_cast<const Bytef*>(data.constData()), size_t(data.size()));
    char tail[4];
    PutBig32(tail, uint32_t(crc));
    return m_out->write(head, 8) == 8 && m_out->write(data) == data.size() && m_out->write(tail, 4) == 4;
}

bool CPngBandWriter::Begin()
{
    if (!m_out || m_width <= 0 || m_height <= 0 || m_width > kMaxPngSide || m_height > kMaxPngSide)
        return false;
    static const char kSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
    QByteArray header(13, '\0');
    PutBig32(header.data(), uint32_t(m_width));
    PutBig32(header.data() + 4, uint32_t(m_height));
    header[8] = 8;  // bits per sample
    header[9] = 2;  // RGB
    QByteArray dpi(9, '\0');
    PutBig32(dpi.data(), kPixelsPerMetre);
    PutBig32(dpi.data() + 4, kPixelsPerMetre);
    dpi[8] = 1;  // per metre
    return m_out->write(kSignature, 8) == 8 && WriteChunk("IHDR", header) && WriteChunk("pHYs", dpi);
}

bool CPngBandWriter::Append(const PngDeflatedBand& band)
{
    if (!band.ok)
        return false;
    QByteArray data;
    if (m_first) {
        data = QByteArray("\x78\x01", 2);  // deflate, 32K window, fastest
        m_first = false;
    }
    data += band.bytes;
    m_adler = m_length == 0 ? band.adler : uint32_t(adler32_combine(m_adler, band.adler, band.filteredLength));
    m_length += band.filteredLength;
    return WriteChunk("IDAT", data);
}

bool CPngBandWriter::Finish()
{
    if (m_length != qint64(m_height) * (qint64(m_width) * 3 + 1))
        return false;
    QByteArray trailer(4, '\0');
    PutBig32(trailer.data(), m_adler);
    return WriteChunk("IDAT", trailer) && WriteChunk("IEND", QByteArray());
}
