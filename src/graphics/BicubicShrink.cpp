#include "graphics/BicubicShrink.h"

#include "graphics/VectorUnits.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr int kWeightBits = 14;
// Output rows whose vertical sums are made together.
constexpr int kManyRows = 16;
// Vertical sums keep 6 bits below the byte: 14 - 8.
constexpr int kMidShift = 8;
constexpr int kOutShift = 2 * kWeightBits - kMidShift;

// The cubic convolution kernel with a = -0.5.
double Cubic(double x)
{
    constexpr double a = -0.5;
    x = std::abs(x);
    if (x <= 1.0)
        return (a + 2) * x * x * x - (a + 3) * x * x + 1;
    if (x < 2.0)
        return a * x * x * x - 5 * a * x * x + 8 * a * x - 4 * a;
    return 0.0;
}

// The shrinking's inner loops take a large share of a big export's time:
// where the processor has AVX2 they run on it. Both ways compute the same
// integer sums, so the pictures are the same bit for bit.
void SumRowsPortable(const uchar* const* rows, const int16_t* weights, int taps, int16_t* mid, size_t bytes)
{
    constexpr size_t kChunk = 1024;  // sums of a chunk stay in the first-level cache
    int32_t acc[kChunk];
    for (size_t at = 0; at < bytes; at += kChunk) {
        const size_t n = std::min(kChunk, bytes - at);
        std::fill_n(acc, n, 0);
        for (int t = 0; t < taps; ++t) {
            const uchar* s = rows[t] + at;
            const int32_t w = weights[t];
            for (size_t i = 0; i < n; ++i)
                acc[i] += int32_t(s[i]) * w;
        }
        for (size_t i = 0; i < n; ++i)
            mid[at + i] = int16_t((acc[i] + (1 << (kMidShift - 1))) >> kMidShift);
    }
}

void ShrinkRowPortable(const int16_t* mid, const int16_t* weights, int taps, int factor, int width, uchar* out)
{
    for (int x = 0; x < width; ++x, out += 4) {
        const int16_t* s = mid + size_t(factor) * size_t(x) * 4;
        int32_t sum[4] = {0, 0, 0, 0};
        for (int t = 0; t < taps; ++t, s += 4) {
            const int32_t w = weights[t];
            for (int c = 0; c < 4; ++c)
                sum[c] += s[c] * w;
        }
        for (int c = 0; c < 3; ++c)
            out[c] = uchar(std::clamp((sum[c] + (1 << (kOutShift - 1))) >> kOutShift, 0, 255));
        out[3] = 0xFF;
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
#define KAVO_HAVE_AVX2_SHRINK 1

// Several output rows' sums at once: output row j reads rows[Step * j] on,
// 4 * Step of them. Neighbouring output rows read mostly the same source
// rows, in the same pairs (the step is even), so each pair is interleaved
// once for them all.

// The full sums of the 16 bytes at `at` for the output rows whose bits
// `which` holds (bit j for row j): two taps at a time, the bytes of two rows
// interleaved as 16-bit pairs are multiplied-and-added with the pair of
// weights.
template <int Step>
__attribute__((target("avx2"))) void SumChunkAvx2(const uchar* const* rows, uint32_t which, const __m256i* pairs,
                                                  int16_t* const* mids, size_t at)
{
    constexpr int kPairs = 2 * Step;  // 4 * Step taps
    __m256i lows[(kManyRows * Step + 4 * Step) / 2], highs[(kManyRows * Step + 4 * Step) / 2];
    const int firstRow = __builtin_ctz(which), lastRow = 31 - __builtin_clz(which);
    const int pairFrom = Step * firstRow / 2, pairTo = Step * lastRow / 2 + kPairs;
    for (int p = pairFrom; p < pairTo; ++p) {
        const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p] + at)));
        const __m256i b =
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p + 1] + at)));
        lows[p] = _mm256_unpacklo_epi16(a, b);
        highs[p] = _mm256_unpackhi_epi16(a, b);
    }
    const __m256i round = _mm256_set1_epi32(1 << (kMidShift - 1));
    for (uint32_t left = which; left; left &= left - 1) {
        const int j = __builtin_ctz(left);
        const int first = Step * j / 2;
        __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
        for (int p = 0; p < kPairs; ++p) {
            lo = _mm256_add_epi32(lo, _mm256_madd_epi16(lows[first + p], pairs[p]));
            hi = _mm256_add_epi32(hi, _mm256_madd_epi16(highs[first + p], pairs[p]));
        }
        lo = _mm256_srai_epi32(_mm256_add_epi32(lo, round), kMidShift);
        hi = _mm256_srai_epi32(_mm256_add_epi32(hi, round), kMidShift);
        // The unpacking split each lane's bytes into its low and high
        // halves; packing joins them back in order.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(mids[j] + at), _mm256_packs_epi32(lo, hi));
    }
}

