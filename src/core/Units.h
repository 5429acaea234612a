#pragma once
// Conversions between logical units (1/256 inch), the user's display units
// (inches or centimetres, by the setting Metric) and the compact point-size
// codes of text and line sizes.
#include <string>

double LogicalToInches(int units);
double LogicalToCentimetres(int units);
// Centimetres when Metric is on, else inches.
double LogicalToUserUnits(int units);

// A length typed in centimetres or inches, to the nearest logical unit. Values
// past the int range are clamped and a NaN gives 0.
int CentimetresToLogical(double value);
int InchesToLogical(double value);
int UserUnitsToLogical(double value);

// Appends " in" or, when Metric is on, " cm".
void AppendUserUnitName(std::string& text);
// Appends " pt".
void AppendPointUnitName(std::string& text);

// Size codes: 0 for nothing, 1..3 for the hairline sizes, codes near 36 + 32k
// for the common sizes 10, 19, 28, 37, 46, 55, 64 points, otherwise points
// × 256/72 rounded.
int SizeValueToCode(double points);
// Points of a size code, rounded to a quarter point.
double SizeCodeToValue(int code);
