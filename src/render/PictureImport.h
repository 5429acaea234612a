#pragma once
// Pictures from files and the clipboard as picture blocks: the file-type
// test, the import chooser's filter tables, the load pipeline with its
// background clean-up, and the clipboard bitmap's file header.
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"

#include <QSize>
#include <QString>

#include <string>

// 0 unknown, 1 BMP/DIB, 2 placeable WMF, 3 EMF, 4 JPEG, 5 PNG, 6 TIFF, 7 GIF, 8 PCX.
int GetPictureFileType(const QString& path);

// The import chooser's filter ("|"-separated, closed by a final "|").
std::string BuildImportFilter();
// Type -> the chooser's default extension and filter index (1-based).
void ImportTypeToFilter(int type, std::string& defaultExt, int& filterIndex);
// The filter index the chooser was left on -> the type remembered.
int ImportFilterToType(int filterIndex);

// Clean-up of bitmap blocks (kind 1); each gives a new 24-bit block with its
// file header, or null (the input stays the caller's).
HGLOBAL SnapNearColors(HGLOBAL block, COLORREF colour, int tolerance);
HGLOBAL FlattenTransparency(HGLOBAL block, COLORREF transparent, COLORREF background);

// Loads a picture file as a block of kind 1, 3 or 9 (kind out), with its size
// in logical units; null on failure. `background` is the colour the clean-up
// treats as background; the flags are the import check boxes.
HGLOBAL LoadGraphicFromFile(const QString& path, int& kind, int& width, int& height, COLORREF background,
                            bool cleanBackground, bool transparentBorder, int& hasTransparency);

// Whether the picture file holds more pixels than a picture may have
// (kMaxImagePixels, checked from its header): such a file is not loaded.
// size receives the picture's size.
bool PictureFileTooLarge(const QString& path, QSize& size);

// A clipboard bitmap (packed DIB) with the 14-byte file header in front;
// null for a DIB that is too short for its own header.
HGLOBAL ClipboardDibToBitmapBlock(const BYTE* dib, size_t size);
