#pragma once
// The paper-size table (codes 1 to 118 with their sizes in tenths of a
// millimetre and their names), the paper list of Page Setup, the paper-size
// limit, and the printer handles' checks and copies. The live printer comes
// from the UI's printer support; the model knows papers by this table.
#include "platform/GlobalMem.h"

#include <string>

// Both outputs are written when the code has a row; true only when both are
// non-zero.
bool LookupPaperSize(int code, int& width, int& length);
// The row's name, or "Unknown".
std::string GetPaperSizeName(int code);
// Whether Page Setup leaves the code out of its list (78 of the 118).
bool IsPaperSizeHidden(int code);
// The largest paper dimension in logical units (16000 - 16000 mod d, d = 100
// metric or 256), and that limit in centimetres or inches.
void GetMaxPaperExtent(int& limit, int& limitInUserUnits);
// The paper and printable size (logical units, in the orientation) of a paper
// code, else of the given length and width; false when neither gives a size.
// Without a printer the whole paper is printable. A dimension beyond the
// limit is cut to it.
bool GetPaperDimensions(int code, int length, int width, int orientation, int& paperW, int& paperH,
                        int& printW, int& printH);

// DEVNAMES: its three name offsets lie in 8..776.
bool IsValidDevNames(const BYTE* devNames, size_t size);
// The target's block is freed; with a source that locks, the target becomes
// a copy of the whole source block.
void CopyGlobalBlock(HGLOBAL& target, HGLOBAL source);
// The same for a DEVMODE: dmSize + dmDriverExtra bytes (bounded by the block).
void CopyDevModeBlock(HGLOBAL& target, HGLOBAL source);
