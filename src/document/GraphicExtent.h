#pragma once
// The natural size of a picture held in global memory, in logical units
// (1/256 inch), by picture type: 1 device-independent bitmap, 2 placeable
// Windows metafile, 3 enhanced metafile, 9 a block that starts with its
// width and height as two 32-bit ints.
#include "platform/GlobalMem.h"

#include <QString>

// Non-zero with the size; 0 (outputs untouched) for another type, a null,
// unlockable or too short block, or a metafile with zero units per inch.
int GetGraphicExtent(HGLOBAL handle, int type, int* width, int* height);

// A bitmap block (with or without its 14-byte "BM" file header): the size
// from its pixels-per-metre fields, or the pixels through the screen scale.
bool GetBmpSizeLogicalFromBlock(const BYTE* data, size_t size, int* width, int* height);

// The file read into a movable block when it holds a placeable metafile
// (key 0x9AC6CDD7, a valid header checksum); else null.
HGLOBAL LoadPlaceableMetafile(const QString& path);
