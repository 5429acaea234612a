#pragma once
// Pictures as 32-bit ARGB bitmaps (QImage Format_ARGB32, not premultiplied)
// and as the ARGB pixel block of picture kind 9: two 32-bit words width and
// height, then width x height pixels 0xAARRGGBB, rows from the top, no padding.
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/CRect.h"
#include "platform/WinTypes.h"

#include <QImage>

#include <memory>

// Pixel format codes of the drawing library, as callers name them.
constexpr int PixelFormat24bppRGB = 0x21808;
constexpr int PixelFormat32bppRGB = 0x22009;
constexpr int PixelFormat32bppARGB = 0x26200A;
constexpr int PixelFormat32bppPARGB = 0xE200B;

// Size of the width and height words in front of the pixels of a kind-9 block.
constexpr size_t kArgbBlockHeader = 8;

// The pixel format code of an image (0 for formats without one).
int PixelFormatOf(const QImage& image);

// A bitmap block (BMP file image or packed DIB) as a kind-9 block; with
// makeTransparent the pixels of the key colour get alpha 0. Null on failure.
HGLOBAL BitmapBlockToARGBBlock(HGLOBAL bitmapBlock, bool makeTransparent, COLORREF key);
// width x height x 4 + 8 bytes, zero-filled, holding the bitmap's pixels.
HGLOBAL ARGBBitmapToBlock(const QImage& bitmap);
// A new ARGB bitmap of the block's size and pixels; null for a block too short
// for the size it states.
std::unique_ptr<QImage> ARGBBlockToBitmap(HGLOBAL block);
// Width and height a kind-9 block states (false when it is too short for them).
bool GetARGBBlockSize(HGLOBAL block, int* width, int* height);

// Every pixel whose red, green and blue equal colour gets the given alpha (its
// colour kept). False when the bitmap is not 32-bit ARGB.
bool MakeColorTransparent(QImage& bitmap, int alpha, COLORREF colour);
bool IsTransparentAt(const QImage& bitmap, int x, int y);
bool IsTransparentAt(const QImage& bitmap, POINT pt);

// 0 when the bitmap has the format already or was replaced by a copy in it;
// 1 on failure (the bitmap stays).
int ConvertBitmapFormat(std::unique_ptr<QImage>& bitmap, int pixelFormat);

// The areas of colour that touch the border filled with fill (the enclosed
// ones keep their colour); the bitmap is replaced by a 32-bit ARGB result.
// True when it was replaced.
bool FloodFillBorderColorARGB(std::unique_ptr<QImage>& bitmap, COLORREF colour, COLORREF fill);
// The same on an image in place (RGB32 or ARGB32): the surface flood fill of
// every border pixel of the exact colour.
void FloodFillBorderColorImage(QImage& image, COLORREF colour, COLORREF fill);

// A bitmap block (kind 1) whose border-touching areas of colour are filled
// with fill, as a new 24-bit block with its file header; null on failure (the
// input stays the caller's).
HGLOBAL FloodFillBorderColor(HGLOBAL block, COLORREF colour, COLORREF fill);

// Recovers alpha from a picture drawn once on white and once on black: a pixel
// white on the first and black on the second becomes 0x00FFFFFF; other
// differing pixels get alpha 255 + lum(black) - lum(white), colour kept. The
// first bitmap receives the result; false when the sizes differ.
bool AlphaFromWhiteAndBlack(QImage& onWhite, const QImage& onBlack);
