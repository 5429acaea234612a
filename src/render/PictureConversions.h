#pragma once
// Conversions between the two metafile picture kinds of the graphics list:
// a Windows metafile with its 22-byte placeable header (kind 2) and the bits
// of an enhanced metafile (kind 3). Blocks come from files and the clipboard,
// so every size and box is checked before it is used. Each returns a new
// block, or null with nothing changed; with freeSource the source block is
// freed after a successful conversion only.
#include "platform/GlobalMem.h"

// The picture's size in 0.01 mm is its placeable box times 2540 over its
// units per inch, played in the anisotropic mapping against the screen.
// Refused: no placeable key, zero units per inch, an empty box, or metafile
// bits that are not a valid metafile.
HGLOBAL PlaceableToEnhBlock(HGLOBAL block, bool freeSource);
// The box comes from the converted metafile's window origin and extent, the
// units per inch from the box width over the frame width. Refused: not an
// enhanced metafile, a zero reference-device size or frame width, or no
// window origin or extent in the converted records.
HGLOBAL EnhToPlaceableBlock(HGLOBAL block, bool freeSource);
