#pragma once
// Small numeric helpers shared by measurement texts, geometry and the zoom
// commands: fraction and compact decimal texts, rounding, clamping, scaled
// division, aspect-ratio fitting, unit factors and a bounded step search.
#include "platform/CRect.h"

#include <functional>
#include <string>

// "%d/%d" for exactly the common fractions 1/2, 1/3, 2/3, 1/4, 3/4, 1/5, 1/8,
// 1/10, 1/16 and 1/32; an empty text and false for any other value. The float
// form compares with the float values of those constants.
bool FormatFraction(float value, std::string& text);
bool FormatFraction(double value, std::string& text);

// "%.*f" with trailing zeros of the fraction dropped, then the point when it is
// last, and a leading "0." shortened to "." (0.25 -> ".25", 100 stays "100").
std::string FormatDecimal(float value, int precision);
std::string FormatDecimal(double value, int precision);

// Rounds to the given number of decimals (halves up); nothing for decimals < 0
// or when the value is too large to hold that many decimals.
void RoundToDecimals(float& value, int decimals);
void RoundToDecimals(double& value, int decimals);

void ClampInt(int& value, int min, int max);
// A NaN becomes the minimum.
void ClampDouble(double& value, double min, double max);
void ClampFloat(float& value, float min, float max);

// a × c / b rounded (add 0.5, truncate); 0 when a is 0 or b is 0, c when a == b.
int ScaleRounded(int a, int b, int c);
// Whether a is a multiple of b at three decimals; false when b rounds to 0.
bool IsMultipleOf(double a, double b);
// First index of the largest value; -1 for no array or count < 1.
int IndexOfMax(const int* values, int count);

// Fits (fit = 1) or covers (fit = 0) the box W × H with the aspect AW : AH.
// False, outputs untouched, when AW or AH is 0 or a side would pass 32767;
// otherwise the outputs are set and the result is whether they differ from
// (W, H).
bool FitSizeKeepAspect(int W, int H, int AW, int AH, int& outWidth, int& outHeight, int fit);
// Shrinks the rectangle to the aspect, centred in its old place.
bool FitSizeCenteredInRect(CRect& rect, int aspectWidth, int aspectHeight);
// Grows the rectangle to the aspect so that it covers its old place.
bool CoverRectKeepAspect(CRect& rect, int aspectWidth, int aspectHeight);

// Unit factors (pi taken as 3.14159 as in the geometry helpers).
long double RadiansToDeg(float radians);
long double PointsToLogicalF(float points);
long double LogicalToPointsF(float units);
long double MulOnePointFive(float value);
long double MulTwoThirds(float value);

// Results of IterateToTarget.
constexpr int kIterFound = 1;
constexpr int kIterNearest = 2;
constexpr int kIterFailed = 3;
// Widen directions of IterateToTarget.
constexpr int kIterWidenNone = 0;
constexpr int kIterWidenUp = 2;

// Searches an integer argument e in the open range (low, high), starting at
// start, for which function(e) == target: steps of 1, 2, 4 ... toward the
// target, halving back on overshoot, at most 50 evaluations. Found (1): with a
// widen direction, moves on to the last argument in that direction that still
// gives the target. Nearest (2): the closer of the two arguments around the
// target. Failed (3): left the range or ran out of evaluations; value untouched.
int IterateToTarget(int& value, int target, int widen, int low, int high, int start,
                    const std::function<int(int)>& function);
