#include "graphics/BicubicShrink.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kWeightBits = 14;
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

// The shrinking's inner loops take most of a large export's time: where the
// processor has wider vector units they are compiled for them too, and the
// same results come out either way (integer arithmetic).
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define KAVO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KAVO_VECTOR_CLONES
#endif

KAVO_VECTOR_CLONES void AddWeightedRow(const uchar* s, int32_t w, int32_t* a, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
        a[i] += int32_t(s[i]) * w;
}

KAVO_VECTOR_CLONES void NarrowRow(const int32_t* a, int16_t* mid, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
        mid[i] = int16_t((a[i] + (1 << (kMidShift - 1))) >> kMidShift);
}

// One output row's vertical sums of every source byte, 6 bits below the byte.
void SumRows(const QImage& src, int srcTop, int srcHeight, int y, const ShrinkKernel& k, std::vector<int32_t>& acc,
             int16_t* mid)
{
    std::fill(acc.begin(), acc.end(), 0);
    for (int t = 0; t < k.Taps(); ++t) {
        const int row = std::clamp(k.factor * y + k.first + t, 0, srcHeight - 1) - srcTop;
        AddWeightedRow(src.constScanLine(row), k.weights[size_t(t)], acc.data(), acc.size());
    }
    NarrowRow(acc.data(), mid, acc.size());
}

// One output row from its vertical sums (edges repeated around them).
KAVO_VECTOR_CLONES void ShrinkRow(const int16_t* mid, const int16_t* weights, int taps, int factor, int width,
                                  uchar* out)
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
    // A row of vertical sums with the edge pixels repeated on either side,
    // so every output pixel reads its taps without a bounds check.
    const int padLeft = std::max(0, -k.first);
    const int padRight = std::max(0, k.first + k.Taps() - k.factor);
    std::vector<int32_t> acc(size_t(srcWidth) * 4);
    std::vector<int16_t> mid(size_t(padLeft + srcWidth + padRight) * 4);
    for (int y = y0; y < y1; ++y) {
        int16_t* row = mid.data() + size_t(padLeft) * 4;
        SumRows(src, srcTop, srcHeight, y, k, acc, row);
        for (int p = 0; p < padLeft; ++p)
            std::copy_n(row, 4, mid.data() + size_t(p) * 4);
        for (int p = 0; p < padRight; ++p)
            std::copy_n(row + size_t(srcWidth - 1) * 4, 4, row + size_t(srcWidth + p) * 4);
        ShrinkRow(mid.data() + size_t(k.first + padLeft) * 4, k.weights.data(), k.Taps(), k.factor, width,
                  out.scanLine(y - y0));
    }
    return out;
}
