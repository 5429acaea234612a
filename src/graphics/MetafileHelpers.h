#pragma once
// Metafile helpers: recognising placeable and enhanced metafile blocks, moving
// metafiles between global blocks and handles, reading a Windows metafile's
// window box, counting its mapping records and writing a placeable file.
#include "platform/GlobalMem.h"
#include "platform/metafile/MetaFileHandles.h"

#include <QString>

#include <vector>

// The first 32 bits are the placeable key (`size` bytes readable at `p`).
bool IsPlaceableMetaHeader(const BYTE* p, size_t size);
bool IsPlaceableMetafileBlock(HGLOBAL block);
// Record type 1 and the signature " EMF" at byte 40.
bool IsEnhMetaHeader(const BYTE* p, size_t size);
bool IsEnhMetafileBlock(HGLOBAL block);

// False for a missing block or different sizes; the same handle is equal
// without comparing; otherwise every byte is compared (blocks of edited or
// recoloured variants of one picture share their header).
bool MetaBlocksEqual(HGLOBAL a, HGLOBAL b);

// A metafile from a block holding a standard WMF (size = 2 x the header's word
// count, which must fit the block); null when the block is not a valid WMF.
HMETAFILE MetafileFromGlobal(HGLOBAL block);
// For a placeable block, the metafile from the bytes after the 22-byte header;
// null when the key is missing or the metafile is not valid.
HMETAFILE MetafileFromAPMGlobal(HGLOBAL block);
// A movable block with the metafile's bits; unless `keep`, the metafile is
// deleted after a successful copy. Null on failure (the metafile then stays).
HGLOBAL GlobalFromMetafile(HMETAFILE metafile, BOOL keep);
// The same for an enhanced metafile's bits.
HGLOBAL GlobalFromEnhMetafile(HENHMETAFILE metafile, BOOL keep);

// The Windows metafile of an enhanced metafile for the anisotropic mapping on
// the screen reference (window origin and extent records first); null on
// failure.
HMETAFILE EnhToWinMetafile(HENHMETAFILE metafile);

// Counts of the mapping records of a WMF, in the order of the load trace.
struct CMetaRecordCounts {
    int windowOrg = 0;          // SETWINDOWORG 523
    int windowExt = 0;          // SETWINDOWEXT 524
    int viewportOrg = 0;        // SETVIEWPORTORG 525
    int viewportExt = 0;        // SETVIEWPORTEXT 526
    int scaleViewportExt = 0;   // SCALEVIEWPORTEXT 1042
    int offsetViewportOrg = 0;  // OFFSETVIEWPORTORG 529
};
// Enumeration callback: counts the record's kind; never stops the enumeration.
int CountMetaRecords(const std::vector<BYTE>& record, CMetaRecordCounts& counts);

// The window box of a WMF: the last SETWINDOWORG and SETWINDOWEXT seen before
// the first drawing record that follows both; a negative extent is turned
// round so that left < right and top < bottom. False when either is missing.
BOOL GetMetafileBounds(HMETAFILE metafile, LONG& left, LONG& top, LONG& right, LONG& bottom);

// The placeable header for a box and a reference width (metafile units per
// inch = MulDiv(box width, 2540, reference width)). False when the box does
// not fit signed 16-bit values or the units per inch are not 1..65535 (a zero
// or negative reference width, an empty box).
bool MakePlaceableHeader(const RECT& box, int referenceWidth, PlaceableMetaHeader& header);
// Writes a placeable file: the 22-byte header, then the metafile's bits. The
// caller's metafile is never deleted, whatever the outcome. False when the
// header cannot be made or any file step fails.
BOOL WritePlaceableMetafile(HMETAFILE metafile, const QString& fileName, const RECT& box,
                            int referenceWidth);
// A placeable block (header then bits) built the same way; null on failure.
HGLOBAL PlaceableBlockFromMetafile(HMETAFILE metafile, const RECT& box, int referenceWidth);

// Reads a placeable WMF file and accepts it when its records hold at least one
// window extent and no viewport origin, viewport extent, scale viewport extent
// or offset viewport origin (window origins are not restricted). The block
// keeps the 22-byte header; null for a rejected, malformed or unreadable file.
// `counts` (optional) receives the counts.
HGLOBAL LoadValidatedWMF(const QString& path, CMetaRecordCounts* counts = nullptr);
