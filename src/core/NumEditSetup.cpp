#include "core/NumEditSetup.h"

#include "core/MsgBox.h"
#include "core/Units.h"
#include "platform/NumText.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {
constexpr double kLogicalPerInch = 256.0;
constexpr double kCmPerShownInch = 2.56;      // the program's centimetre, not 2.54
constexpr double kShownCmToInch = 0.390625;   // 1 / 2.56

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// What may follow the number: the literal tail of an integer format ("%",
// "pts"), the unit word of a measure, "pt" of a line size.
std::string UnitWord(const CNumEditSpec& spec)
{
    if (spec.kind == NUM_MEASURE)
        return spec.metric ? "cm" : "in";
    if (spec.kind == NUM_SIZE_CODE)
        return "pt";
    std::string tail;
    const size_t at = spec.format.find("%d");
    for (size_t i = at == std::string::npos ? 0 : at + 2; i < spec.format.size(); ++i)
        if (spec.format[i] != '%' || (i > 0 && spec.format[i - 1] == '%'))
            tail += spec.format[i];
    return std::string(Trim(tail));
}

bool TailIsUnit(const CNumEditSpec& spec, std::string_view tail)
{
    tail = Trim(tail);
    return tail.empty() || tail == UnitWord(spec);
}

// The factor from stored units to shown numbers.
double ShownPerStored(const CNumEditSpec& spec)
{
    double f = spec.kind == NUM_MEASURE ? 1.0 / kLogicalPerInch : 1.0;
    if (spec.metric && (spec.kind == NUM_MEASURE || spec.kind == NUM_REAL))
        f *= kCmPerShownInch;
    return f;
}

double StoredPerShown(const CNumEditSpec& spec)
{
    double f = spec.kind == NUM_MEASURE ? kLogicalPerInch : 1.0;
    if (spec.metric && (spec.kind == NUM_MEASURE || spec.kind == NUM_REAL))
        f *= kShownCmToInch;
    return f;
}

double RoundHalfUp(double v, double unit) { return std::floor(v / unit + 0.5) * unit; }

void ShownRealRange(const CNumEditSpec& spec, double& lo, double& hi)
{
    const double f = spec.kind == NUM_SIZE_CODE ? 1.0 : ShownPerStored(spec);
    lo = RoundHalfUp(*spec.realMinSource * f, 0.01);
    hi = RoundHalfUp(*spec.realMaxSource * f, 0.01);
}

// "a", "a/b" or "w n/d", then an optional unit word.
std::optional<double> ParseRealText(const CNumEditSpec& spec, std::string_view text)
{
    size_t used = 0;
    auto first = ScanDouble(text, &used);
    if (!first)
        return std::nullopt;
    double value = *first;
    std::string_view rest = text.substr(used);
    size_t slash = rest.find('/');
    if (slash != std::string_view::npos && Trim(rest.substr(0, slash)).size() > 0) {
        // A mixed number: the whole part, then the fraction.
        size_t numUsed = 0;
        auto numerator = ScanDouble(rest, &numUsed);
        if (!numerator || Trim(rest.substr(numUsed, slash - numUsed)).size() > 0 || *numerator < 0)
            return std::nullopt;
        size_t denUsed = 0;
        auto denominator = ScanDouble(rest.substr(slash + 1), &denUsed);
        if (!denominator || *denominator == 0.0)
            return std::nullopt;
        const double fraction = *numerator / *denominator;
        value = value < 0 || std::signbit(value) ? value - fraction : value + fraction;
        rest = rest.substr(slash + 1 + denUsed);
    } else if (slash != std::string_view::npos) {
        size_t denUsed = 0;
        auto denominator = ScanDouble(rest.substr(slash + 1), &denUsed);
        if (!denominator || *denominator == 0.0)
            return std::nullopt;
        value /= *denominator;
        rest = rest.substr(slash + 1 + denUsed);
    }
    if (!std::isfinite(value) || !TailIsUnit(spec, rest))
        return std::nullopt;
    return value;
}

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

int StepInt(int value, int step, int lo, int hi, bool up)
{
    if (step <= 0)
        step = 1;
    if (up ? value >= hi : value <= lo)
        return value;
    const long long next = up ? (FloorDiv(value, step) + 1) * step : (CeilDiv(value, step) - 1) * step;
    return int(std::clamp<long long>(next, lo, hi));
}
} // namespace

CNumEditSpec::CNumEditSpec(const CNumEditSpec& other) { *this = other; }

