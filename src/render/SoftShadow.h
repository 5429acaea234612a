#pragma once
// Drop shadows of figures on the anti-aliased graphics: the blurred shadow
// rendered into an ARGB bitmap, and the multi-pass shadow filled directly.
#include "platform/Colorref.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>

class CGraphics;

// The 256-entry alpha ramp the blur maps its averages through (entry 255 is 255).
const unsigned char* ShadowAlphaTable();

// The outline's bounds grown by the softness on every side (by softness x 3 / 2
// when scale is -1) and moved by the offsets.
QRectF GetShadowRect(const QRectF& bounds, int softness, int scale, int xOffset, int yOffset);

// Replaces every pixel by the blurred shadow: box sums of alpha over rows, then
// columns, mapped through the alpha ramp, in the colour. Nothing to blur at
// opacity 0: the bitmap becomes fully transparent.
void BlurShadowAlpha(QImage& bitmap, int inset, int opacity, COLORREF colour);

// The shadow of an outline. Results: 0 drawn (or wholly outside clip), 2 bad
// arguments, 3 no bitmap could be made. passKind > 0 (forced for softness 0 or
// a cached bitmap) draws the multi-pass shadow; otherwise the blur, whose
// bitmap has, with scale -1, at most the target's own pixels. flatten
// puts the blurred shadow on an opaque background first.
int RenderSoftShadow(CGraphics* graphics, const QRectF* clip, const QPolygonF& outline,
                     int softness, COLORREF colour, int opacity, int passKind, int xOffset,
                     int yOffset, bool cachedBitmap, int scale, bool flatten,
                     COLORREF background);

// Fills the outline once (kind 1) or several times spread over a square of the
// softness (kinds 2 to 4: 4, 8 and 16 fills) with a translucent brush. With a
// cached bitmap the brush is opaque, mixed with white.
int RenderMultiPassShadow(CGraphics* graphics, const QPolygonF& outline, int softness,
                          COLORREF colour, int opacity, int xOffset, int yOffset, int passKind,
                          bool cachedBitmap);

// The shadow as one opaque fill, for targets that hold no alpha: the outline
// grown by half the softness and moved by the offsets, in the colour mixed
// with white by the opacity (what the translucent shadow shows over a white
// page). Nothing at opacity 0 or wholly outside the clip. Results as
// RenderSoftShadow.
int RenderOpaqueShadow(CGraphics* graphics, const QRectF* clip, const QPolygonF& outline, int softness,
                       COLORREF colour, int opacity, int xOffset, int yOffset);

// Linear interpolation of alpha, red, green and blue with rounding; share 0
// gives a, 1 gives b.
unsigned LerpColor(unsigned a, unsigned b, double share);
