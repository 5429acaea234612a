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

// One output row's vertical sums of every source byte, 6 bits below the byte.
void SumRows(const QImage& src, int srcTop, int srcHeight, int y, const ShrinkKernel& k, std::vector<int32_t>& acc,
             int16_t* mid)
{
    const size_t bytes = acc.size();
    std::fill(acc.begin(), acc.end(), 0);
    for (int t = 0; t < k.Taps(); ++t) {
        const int row = std::clamp(k.factor * y + k.first + t, 0, srcHeight - 1) - srcTop;
        const uchar* s = src.constScanLine(row);
        const int32_t w = k.weights[size_t(t)];
        int32_t* a = acc.data();
        for (size_t i = 0; i < bytes; ++i)
            a[i] += int32_t(s[i]) * w;
    }
    for (size_t i = 0; i < bytes; ++i)
        mid[i] = int16_t((acc[i] + (1 << (kMidShift - 1))) >> kMidShift);
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
        uchar* o = out.scanLine(y - y0);
        for (int x = 0; x < width; ++x, o += 4) {
            const int16_t* s = mid.data() + size_t(k.factor * x + k.first + padLeft) * 4;
            int32_t sum[3] = {0, 0, 0};
            for (int t = 0; t < k.Taps(); ++t, s += 4) {
                const int32_t w = k.weights[size_t(t)];
                sum[0] += s[0] * w;
                sum[1] += s[1] * w;
                sum[2] += s[2] * w;
            }
            for (int c = 0; c < 3; ++c)
                o[c] = uchar(std::clamp((sum[c] + (1 << (kOutShift - 1))) >> kOutShift, 0, 255));
            o[3] = 0xFF;
        }
    }
    return out;
}