CNumEditSpec& CNumEditSpec::operator=(const CNumEditSpec& other)
{
    if (this == &other)
        return *this;
    kind = other.kind;
    selectAll = other.selectAll;
    enterCommits = other.enterCommits;
    spin = other.spin;
    owner = other.owner;
    decimals = other.decimals;
    format = other.format;
    setFlag = other.setFlag;
    blankWhileUnset = other.blankWhileUnset;
    realMin = other.realMin;
    realMax = other.realMax;
    realMinSource = other.realMinSource == &other.realMin ? &realMin : other.realMinSource;
    realMaxSource = other.realMaxSource == &other.realMax ? &realMax : other.realMaxSource;
    realStep = other.realStep;
    realValue = other.realValue;
    intMin = other.intMin;
    intMax = other.intMax;
    intMinSource = other.intMinSource == &other.intMin ? &intMin : other.intMinSource;
    intMaxSource = other.intMaxSource == &other.intMax ? &intMax : other.intMaxSource;
    intStep = other.intStep;
    intValue = other.intValue;
    metric = other.metric;
    compact = other.compact;
    errorId = other.errorId;
    return *this;
}

void CNumEditSpec::Reset() { *this = CNumEditSpec(); }

void CNumEditSpec::SetIntKind(int k, const char* fmt, int defaultError, QWidget* dlg, int min, int max,
                              int* value, int error, bool spinOn, int step, int* minSource, int* maxSource)
{
    Reset();
    owner = dlg;
    if (!dlg)
        return;
    intValue = value;
    if (!value)
        return;
    kind = k;
    format = fmt;
    intMin = min;
    intMax = max;
    errorId = error ? error : defaultError;
    spin = spinOn;
    intStep = step;
    intMinSource = minSource ? minSource : &intMin;
    intMaxSource = maxSource ? maxSource : &intMax;
}

void CNumEditSpec::SetInt(QWidget* dlg, int min, int max, int* value, int error, bool spinOn, int step,
                          int* minSource, int* maxSource)
{
    SetIntKind(NUM_INT, "%d", IDS_NUM_RANGE, dlg, min, max, value, error, spinOn, step, minSource, maxSource);
}

void CNumEditSpec::SetPercent(QWidget* dlg, int min, int max, int* value, int error, bool spinOn, int step,
                              int* minSource, int* maxSource)
{
    SetIntKind(NUM_PERCENT, "%d%%", IDS_PERCENT_RANGE, dlg, min, max, value, error, spinOn, step, minSource,
               maxSource);
}

void CNumEditSpec::SetPoints(QWidget* dlg, int min, int max, int* value, int error, bool spinOn, int step,
                             int* minSource, int* maxSource)
{
    SetIntKind(NUM_POINTS, "%d pts", IDS_NUM_RANGE, dlg, min, max, value, error, spinOn, step, minSource,
               maxSource);
}

void CNumEditSpec::SetReal(QWidget* dlg, double min, double max, int* sizeCode, int error, bool spinOn,
                           double step, double* minSource, double* maxSource)
{
    Reset();
    owner = dlg;
    if (!dlg)
        return;
    intValue = sizeCode;
    if (!sizeCode)
        return;
    kind = NUM_SIZE_CODE;
    realMin = min;
    realMax = max;
    errorId = error ? error : IDS_NUM_RANGE;
    spin = spinOn;
    realStep = step;
    realMinSource = minSource ? minSource : &realMin;
    realMaxSource = maxSource ? maxSource : &realMax;
}

void CNumEditSpec::SetRealKind(int k, QWidget* dlg, double min, double max, double* value, bool metricOn,
                               bool compactOn, int decimalCount, int error, bool spinOn, double step,
                               double* minSource, double* maxSource)
{
    Reset();
    owner = dlg;
    if (!dlg)
        return;
    realValue = value;
    if (!value)
        return;
    kind = k;
    format = "%f";
    realMin = min;
    realMax = max;
    metric = metricOn;
    compact = compactOn;
    decimals = decimalCount;
    errorId = error;
    spin = spinOn;
    realStep = step;
    realMinSource = minSource ? minSource : &realMin;
    realMaxSource = maxSource ? maxSource : &realMax;
}

void CNumEditSpec::SetMeasure(QWidget* dlg, double min, double max, double* value, bool metricOn, bool compactOn,
                              int decimalCount, int error, bool spinOn, double step, double* minSource,
                              double* maxSource)
{
    SetRealKind(NUM_MEASURE, dlg, min, max, value, metricOn, compactOn, decimalCount, error, spinOn, step,
                minSource, maxSource);
}

void CNumEditSpec::SetRealValue(QWidget* dlg, double min, double max, double* value, bool metricOn,
                                bool compactOn, int decimalCount, int error, bool spinOn, double step,
                                double* minSource, double* maxSource)
{
    SetRealKind(NUM_REAL, dlg, min, max, value, metricOn, compactOn, decimalCount, error, spinOn, step,
                minSource, maxSource);
}

void CNumEditSpec::BindResult(int* flag, bool blank)
{
    setFlag = flag;
    blankWhileUnset = blank;
    if (flag)
        *flag = 0;
}