// The output rows (bit j for row j) all of whose source rows hold the same
// 32 bytes at `at`. Rows go in groups of Step, one group an output row
// further down: a row's reach is uniform when its first group is and the
// next three are and each joins the one above it unchanged.
template <int Step>
__attribute__((target("avx2"))) uint32_t UniformAvx2(const uchar* const* rows, int count, size_t at)
{
    uint32_t within = 0, joined = 0;  // bit g: group g uniform, and equal to the row above it too
    __m256i prev = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[0] + at));
    for (int g = 0; g < count + 3; ++g) {
        const uchar* const* group = rows + Step * g;
        const __m256i head = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(group[0] + at));
        const __m256i link = _mm256_xor_si256(head, prev);
        __m256i diff = _mm256_setzero_si256();
        prev = head;
        for (int r = 1; r < Step; ++r) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(group[r] + at));
            diff = _mm256_or_si256(diff, _mm256_xor_si256(v, prev));
            prev = v;
        }
        within |= uint32_t(_mm256_testz_si256(diff, diff)) << g;
        const __m256i both = _mm256_or_si256(diff, link);
        joined |= uint32_t(_mm256_testz_si256(both, both)) << g;
    }
    return within & (joined >> 1) & (joined >> 2) & (joined >> 3) & ((1u << count) - 1);
}

// Most of a drawing is flat colour and vertical edges: where every row an
// output row reads holds the same bytes, the weights (summing to one) give
// those bytes exactly, shifted to the sums' 6 bits below the byte, and the
// multiplying is skipped. Finding that costs about a sixth of summing.
template <int Step>
__attribute__((target("avx2"))) void SumManyRowsAvx2(const uchar* const* rows, int count, const int16_t* weights,
                                                     int16_t* const* mids, size_t bytes)
{
    constexpr int kTaps = 4 * Step, kReach = kManyRows * Step + kTaps;
    __m256i pairs[2 * Step];
    for (int p = 0; p < 2 * Step; ++p)
        pairs[p] = _mm256_set1_epi32(int32_t(uint16_t(weights[2 * p])) |
                                     int32_t(uint32_t(uint16_t(weights[2 * p + 1])) << 16));
    const int reach = std::min(kReach, Step * (count - 1) + kTaps);
    const uint32_t all = (1u << count) - 1;
    size_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        // The rows are far apart, too many streams for the processor to
        // foresee: ask for each one's next lines ahead.
        if ((i & 63) == 0)
            for (int r = 0; r < reach; ++r)
                _mm_prefetch(reinterpret_cast<const char*>(rows[r] + i + 384), _MM_HINT_T0);
        const uint32_t uniform = UniformAvx2<Step>(rows, count, i);
        for (uint32_t left = uniform; left; left &= left - 1) {
            const int j = __builtin_ctz(left);
            const uchar* row = rows[Step * j] + i;
            for (int half = 0; half < 2; ++half) {
                const __m256i v =
                    _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 16 * half)));
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(mids[j] + i + 16 * half),
                                    _mm256_slli_epi16(v, kWeightBits - kMidShift));
            }
        }
        if (const uint32_t rest = all & ~uniform) {
            SumChunkAvx2<Step>(rows, rest, pairs, mids, i);
            SumChunkAvx2<Step>(rows, rest, pairs, mids, i + 16);
        }
    }
    for (; i + 16 <= bytes; i += 16)
        SumChunkAvx2<Step>(rows, all, pairs, mids, i);
    if (i < bytes) {
        for (int j = 0; j < count; ++j) {
            const uchar* tail[kTaps];
            for (int t = 0; t < kTaps; ++t)
                tail[t] = rows[Step * j + t] + i;
            SumRowsPortable(tail, weights, kTaps, mids[j] + i, bytes - i);
        }
    }
}

// Four taps of one pixel's four channels a vector: each lane's two taps are
// reordered to channel pairs and multiplied-and-added with their weights.
template <int Groups>
struct ShrinkRowAvx2Weights {
    __m256i w[Groups];
    __m256i order;
};

