#pragma once
// Playing metafiles through the helpers: a Windows metafile scaled into any
// rectangle by rewriting its records, an enhanced metafile recoloured with a
// tint, and the probe metafile.
#include "graphics/MetaRecolour.h"
#include "graphics/MetaScaleRecord.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CWmfPlayer.h"

// Enumeration callback: rewrites the record copy for the context and plays it
// unless it is one of the records left out. Never stops the enumeration.
int ScaleMetaRecord(CWmfPlayer& player, std::vector<BYTE>& record, CMetaScaleContext& ctx);
// Saves the context, plays the metafile's `src` rectangle (metafile units) into
// `dest` record by record, restores the context; whether the enumeration ran.
BOOL PlayMetafileInRect(CDC* dc, HMETAFILE metafile, const RECT& dest, const RECT& src);
// A plain play when the tint is not a real colour; otherwise a colour scan and
// a play that tints each colour-carrying record's copy.
BOOL PlayEnhMetafileRecoloured(CDC* dc, HENHMETAFILE metafile, const RECT& rect, COLORREF tint);
// Plays the probe picture (a 100 x 100 rectangle, recorded on first use and kept
// until FreeProbeEnhMetafile) into (0, 0, 100, 100) inside SaveDC/RestoreDC.
BOOL PlayProbeEnhMetafile(CDC* dc);
void FreeProbeEnhMetafile();
