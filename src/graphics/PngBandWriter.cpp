#include "graphics/PngBandWriter.h"

#include "graphics/VectorUnits.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

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

// The RGB bytes PNG stores of the pixels a[x] - b[x], each byte apart (b
// null: of a itself). The Up, Sub and None filters are all this difference
// of RGB32 pixels, so no row goes through an RGB copy first.
void SubtractToRgbPortable(const QRgb* a, const QRgb* b, int count, uchar* out)
{
    for (int x = 0; x < count; ++x, out += 3) {
        const QRgb p = a[x], q = b ? b[x] : 0;
        out[0] = uchar(qRed(p) - qRed(q));
        out[1] = uchar(qGreen(p) - qGreen(q));
        out[2] = uchar(qBlue(p) - qBlue(q));
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
// Four pixels a step: the bytes subtracted, then each pixel's B G R A
// reordered to R G B; a step stores 16 bytes of which the next overwrites 4.
__attribute__((target("ssse3"))) void SubtractToRgbSsse3(const QRgb* a, const QRgb* b, int count, uchar* out)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    int x = 0;
    // The last step's 16 bytes stay within the count's 3 * count.
    for (; x + 6 <= count; x += 4) {
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        if (b)
            d = _mm_sub_epi8(d, _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), _mm_shuffle_epi8(d, order));
    }
    SubtractToRgbPortable(a + x, b ? b + x : nullptr, count - x, out + 3 * x);
}


// The library's Adler-32 takes a byte at a time; bands need theirs to join
// the stream's checksum. 32 bytes a step: s1 gains their sum, s2 gains 32
// times s1 before them plus each byte times 32, 31 ... 1. Sums stay within
// 32 bits for kAdlerRun bytes, as in the library, before both are reduced.
constexpr uint32_t kAdlerBase = 65521;
constexpr size_t kAdlerRun = 5552;

__attribute__((target("avx2"))) uint32_t Adler32Avx2(uint32_t adler, const uchar* bytes, size_t length)
{
    uint32_t s1 = adler & 0xFFFF, s2 = adler >> 16;
    const __m256i taps = _mm256_setr_epi8(32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15,
                                          14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1);
    const __m256i ones = _mm256_set1_epi16(1);
    while (length >= 32) {
        const size_t steps = std::min(length, kAdlerRun) / 32;
        length -= steps * 32;
        // s1 before each step, summed (the first step's s1 counted here
        // for all of them); the bytes' sums; the weighted sums.
        __m256i before = _mm256_setr_epi32(int(s1 * uint32_t(steps)), 0, 0, 0, 0, 0, 0, 0);
        __m256i sum = _mm256_setzero_si256();
        __m256i weighted = _mm256_setr_epi32(int(s2), 0, 0, 0, 0, 0, 0, 0);
        for (size_t n = 0; n < steps; ++n, bytes += 32) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
            before = _mm256_add_epi32(before, sum);
            sum = _mm256_add_epi32(sum, _mm256_sad_epu8(v, _mm256_setzero_si256()));
            weighted = _mm256_add_epi32(weighted, _mm256_madd_epi16(_mm256_maddubs_epi16(v, taps), ones));
        }
        weighted = _mm256_add_epi32(weighted, _mm256_slli_epi32(before, 5));
        alignas(32) uint32_t lanes[2][8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[0]), sum);
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes[1]), weighted);
        uint32_t total = 0;
        s2 = 0;
        for (int i = 0; i < 8; ++i) {
            total += lanes[0][i];
            s2 += lanes[1][i];
        }
        s1 = (s1 + total) % kAdlerBase;
        s2 %= kAdlerBase;
    }
    return uint32_t(adler32_z((s2 << 16) | s1, bytes, length));
}

#endif

uint32_t Adler32(const uchar* bytes, size_t length)
{
#if defined(__GNUC__) && defined(__x86_64__)
    if (UseAvx2())
        return Adler32Avx2(1, bytes, length);
#endif
    return uint32_t(adler32_z(1, bytes, length));
}

void SubtractToRgb(const QRgb* a, const QRgb* b, int count, uchar* out)
{
#if defined(__GNUC__) && defined(__x86_64__)
    if (UseSsse3()) {
        SubtractToRgbSsse3(a, b, count, out);
        return;
    }
#endif
    SubtractToRgbPortable(a, b, count, out);
}

