#pragma once
// Drawing a picture of the graphics list (kind 1 packed DIB, 2 placeable
// Windows metafile, 3 enhanced metafile, 9 ARGB pixel block) into a rectangle
// of the anti-aliased graphics, or a crossed-out placeholder when it cannot be
// shown.
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QRectF>

class CGraphics;

// Play-flag bits: 1 passed to the bitmap drawing (high quality), 2 plays
// metafiles supersampled.
constexpr int PLAY_HIGH_QUALITY = 1;
constexpr int PLAY_SUPERSAMPLE = 2;

// Non-zero when the picture was drawn; 0 when the placeholder was drawn
// instead. wmfTarget: the graphics record a Windows metafile, so metafile
// pictures are played as Windows metafile records.
int PlayPicture(CGraphics* graphics, HGLOBAL picture, int kind, const QRectF& rect,
                bool transparency, COLORREF transparencyArg, COLORREF transparentColour,
                bool wmfTarget, int playFlags);
// Plays enhanced-metafile bits; 0 (traced) when the play fails or the bits
// cannot be turned into a metafile.
int PlayEnhMetafileGdip(CGraphics* graphics, HGLOBAL emfBits, const QRectF& rect,
                        COLORREF transparentColour);
// The play step: the metafile's bounds onto rect, with the transparent colour
// keyed out when it is a real one. 1 on success.
int DrawEmfScaled(CGraphics* graphics, HENHMETAFILE metafile, const QRectF& rect,
                  COLORREF transparentColour);
// Plays at twice the size into a transparent bitmap, then draws that scaled
// down with high-quality bilinear interpolation. 1 on success.
int PlayEnhMetafileSupersampled(CGraphics* graphics, HGLOBAL emfBits, const QRectF& rect,
                                COLORREF transparentColour);
// The rectangle's outline and both diagonals in an opaque black pen of width 1.
void DrawPicturePlaceholder(CGraphics* graphics, const QRectF& rect);

// An enhanced metafile from a placeable Windows metafile block, sized by its
// placeable header; null when the block is no valid placeable metafile.
HENHMETAFILE EnhMetafileFromPlaceable(HGLOBAL block);
