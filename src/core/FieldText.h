#pragma once
// The text of dialog number fields: parsing with range checks and messages,
// and formatting with the user's units. The dialog side (reading and writing
// controls by id) lives in core/ui/DdxFields.h.
#include "platform/WinTypes.h"

#include <string>
#include <string_view>

// String-table entry of the "<As Is>" choice of point fields.
constexpr UINT kAsIsStringId = 811;

// Reads a number; an optional "/divisor" after it divides it ("3/4" is 0.75).
// False for text without a number, a divisor that does not read or is zero, and
// a result that is not finite.
bool ParseFieldNumber(std::string_view text, double& value);

// Parses the text and checks it against [min, max], both first rounded to the
// field's decimals. On failure shows message msgId (when not 0) with the two
// limits, formatted compactly at those decimals, as its two "%s".
bool ReadFieldNumber(std::string_view text, double& value, double min, double max,
                     int decimals, UINT msgId);
// A point size stored as a size code; min and max are points.
bool ReadSizeCodeText(std::string_view text, int& code, double min, double max, int decimals,
                      UINT msgId);
// A whole number of points, truncated, or 0 for the "<As Is>" text.
bool ReadIntOrAsIsText(std::string_view text, int& value, int min, int max, UINT msgId);
// A length in the user's units into logical units; min and max are logical.
bool ReadLengthText(std::string_view text, int& units, int min, int max, int decimals,
                    UINT msgId);

// A value with the user's unit name: a fraction ("1/4 in") when the fraction
// flag is set and the value is one, else compact decimals (decimal flag) or
// "%.*f".
std::string FormatFloatField(float value, int decimals, bool decimalFlag, bool fractionFlag);
std::string FormatDoubleField(double value, int decimals, bool decimalFlag, bool fractionFlag);
// A length in logical units, shown in the user's units.
std::string FormatLengthField(int units, int decimals, bool decimalFlag, bool fractionFlag);
// A size code shown in points with " pt".
std::string FormatSizeCodeField(int code, int decimals, bool decimalFlag, bool fractionFlag);
// Whole points with " pt"; 0 is "<As Is>".
std::string FormatPointsField(int points);
