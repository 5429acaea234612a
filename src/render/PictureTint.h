#pragma once
// Drawing ARGB pictures with a figure's colour: recolouring of bitmaps, the
// tint attributes for metafiles, and drawing a bitmap with colour keying.
#include "platform/Colorref.h"
#include "platform/GdipTypes.h"

#include <QImage>
#include <QRectF>

#include <optional>

class CGraphics;

// Recolours a 32-bit ARGB bitmap in place (alpha kept): a picture with colours
// becomes a duotone white - colour - black, a black-and-white one takes the
// colour in its dark parts. False when the bitmap is not 32-bit ARGB.
bool RecolorBitmap(QImage& bitmap, COLORREF colour);
// The picture is "coloured" when some pixel with alpha other than 0 is more
// than 25 away from black and from white in some channel.
bool IsColoredBitmap(const QImage& bitmap);

// Attributes that turn a metafile grey and add the colour in proportion to
// alpha; none for a colour that is not a real one.
std::optional<CGpImageAttributes> CreateTintImageAttributes(COLORREF colour);

// Draws the bitmap stretched into rect, optionally with keyColour made
// transparent and recoloured; high quality picks bicubic interpolation.
// 0 without graphics or bitmap, else 1.
int DrawARGBBitmap(CGraphics* graphics, const QImage* bitmap, const QRectF& rect, bool recolor,
                   COLORREF colour, bool makeTransparent, COLORREF keyColour, bool highQuality);
