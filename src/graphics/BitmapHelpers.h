#pragma once
// Packed DIBs in global blocks and the bitmaps drawn from them: sizes, the
// DIB <-> bitmap conversions, block copies and comparison, the flattened,
// silhouette, embossed and cropped variants used on buttons and previews, XOR
// feedback lines and 3-D frames.
#include "platform/CDC.h"
#include "platform/GlobalMem.h"

#include <QString>

#include <memory>

// ---- DIB structure (header = the info or core header, after any "BM" file header) ----
// Colours of the colour table: biClrUsed when non-zero, else 2, 16 or 256 by
// depth (0 for deeper pictures); a core header counts by depth only.
DWORD DIBNumColors(const BYTE* header);
// The colour table's bytes: colours x 4 (info header) or x 3 (core header).
DWORD DIBPaletteSize(const BYTE* header);
// The first pixel row: header + its size + colour table, and the three colour
// masks that follow a 40-byte header of a BI_BITFIELDS picture.
const BYTE* FindDIBBits(const BYTE* header);
// The header of a block (after a "BM" file header when there is one), or null
// for a block whose header, colour table and rows do not fit in it.
const BYTE* DIBHeaderOfBlock(const BYTE* block, size_t size);

// A bitmap of the block's picture; null when the block is missing, cannot be
// locked or does not hold a whole picture.
std::unique_ptr<CBitmap> DIBToBitmap(HGLOBAL block);
// A packed DIB of the bitmap at bitsPerPixel (1, 4, 8, 16, 24, 32), rows padded
// to 4 bytes, optionally behind the 14-byte file header; null on failure.
HGLOBAL BitmapToDIB(const CBitmap* bitmap, int bitsPerPixel, bool withFileHeader);
// Width and height of a "BM" block's picture; false for other blocks.
bool GetBmpPixelSize(HGLOBAL block, int* width, int* height);
// Size of a "BM" block's picture in logical units (1/256 inch) from its
// pixels-per-metre fields, or from its pixels through the screen calibration.
bool GetBmpSizeLogical(HGLOBAL block, int* width, int* height);

// ---- Global memory ----
HGLOBAL GlobalFromBytes(const void* bytes, size_t n);
HGLOBAL CopyGlobalBlock(HGLOBAL block);
bool GlobalBlocksEqual(HGLOBAL a, HGLOBAL b);

// ---- Derived bitmaps (the source is deleted only when deleteSource is set) ----
std::unique_ptr<CBitmap> FlattenTransparentBitmap(CBitmap* bitmap, COLORREF transparent,
                                                  COLORREF background, bool deleteSource);
std::unique_ptr<CBitmap> SilhouetteBitmap(CBitmap* bitmap, COLORREF transparent, COLORREF fill,
                                          bool deleteSource);
std::unique_ptr<CBitmap> EmbossBitmap(CBitmap* bitmap, COLORREF transparent, COLORREF background,
                                      bool deleteSource);
std::unique_ptr<CBitmap> CropBitmap(CBitmap* bitmap, const RECT& rect, bool deleteSource);
// The bitmap resource id with black, 0x808080, 0xC0C0C0 and white mapped to the
// button text, shadow, face and highlight colours; null when it cannot be loaded.
std::unique_ptr<CBitmap> LoadSysColorBitmap(int resourceId);
// Fills with the pattern of bitmap resource 364, background mode transparent meanwhile.
void FillRectWithPattern(CDC* dc, const RECT& rect);

// ---- Drawing and colours ----
void DrawXorLine(CDC* dc, POINT from, POINT to, COLORREF background, COLORREF color, int penStyle);
void DrawXorRect(CDC* dc, const RECT& rect, COLORREF background, COLORREF color, int penStyle);
// kind 1 raised, 2 sunken, other flat.
void Draw3dFrame(CDC* dc, const RECT& rect, int kind, COLORREF color);
COLORREF SwapRB(COLORREF color);
bool ColorsNear(COLORREF a, COLORREF b, int tolerance);