uchar Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return uchar(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One filtered row: the filter byte, then the differences. prev is null for
// a band's first row, which takes Sub.
void FilterRow(const QRgb* cur, const QRgb* prev, int width, PngRowFilter filter, uchar* out)
{
    if (!prev && filter != PngRowFilter::None)
        filter = PngRowFilter::Sub;
    *out++ = uchar(filter);
    switch (filter) {
    case PngRowFilter::None:
        SubtractToRgb(cur, nullptr, width, out);
        break;
    case PngRowFilter::Sub:
        SubtractToRgb(cur, nullptr, std::min(width, 1), out);
        SubtractToRgb(cur + 1, cur, width - 1, out + 3);
        break;
    case PngRowFilter::Up:
        SubtractToRgb(cur, prev, width, out);
        break;
    case PngRowFilter::Paeth: {
        // Rarely taken: through RGB copies of the two rows.
        std::vector<uchar> rgb(size_t(width) * 6);
        uchar* c = rgb.data();
        uchar* p = c + size_t(width) * 3;
        SubtractToRgb(cur, nullptr, width, c);
        SubtractToRgb(prev, nullptr, width, p);
        for (int i = 0; i < 3 * width; ++i)
            out[i] = uchar(c[i] - Paeth(i >= 3 ? c[i - 3] : 0, p[i], i >= 3 ? p[i - 3] : 0));
        break;
    }
    }
}

// What a thread keeps from band to band: its deflate state, reset rather
// than made anew (which would allocate and clear its tables each band), and
// the filtered and deflated bytes' memory (fresh memory each band costs the
// system's zeroing of its pages).
class DeflateScratch {
public:
    ~DeflateScratch()
    {
        if (m_level >= 0)
            deflateEnd(&m_z);
    }
    // The stream, ready for a band; null when it cannot be made.
    z_stream* Stream(int level)
    {
        if (m_level == level)
            return deflateReset(&m_z) == Z_OK ? &m_z : nullptr;
        if (m_level >= 0)
            deflateEnd(&m_z);
        m_z = z_stream{};
        m_level = -1;
        if (deflateInit2(&m_z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return nullptr;
        m_level = level;
        return &m_z;
    }
    uchar* Filtered(size_t bytes) { return m_filtered.Get(bytes); }
    uchar* Deflated(size_t bytes) { return m_deflated.Get(bytes); }

private:
    // Memory that only grows, left uninitialised.
    struct Memory {
        std::unique_ptr<uchar[]> bytes;
        size_t held = 0;
        uchar* Get(size_t wanted)
        {
            if (wanted > held) {
                bytes.reset(new uchar[wanted]);
                held = wanted;
            }
            return bytes.get();
        }
    };
    z_stream m_z{};
    int m_level = -1;
    Memory m_filtered, m_deflated;
};

} // namespace

PngDeflatedBand DeflatePngBand(const QImage& rows, PngRowFilter filter, bool last, int level)
{
    PngDeflatedBand band;
    if (rows.isNull() || rows.format() != QImage::Format_RGB32)
        return band;
    thread_local DeflateScratch scratch;
    const int width = rows.width();
    const size_t filteredRow = size_t(width) * 3 + 1;
    const size_t length = filteredRow * size_t(rows.height());
    uchar* filtered = scratch.Filtered(length);
    for (int y = 0; y < rows.height(); ++y)
        FilterRow(reinterpret_cast<const QRgb*>(rows.constScanLine(y)),
                  y > 0 ? reinterpret_cast<const QRgb*>(rows.constScanLine(y - 1)) : nullptr, width, filter,
                  filtered + size_t(y) * filteredRow);
    band.filteredLength = qint64(length);
    band.adler = Adler32(filtered, length);

    z_stream* z = scratch.Stream(level);
    if (!z)
        return band;
    const uLong bound = deflateBound(z, uLong(length)) + 16;
    z->next_in = filtered;
    z->avail_in = uInt(length);
    uchar* deflated = scratch.Deflated(bound);
    z->next_out = deflated;
    z->avail_out = uInt(bound);
    // A band that is not the last ends on a byte boundary with a block that
    // does not close the stream, so the next band's blocks follow it.
    const int result = deflate(z, last ? Z_FINISH : Z_SYNC_FLUSH);
    band.ok = last ? result == Z_STREAM_END : result == Z_OK && z->avail_in == 0;
    // Bands wait their turn to be written: each keeps only what it holds.
    if (band.ok)
        band.bytes = QByteArray(reinterpret_cast<const char*>(deflated), qsizetype(z->total_out));
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
