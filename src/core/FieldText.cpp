#include "core/FieldText.h"

#include "core/MsgBox.h"
#include "core/NumericHelpers.h"
#include "core/StringHelpers.h"
#include "core/Units.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"

#include <cmath>

namespace {
template <typename T>
std::string FormatNumber(T value, int decimals, bool decimalFlag, bool fractionFlag)
{
    std::string text;
    if (fractionFlag && FormatFraction(value, text))
        return text;
    if (decimalFlag)
        return FormatDecimal(value, decimals);
    return FormatFixed(double(value), std::max(decimals, 0));
}

void ShowRangeMessage(UINT msgId, double min, double max, int decimals)
{
    if (msgId == 0)
        return;
    std::string minText = FormatDecimal(min, decimals);
    std::string maxText = FormatDecimal(max, decimals);
    MsgBoxResTexts(MB_ICONEXCLAMATION, msgId, {minText, maxText});
}
} // namespace

bool ParseFieldNumber(std::string_view text, double& value)
{
    size_t used = 0;
    std::optional<double> v = ScanDouble(text, &used);
    if (!v)
        return false;
    double result = *v;
    size_t slash = text.find('/', used);
    if (slash != std::string_view::npos && slash + 1 < text.size()) {
        std::optional<double> divisor = ScanDouble(text.substr(slash + 1));
        if (!divisor || *divisor == 0)
            return false;
        result /= *divisor;
    }
    if (!std::isfinite(result))
        return false;
    value = result;
    return true;
}

bool ReadFieldNumber(std::string_view text, double& value, double min, double max,
                     int decimals, UINT msgId)
{
    RoundToDecimals(min, decimals);
    RoundToDecimals(max, decimals);
    double v = 0;
    // Written so that a NaN limit or value fails the check.
    if (!ParseFieldNumber(text, v) || !(min <= v && v <= max)) {
        ShowRangeMessage(msgId, min, max, decimals);
        return false;
    }
    value = v;
    return true;
}

bool ReadSizeCodeText(std::string_view text, int& code, double min, double max, int decimals,
                      UINT msgId)
{
    double v = 0;
    if (!ReadFieldNumber(text, v, min, max, decimals, msgId))
        return false;
    code = SizeValueToCode(v);
    return true;
}

bool ReadIntOrAsIsText(std::string_view text, int& value, int min, int max, UINT msgId)
{
    std::string asIs;
    if (text == LoadCStringRes(asIs, kAsIsStringId)) {
        value = 0;
        return true;
    }
    double v = 0;
    if (!ReadFieldNumber(text, v, min, max, 0, msgId))
        return false;
    value = int(v); // in [min, max], so it fits
    return true;
}

bool ReadLengthText(std::string_view text, int& units, int min, int max, int decimals,
                    UINT msgId)
{
    double v = 0;
    if (!ReadFieldNumber(text, v, LogicalToUserUnits(min), LogicalToUserUnits(max), decimals,
                         msgId))
        return false;
    // The limits were rounded to the field's decimals, which can reach one
    // unit past them.
    int result = UserUnitsToLogical(v);
    ClampInt(result, min, max);
    units = result;
    return true;
}

std::string FormatFloatField(float value, int decimals, bool decimalFlag, bool fractionFlag)
{
    std::string text = FormatNumber(value, decimals, decimalFlag, fractionFlag);
    AppendUserUnitName(text);
    return text;
}

std::string FormatDoubleField(double value, int decimals, bool decimalFlag, bool fractionFlag)
{
    std::string text = FormatNumber(value, decimals, decimalFlag, fractionFlag);
    AppendUserUnitName(text);
    return text;
}

std::string FormatLengthField(int units, int decimals, bool decimalFlag, bool fractionFlag)
{
    return FormatFloatField(float(LogicalToUserUnits(units)), decimals, decimalFlag,
                            fractionFlag);
}

std::string FormatSizeCodeField(int code, int decimals, bool decimalFlag, bool fractionFlag)
{
    std::string text = FormatNumber(float(SizeCodeToValue(code)), decimals, decimalFlag,
                                    fractionFlag);
    AppendPointUnitName(text);
    return text;
}

std::string FormatPointsField(int points)
{
    std::string text;
    if (points == 0)
        return LoadCStringRes(text, kAsIsStringId);
    text = StrPrintf("%d", points);
    AppendPointUnitName(text);
    return text;
}
