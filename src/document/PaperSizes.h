#pragma once
// The paper-size table (codes 1 to 118 with their sizes in tenths of a
// millimetre and their names), the paper list of Page Setup, the paper-size
// limit, and the printer handles' checks and copies. The live printer comes
// from the UI's printer support; the model knows papers by this table.
#include "document/PrinterHandles.h"
#include "platform/GlobalMem.h"

#include <string>

// Both outputs are written when the code has a row; true only when both are
// non-zero.
bool LookupPaperSize(int code, int& width, int& length);
// The row's name, or "Unknown".
std::string GetPaperSizeName(int code);
// The first code whose row has this size (tenths of a millimetre, within a
// tenth either way), else DMPAPER_USER (256).
int PaperCodeForSize(int width, int length);
// Whether Page Setup leaves the code out of its list (78 of the 118).
bool IsPaperSizeHidden(int code);

// The paper combo box of Page Setup (a widget in the UI, a fake in tests).
class IPaperSizeCombo {
public:
    virtual ~IPaperSizeCombo() = default;
    virtual void ResetContent() = 0;
    // Adds a name with the paper code as its item data; false when refused.
    virtual bool AddPaper(const std::string& name, int code) = 0;
};
// Empties the combo box, then adds every paper Page Setup lists, in table
// order; stops at the first entry the combo box refuses.
void FillPaperSizeCombo(IPaperSizeCombo& combo);
// The largest paper dimension in logical units (16000 - 16000 mod d, d = 100
// metric or 256), and that limit in centimetres or inches.
void GetMaxPaperExtent(int& limit, int& limitInUserUnits);
// The paper and printable size (logical units, in the orientation) of a
// paper on a printer. With both handles the printer's page is asked for
// through the printer seam; otherwise the code's table row, else the given
// length and width (tenths of a millimetre), is taken whole as printable.
// False, with letter presets, when neither gives a size. A dimension beyond
// the limit is cut to it, keeping the unprintable border.
bool GetPaperDimensions(int code, int length, int width, int orientation, HGLOBAL devMode, HGLOBAL devNames,
                        int& paperW, int& paperH, int& printW, int& printH);
// The one-shot warning that a paper was cut to the limit: switched on around
// a page-layout update by the commands; the first cut shows it and switches
// it off.
void SetPaperTruncationWarning(bool on);
bool IsPaperTruncationWarningOn();
