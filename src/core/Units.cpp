#include "core/Units.h"

#include "core/Settings.h"
#include "platform/StringTable.h"

#include <climits>
#include <cmath>

namespace {
constexpr unsigned kInchNameId = 473;
constexpr unsigned kCentimetreNameId = 474;
constexpr unsigned kPointNameId = 477;

// Size codes with a fixed meaning: the code of each common point size.
constexpr int kFixedSizes[] = {10, 19, 28, 37, 46, 55, 64};
constexpr int kFixedCodes[] = {36, 68, 100, 132, 164, 196, 228};

// Nearest integer (halves away from zero), clamped to the int range; NaN is 0.
int RoundToInt(double v)
{
    if (std::isnan(v))
        return 0;
    double r = std::round(v);
    if (r >= double(INT_MAX))
        return INT_MAX;
    if (r <= double(INT_MIN))
        return INT_MIN;
    return int(r);
}

void AppendResName(std::string& text, unsigned id)
{
    const char* name = FindResString(id);
    text += ' ';
    text += name ? name : "";
}
} // namespace

double LogicalToInches(int units)
{
    return units * 0.00390625;
}

double LogicalToCentimetres(int units)
{
    return units * 0.01;
}

double LogicalToUserUnits(int units)
{
    return Metric ? LogicalToCentimetres(units) : LogicalToInches(units);
}

// Rounded rather than truncated: a typed "2.01" cm is 200.99999... units in
// binary floating point and must come back as 201, or every OK of a dialog
// would shrink the length by one unit.
int CentimetresToLogical(double value)
{
    return RoundToInt(value * 100.0);
}

int InchesToLogical(double value)
{
    return RoundToInt(value * 256.0);
}

int UserUnitsToLogical(double value)
{
    return Metric ? CentimetresToLogical(value) : InchesToLogical(value);
}

void AppendUserUnitName(std::string& text)
{
    AppendResName(text, Metric ? kCentimetreNameId : kInchNameId);
}

void AppendPointUnitName(std::string& text)
{
    AppendResName(text, kPointNameId);
}

int SizeValueToCode(double points)
{
    if (!(points > 0))
        return 0;
    if (points <= 0.36)
        return 1;
    if (points <= 0.66)
        return 2;
    if (points <= 0.86)
        return 3;
    for (size_t i = 0; i < std::size(kFixedSizes); ++i)
        if (std::fabs(points - kFixedSizes[i]) <= 0.125)
            return kFixedCodes[i];
    double code = points * 3.5555556 + 0.5;
    return code >= double(INT_MAX) ? INT_MAX : int(code);
}

double SizeCodeToValue(int code)
{
    if (code >= 0 && code <= 4)
        return code * 0.25;
    for (size_t i = 0; i < std::size(kFixedCodes); ++i)
        if (code == kFixedCodes[i])
            return kFixedSizes[i];
    // c × 9/32 to the nearest quarter point; 64-bit so that no code overflows.
    long long quarters = static_cast<long long>(code * 0.28125 * 4 + 0.5);
    return quarters * 0.25;
}
