#include "core/NumericHelpers.h"

#include "platform/NumText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {
struct Fraction {
    double value;
    float valueF;
    int num;
    int den;
};

// Tested in this order; each carries its double and its float value.
constexpr Fraction kFractions[] = {
    {0.5, 0.5f, 1, 2},         {1.0 / 3, 0.33333334f, 1, 3}, {2.0 / 3, 0.6666667f, 2, 3},
    {0.25, 0.25f, 1, 4},       {0.75, 0.75f, 3, 4},          {0.2, 0.2f, 1, 5},
    {0.125, 0.125f, 1, 8},     {0.1, 0.1f, 1, 10},           {0.0625, 0.0625f, 1, 16},
    {0.03125, 0.03125f, 1, 32},
};

constexpr int kMaxAspectSide = 32767;
constexpr int kMaxIterations = 50;

std::string Compact(std::string text)
{
    if (text.find('.', 1) != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    if (text.compare(0, 2, "0.") == 0)
        text.erase(0, 1);
    // A negative value that rounds to zero prints as "-0": show plain zero.
    if (text == "-0")
        text = "0";
    return text;
}

template <typename T>
void RoundInPlace(T& value, int decimals)
{
    if (decimals < 0 || decimals > 15)
        return;
    double scale = std::pow(10.0, decimals);
    double scaled = std::floor(double(value) * scale + 0.5);
    double result = scaled / scale;
    if (std::isfinite(result))
        value = T(result);
}

// Compares the value with the fractions' constants of its own precision.
template <typename T>
bool FormatFractionOf(T value, T Fraction::*constant, std::string& text)
{
    for (const Fraction& f : kFractions)
        if (value == f.*constant) {
            text = StrPrintf("%d/%d", f.num, f.den);
            return true;
        }
    text.clear();
    return false;
}

int ClampToInt(long long v)
{
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}
} // namespace

bool FormatFraction(float value, std::string& text)
{
    return FormatFractionOf(value, &Fraction::valueF, text);
}

bool FormatFraction(double value, std::string& text)
{
    return FormatFractionOf(value, &Fraction::value, text);
}

std::string FormatDecimal(float value, int precision)
{
    return FormatDecimal(double(value), precision);
}

std::string FormatDecimal(double value, int precision)
{
    // A printf precision above a few dozen digits says nothing more.
    precision = std::clamp(precision, 0, 40);
    return Compact(StrPrintf("%.*f", precision, value));
}

void RoundToDecimals(float& value, int decimals)
{
    RoundInPlace(value, decimals);
}

void RoundToDecimals(double& value, int decimals)
{
    RoundInPlace(value, decimals);
}

void ClampInt(int& value, int min, int max)
{
    if (value < min)
        value = min;
    else if (value > max)
        value = max;
}

void ClampDouble(double& value, double min, double max)
{
    if (std::isnan(value) || value < min)
        value = min;
    else if (value > max)
        value = max;
}

void ClampFloat(float& value, float min, float max)
{
    if (std::isnan(value) || value < min)
        value = min;
    else if (value > max)
        value = max;
}

int ScaleRounded(int a, int b, int c)
{
    if (a == 0 || b == 0)
        return 0;
    if (a == b)
        return c;
    double v = double(a) * double(c) / double(b) + 0.5;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v);
}

bool IsMultipleOf(double a, double b)
{
    // Beyond 2^53 thousandths the modulo says nothing (and llround overflows).
    constexpr double kLimit = 9.0e15;
    double am = a * 1000.0;
    double bm = b * 1000.0;
    if (!(std::fabs(am) < kLimit) || !(std::fabs(bm) < kLimit))
        return false;
    long long ai = std::llround(am);
    long long bi = std::llround(bm);
    if (bi == 0)
        return false;
    return ai % bi == 0;
}

int IndexOfMax(const int* values, int count)
{
    if (!values || count < 1)
        return -1;
    int best = 0;
    for (int i = 1; i < count; ++i)
        if (values[i] > values[best])
            best = i;
    return best;
}

bool FitSizeKeepAspect(int W, int H, int AW, int AH, int& outWidth, int& outHeight, int fit)
{
    if (AW == 0 || AH == 0)
        return false;
    long long w = (long long)H * AW / AH;
    if (w > kMaxAspectSide)
        return false;
    long long rw;
    long long rh;
    bool byWidth = fit ? (W < w) : (W >= w);
    if (byWidth) {
        rw = W;
        rh = (long long)W * AH / AW;
        if (rh > kMaxAspectSide)
            return false;
    } else {
        rw = w;
        rh = H;
    }
    outWidth = ClampToInt(rw);
    outHeight = ClampToInt(rh);
    return outWidth != W || outHeight != H;
}

