#pragma once
// Conversions between logical units (1/256 inch), the user's display units
// (inches or centimetres, by the setting Metric) and the compact point-size
// codes of text and line sizes.
#include "platform/CRect.h"

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

// Points and logical units: a point is 256/72 units. Only the low 24 bits of
// a point count are taken.
int PointsToLogical(int points);
int LogicalToPoints(int units);

// Screen pixels, calibrated by the setting ScreenHeight (inches) against the
// screen's height in pixels. LogicalToScreenPixels uses the truncated pixels
// per inch (85 for 768 pixels over 9 inches); the reverse uses the exact ratio.
int ScreenPixelsToLogical(int pixels);
int LogicalToScreenPixels(int units);
// The screen's height in pixels: the primary screen's, or 768 without one.
int GetScreenPixelHeight();
// Test support: a fixed screen height in pixels (0 returns to the real one).
void SetScreenPixelHeightForTest(int pixels);

// Hundredths of a millimetre.
int LogicalToHimetric(int units);
void SizeToHimetric(SIZE& size);

// Between the 1000-unit grid of the built-in shapes and the 2048-unit symbol
// space: factor 2.048 and its inverse 0.48828125. Zero stays zero.
int ScaleInt2048(int value);
void ScaleIntPair2048(int& a, int& b);
double ScaleFloat2048(double value);
void ScaleFloatPair2048(double& a, double& b);
void ScaleFloatRect2048(double& l, double& t, double& r, double& b);
double ScaleFloatInv2048(double value);
void ScaleFloatPairInv2048(double& a, double& b);
void ScaleFloatRectInv2048(double& l, double& t, double& r, double& b);
