#pragma once
// The colours the picture code agrees on: pictures load onto white, and
// magenta marks the pixels of a bitmap that are to be transparent.
#include "platform/Colorref.h"

constexpr COLORREF kPictureWhite = RGB(255, 255, 255);
constexpr COLORREF kTransparentKey = RGB(255, 0, 255);