bool FitSizeCenteredInRect(CRect& rect, int aspectWidth, int aspectHeight)
{
    int w = 0;
    int h = 0;
    int oldW = rect.Width();
    int oldH = rect.Height();
    if (!FitSizeKeepAspect(oldW, oldH, aspectWidth, aspectHeight, w, h, 1))
        return false;
    rect.left += (oldW - w) / 2;
    rect.right = std::min<int>(rect.right, rect.left + w);
    rect.top += (oldH - h) / 2;
    rect.bottom = std::min<int>(rect.bottom, rect.top + h);
    return true;
}

bool CoverRectKeepAspect(CRect& rect, int aspectWidth, int aspectHeight)
{
    int w = 0;
    int h = 0;
    int oldW = rect.Width();
    int oldH = rect.Height();
    if (!FitSizeKeepAspect(oldW, oldH, aspectWidth, aspectHeight, w, h, 0))
        return false;
    rect.left -= (w - oldW) / 2;
    rect.right = std::max<int>(rect.right, rect.left + w);
    rect.top -= (h - oldH) / 2;
    rect.bottom = std::max<int>(rect.bottom, rect.top + h);
    return true;
}

long double RadiansToDeg(float radians)
{
    return radians * 57.29582790879778L;
}

long double PointsToLogicalF(float points)
{
    return points * 3.5555556L;
}

long double LogicalToPointsF(float units)
{
    return units * 0.28125L;
}

long double MulOnePointFive(float value)
{
    return value * 1.5L;
}

long double MulTwoThirds(float value)
{
    return value * 0.6666667L;
}

namespace {
// The state of one IterateToTarget search: arguments are 64-bit so that the
// doubling steps cannot overflow before the range check stops them.
class CTargetSearch {
public:
    CTargetSearch(int target, int low, int high, const std::function<int(int)>& f)
        : m_target(target), m_low(low), m_high(high), m_f(f)
    {
    }

    bool Eval(long long e, int& v)
    {
        if (m_evals >= kMaxIterations)
            return false;
        ++m_evals;
        v = m_f(int(e));
        return true;
    }
    bool Inside(long long e) const { return e > m_low && e < m_high; }

    // Moves outward from e while the function keeps giving the target.
    long long Widen(long long e, int direction)
    {
        for (;;) {
            long long d = 1;
            int v = 0;
            while (Inside(e + direction * d) && Eval(e + direction * d, v) && v == m_target)
                d *= 2;
            if (d == 1)
                return e;
            e += direction * (d / 2);
        }
    }

    const int m_target;
    const long long m_low;
    const long long m_high;
    const std::function<int(int)>& m_f;
    int m_evals = 0;
};
} // namespace

int IterateToTarget(int& value, int target, int widen, int low, int high, int start,
                    const std::function<int(int)>& function)
{
    if (!function)
        return kIterFailed;
    CTargetSearch s(target, low, high, function);
    long long e = start;
    long long prev = start;
    int prevV = 0;
    bool prevSide = false;
    long long step = 0;
    long long lastMove = 0;
    for (;;) {
        int v = 0;
        if (!s.Eval(e, v))
            return kIterFailed;
        if (v == target)
            break;
        bool side = v < target;
        if (step == 0 || side == prevSide) {
            step = step == 0 ? 1 : step * 2;
            prev = e;
            prevV = v;
            prevSide = side;
            e += side ? step : -step;
            lastMove = step;
            if (!s.Inside(e))
                return kIterFailed;
            continue;
        }
        // Overshoot: the target lies between prev and e.
        if (step == 1 || lastMove < 2) {
            bool prevNearer = std::llabs((long long)prevV - target) < std::llabs((long long)v - target);
            value = int(prevNearer ? prev : e);
            return kIterNearest;
        }
        long long mid = e + (prev - e) / 2;
        lastMove = std::llabs(mid - e);
        prev = e;
        prevV = v;
        prevSide = side;
        e = mid;
        step = 0;
    }
    if (widen != kIterWidenNone)
        e = s.Widen(e, widen == kIterWidenUp ? 1 : -1);
    value = int(e);
    return kIterFound;
}