template <int Groups>
__attribute__((target("avx2"))) inline uint32_t ShrinkPixelAvx2(const int16_t* s, const ShrinkRowAvx2Weights<Groups>& k)
{
    __m256i acc = _mm256_setzero_si256();
    for (int g = 0; g < Groups; ++g) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 16 * g));
        acc = _mm256_add_epi32(acc, _mm256_madd_epi16(_mm256_shuffle_epi8(v, k.order), k.w[g]));
    }
    __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(acc), _mm256_extracti128_si256(acc, 1));
    sum = _mm_srai_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (kOutShift - 1))), kOutShift);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(sum, sum), sum);
    return uint32_t(_mm_cvtsi128_si32(bytes)) | 0xFF000000u;
}

// Output pixels four at a time where the sums they read (3 * factor + taps
// of them, a whole number of vectors) are all the same: the weights sum to
// one, so the four pixels are that sum rounded to the byte, and the
// multiplying is skipped.
template <int Groups>
__attribute__((target("avx2"))) void ShrinkRowAvx2(const int16_t* mid, const int16_t* weights, int factor, int width,
                                                   uchar* out)
{
    ShrinkRowAvx2Weights<Groups> k;
    for (int g = 0; g < Groups; ++g) {
        const auto pair = [&](int t) {
            return int32_t(uint16_t(weights[t])) | int32_t(uint32_t(uint16_t(weights[t + 1])) << 16);
        };
        const int32_t a = pair(4 * g), b = pair(4 * g + 2);
        k.w[g] = _mm256_setr_epi32(a, a, a, a, b, b, b, b);
    }
    // B0 G0 R0 A0 B1 G1 R1 A1 (16-bit) to B0 B1 G0 G1 R0 R1 A0 A1.
    k.order = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0, 1, 8, 9, 2, 3, 10, 11, 4, 5,
                               12, 13, 6, 7, 14, 15);
    int x = 0;
    const int span = 3 * factor + 4 * Groups;
    if (span % 4 == 0) {
        const __m128i round = _mm_set1_epi16(1 << (kOutShift - kWeightBits - 1));
        for (; x + 4 <= width; x += 4, out += 16) {
            const int16_t* s = mid + size_t(factor) * size_t(x) * 4;
            int64_t first;
            std::memcpy(&first, s, 8);
            const __m256i flat = _mm256_set1_epi64x(first);
            __m256i same = _mm256_cmpeq_epi64(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s)), flat);
            for (int v = 1; v < span / 4; ++v)
                same = _mm256_and_si256(
                    same, _mm256_cmpeq_epi64(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 16 * v)), flat));
            if (_mm256_testc_si256(same, _mm256_set1_epi32(-1))) {
                __m128i value = _mm_srai_epi16(_mm_add_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(s)), round),
                                               kOutShift - kWeightBits);
                value = _mm_packus_epi16(value, value);
                const __m128i pixels = _mm_or_si128(_mm_shuffle_epi32(value, 0), _mm_set1_epi32(int(0xFF000000u)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), pixels);
                continue;
            }
            for (int i = 0; i < 4; ++i) {
                const uint32_t pixel = ShrinkPixelAvx2<Groups>(s + size_t(factor) * size_t(i) * 4, k);
                std::memcpy(out + 4 * i, &pixel, 4);
            }
        }
    }
    for (; x < width; ++x, out += 4) {
        const uint32_t pixel = ShrinkPixelAvx2<Groups>(mid + size_t(factor) * size_t(x) * 4, k);
        std::memcpy(out, &pixel, 4);
    }
}

#endif

// Output rows [y, y + count)'s vertical sums of the source bytes
// [at, at + bytes), 6 bits below the byte; count is at most kManyRows, and
// the rows read at most kReadRows.
constexpr int kReadRows = 128;
void SumRows(const QImage& src, int srcTop, int srcHeight, int y, int count, const ShrinkKernel& k, size_t at,
             size_t bytes, int16_t* const* mids)
{
    const uchar* rows[kReadRows];
    const int taps = std::min(k.Taps(), 64);
    const int reach = k.factor * (count - 1) + taps;
    for (int r = 0; r < reach; ++r)
        rows[r] = src.constScanLine(std::clamp(k.factor * y + k.first + r, 0, srcHeight - 1) - srcTop) + at;
#ifdef KAVO_HAVE_AVX2_SHRINK
    if (UseAvx2() && taps == 4 * k.factor && (k.factor == 2 || k.factor == 4)) {
        if (k.factor == 2)
            SumManyRowsAvx2<2>(rows, count, k.weights.data(), mids, bytes);
        else
            SumManyRowsAvx2<4>(rows, count, k.weights.data(), mids, bytes);
        return;
    }
#endif
    for (int j = 0; j < count; ++j)
        SumRowsPortable(rows + k.factor * j, k.weights.data(), taps, mids[j], bytes);
}