std::string FormatCompactReal(double value, int decimals)
{
    std::string text = FormatFixed(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    if (text.size() > 1 && text[0] == '0' && text[1] == '.')
        text.erase(0, 1);
    else if (text.size() > 2 && text[0] == '-' && text[1] == '0' && text[2] == '.')
        text.erase(1, 1);
    return text;
}

std::string FormatNumValue(const CNumEditSpec& spec)
{
    if (!spec.HasValue())
        return {};
    if (spec.IsIntegerKind())
        return StrPrintf(spec.format.c_str(), *spec.intValue);
    if (spec.kind == NUM_SIZE_CODE) {
        const double points = SizeCodeToValue(*spec.intValue);
        static constexpr int kFractions[][2] = {{1, 2}, {1, 3}, {2, 3}, {1, 4}, {3, 4},
                                                {1, 5}, {1, 8}, {1, 10}, {1, 16}, {1, 32}};
        for (const auto& f : kFractions)
            if (std::fabs(points - double(f[0]) / f[1]) < 1e-9)
                return StrPrintf("%d/%d pt", f[0], f[1]);
        return FormatCompactReal(points, spec.decimals) + " pt";
    }
    const double shown = *spec.realValue * ShownPerStored(spec);
    std::string text = spec.compact ? FormatCompactReal(shown, spec.decimals) : FormatFixed(shown, spec.decimals);
    if (spec.kind == NUM_MEASURE)
        text += spec.metric ? " cm" : " in";
    return text;
}

std::string FormatFontSizeText(int size)
{
    return size == 0 ? std::string() : StrPrintf("%d", size < 0 ? -size : size);
}

std::optional<NumValue> ParseNumText(const CNumEditSpec& spec, const std::string& text)
{
    NumValue out;
    if (spec.IsIntegerKind()) {
        size_t used = 0;
        auto value = ScanInt(text, &used);
        if (!value || !TailIsUnit(spec, std::string_view(text).substr(used)))
            return std::nullopt;
        // ScanInt clamps: a number past the int range is refused, not clamped.
        auto exact = ScanDouble(std::string_view(text).substr(0, used));
        if (!exact || *exact != double(*value))
            return std::nullopt;
        if (*value < *spec.intMinSource || *value > *spec.intMaxSource)
            return std::nullopt;
        out.intValue = *value;
        return out;
    }
    if (!spec.IsRealKind())
        return std::nullopt;
    auto shown = ParseRealText(spec, text);
    if (!shown)
        return std::nullopt;
    double lo = 0, hi = 0;
    ShownRealRange(spec, lo, hi);
    if (!(*shown >= lo && *shown <= hi))
        return std::nullopt;
    if (spec.kind == NUM_SIZE_CODE)
        out.intValue = SizeValueToCode(*shown);
    else
        out.realValue = *shown * StoredPerShown(spec);
    return out;
}

std::string NumRangeMessage(const CNumEditSpec& spec)
{
    const char* message = spec.errorId ? FindResString(UINT(spec.errorId)) : nullptr;
    if (!message)
        return {};
    if (spec.IsIntegerKind())
        return FormatWithTexts(message, {StrPrintf("%d", *spec.intMinSource), StrPrintf("%d", *spec.intMaxSource)});
    double lo = 0, hi = 0;
    ShownRealRange(spec, lo, hi);
    return FormatWithTexts(message, {FormatCompactReal(lo, 2), FormatCompactReal(hi, 2)});
}

void StoreNumValue(const CNumEditSpec& spec, const NumValue& value)
{
    if (!spec.HasValue())
        return;
    if (spec.IsIntegerKind() || spec.kind == NUM_SIZE_CODE)
        *spec.intValue = value.intValue;
    else
        *spec.realValue = value.realValue;
}

void StepNumValue(const CNumEditSpec& spec, bool up)
{
    if (!spec.HasValue())
        return;
    if (spec.IsIntegerKind()) {
        *spec.intValue = StepInt(*spec.intValue, spec.intStep, *spec.intMinSource, *spec.intMaxSource, up);
        return;
    }
    if (spec.kind == NUM_SIZE_CODE) {
        const int lo = SizeValueToCode(*spec.realMinSource), hi = SizeValueToCode(*spec.realMaxSource);
        int code = *spec.intValue;
        const double size = SizeCodeToValue(code);
        if (up)
            code = code > 3 ? SizeValueToCode(std::round(size) + 1) : code + 1;
        else
            code = code > 4 ? SizeValueToCode(std::round(size) - 1) : code - 1;
        *spec.intValue = std::clamp(code, std::min(lo, hi), std::max(lo, hi));
        return;
    }
    const double lo = *spec.realMinSource, hi = *spec.realMaxSource;
    const double step = spec.realStep > 0 ? spec.realStep : 1.0;
    double v = *spec.realValue;
    if (up ? v >= hi : v <= lo)
        return;
    // A value within a thousandth of a multiple counts as on it.
    const double k = v / step, whole = std::round(k);
    const bool onMultiple = std::fabs(k - whole) < 1e-6;
    double next = up ? (onMultiple ? whole + 1 : std::floor(k) + 1) * step
                     : (onMultiple ? whole - 1 : std::ceil(k) - 1) * step;
    next = std::clamp(next, lo, hi);
    *spec.realValue = std::round(next * 1000.0) / 1000.0;
}
