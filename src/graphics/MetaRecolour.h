#pragma once
// Recolouring of enhanced metafiles: the colours of the colour-carrying records
// are replaced by a tint weighted by each colour's darkness. The picture is
// never changed: the rewriting is done on per-record copies while playing.
#include "platform/Colorref.h"
#include "platform/metafile/MetaFileHandles.h"

#include <vector>

constexpr COLORREF NO_COLOR = 0x030201;  // "no colour given" in pictures and fills

// False for white, black, the first and last entries of the standard colour
// palette (0x040404, 0xFCFCFC) and the no-colour sentinel.
bool IsRealColor(COLORREF colour);

// The tint rules: `x` is the darkness 1 - (channel average) / 256.
COLORREF CosineBlend(COLORREF a, COLORREF b, double x, double lo, double hi);
COLORREF TintMono(COLORREF tint, double x);
COLORREF TintColored(COLORREF tint, double x);

// {tint, has-colours flag, reference colour (NO_COLOR: none)}.
struct CMetaRecolourContext {
    COLORREF tint = NO_COLOR;
    BOOL hasColours = FALSE;
    COLORREF reference = NO_COLOR;
};

// Sets has-colours unless the colour is the reference or lies within 25 per
// channel of black or of white.
void NoteMetaColor(CMetaRecolourContext& ctx, COLORREF colour);
// Replaces the colour by the tint rule chosen by has-colours (TintColored when
// set, TintMono otherwise); a colour equal to a set reference is kept.
void TintMetaColor(COLORREF& colour, COLORREF tint, BOOL hasColours, COLORREF reference);

// Byte offset of the colour in a colour-carrying EMF record (SETPIXELV 16,
// SETTEXTCOLOR 8, SETBKCOLOR 8, CREATEPEN 24, CREATEBRUSHINDIRECT 16), or 0 for
// other records and records too short to hold it.
size_t EnhRecordColourOffset(const BYTE* record, size_t size);
// Pass 1: notes the colour of every colour-carrying record, stopping at the
// first that sets has-colours.
void ScanEnhMetaColours(HENHMETAFILE h, CMetaRecolourContext& ctx);
// Pass 2 on one record copy: tints its colour, if it carries one.
void RecolourEnhRecord(std::vector<BYTE>& record, const CMetaRecolourContext& ctx);