// One output row from its vertical sums (edges repeated around them).
void ShrinkRow(const int16_t* mid, const ShrinkKernel& k, int width, uchar* out)
{
#ifdef KAVO_HAVE_AVX2_SHRINK
    if (UseAvx2()) {
        switch (k.Taps()) {
        case 4: ShrinkRowAvx2<1>(mid, k.weights.data(), k.factor, width, out); return;
        case 8: ShrinkRowAvx2<2>(mid, k.weights.data(), k.factor, width, out); return;
        case 16: ShrinkRowAvx2<4>(mid, k.weights.data(), k.factor, width, out); return;
        default: break;
        }
    }
#endif
    ShrinkRowPortable(mid, k.weights.data(), k.Taps(), k.factor, width, out);
}

} // namespace

int ShrinkKernel::SourceFrom(int from) const
{
    return std::max(0, factor * from + first);
}

int ShrinkKernel::SourceTo(int to, int extent) const
{
    return std::min(extent, factor * (to - 1) + first + Taps());
}

ShrinkKernel MakeShrinkKernel(int factor)
{
    ShrinkKernel k;
    k.factor = std::max(1, factor);
    // Output pixel i is centred on source position factor * i + centre; the
    // kernel reaches 2 output pixels, 2 * factor source pixels, either way.
    const double centre = (k.factor - 1) / 2.0;
    k.first = int(std::floor(centre - 2.0 * k.factor)) + 1;
    const int taps = 4 * k.factor;
    std::vector<double> w(static_cast<size_t>(taps));
    double total = 0;
    for (int t = 0; t < taps; ++t)
        total += w[size_t(t)] = Cubic((k.first + t - centre) / k.factor);
    int sum = 0;
    for (int t = 0; t < taps; ++t) {
        k.weights.push_back(int16_t(std::lround(w[size_t(t)] / total * (1 << kWeightBits))));
        sum += k.weights.back();
    }
    // The weights sum exactly to one, so a flat colour stays that colour.
    k.weights[size_t(taps / 2)] = int16_t(k.weights[size_t(taps / 2)] + (1 << kWeightBits) - sum);
    return k;
}

QImage ShrinkRows(const QImage& src, int srcTop, int srcHeight, int y0, int y1, const ShrinkKernel& k)
{
    const int width = src.width() / k.factor;
    QImage out(width, y1 - y0, QImage::Format_RGB32);
    if (out.isNull() || width <= 0)
        return {};
    const int srcWidth = src.width();
    // Blocks of output columns, every row of a block before the next block:
    // the source rows' stretch a block reads then stays in the cache while
    // each of its rows is read by the several output rows that reach it.
    constexpr int kBlock = 128;
    const size_t midLength = size_t(kBlock * k.factor + k.Taps()) * 4;
    std::vector<int16_t> mid(midLength * kManyRows);
    for (int x0 = 0; x0 < width; x0 += kBlock) {
        const int x1 = std::min(width, x0 + kBlock);
        // The source columns the block reads, and those of them in the
        // picture; the others repeat its edge columns.
        const int lo = k.factor * x0 + k.first, hi = k.factor * (x1 - 1) + k.first + k.Taps();
        const int inLo = std::max(lo, 0), inHi = std::min(hi, srcWidth);
        for (int y = y0; y < y1; y += kManyRows) {
            const int count =
                std::min({kManyRows, y1 - y, std::max(1, (kReadRows - k.Taps()) / k.factor + 1)});
            int16_t* inside[kManyRows];
            for (int j = 0; j < count; ++j)
                inside[j] = mid.data() + midLength * size_t(j) + size_t(inLo - lo) * 4;
            SumRows(src, srcTop, srcHeight, y, count, k, size_t(inLo) * 4, size_t(inHi - inLo) * 4, inside);
            for (int j = 0; j < count; ++j) {
                int16_t* row = mid.data() + midLength * size_t(j);
                for (int c = lo; c < inLo; ++c)
                    std::copy_n(inside[j], 4, row + size_t(c - lo) * 4);
                for (int c = inHi; c < hi; ++c)
                    std::copy_n(inside[j] + size_t(inHi - 1 - inLo) * 4, 4, row + size_t(c - lo) * 4);
                ShrinkRow(row, k, x1 - x0, out.scanLine(y + j - y0) + size_t(x0) * 4);
            }
        }
    }
    return out;
}
