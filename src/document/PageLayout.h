#pragma once
// The page settings of a document: margins and their ranges, the poster
// tiling and the largest one the work space allows, the rectangles derived
// from them (paper, printable area, tiled sheets, page area, one page), and
// the validation and repair of the whole set. Sizes of paper are in tenths of
// a millimetre; rectangles and margins in logical units (1/256 inch).
#include "platform/CRect.h"
#include "platform/GlobalMem.h"

#include <vector>

class CKavoDoc;

// Tenths of a millimetre to logical units (x 256/254 in single precision,
// rounded); landscape swaps width and height.
void PaperToUnits(int width, int length, int orientation, int& unitsWide, int& unitsHigh);
// Logical units back to tenths of a millimetre; the smaller value is the width.
void PaperFromUnits(int unitsWide, int unitsHigh, int& width, int& length);

// Paper 0,0,w,h; the printable size centred in it.
void GetPaperAndPrintableRects(int paperW, int paperH, int printW, int printH, CRect& paper, CRect& printable);
// The eight bounds: minimum (paper - printable)/2, maximum paper/2, each in 0..2560.
struct MarginRanges {
    int topMin, topMax, leftMin, leftMax, bottomMin, bottomMax, rightMin, rightMax;
};
MarginRanges GetPageMarginRangesFromPaperDimensions(int paperW, int paperH, int printW, int printH);
MarginRanges GetPageMarginRanges(const CRect& paper, const CRect& printable);
// True when all four margins lie in their ranges; with repair each one out of
// range takes the bound it passed (top, left, bottom, right; minimum first).
bool CheckPageMargins(const CRect& paper, const CRect& printable, double& top, double& left, double& bottom,
                      double& right, bool repair);
// The largest tiling: (printable - paper + 16000) / printable per axis, 1..6.
void GetMaxRowsColsFromPaper(int paperW, int paperH, int printW, int printH, int& rows, int& cols);
// The tiled sheets: the paper plus (cols - 1) printable widths and (rows - 1)
// printable heights.
CRect TiledSheets(const CRect& paper, const CRect& printable, int rows, int cols);
// Clamps the margins into range and gives the tiled sheets less the margins;
// true when a margin had to change.
bool FitMarginsToPrintableArea(const CRect& paper, const CRect& printable, double& top, double& left,
                               double& bottom, double& right, CRect& pageArea, int rows, int cols);

// ---- the document's settings (its page area is kept in m_rcSpare)
// Defaults: letter, portrait, 1 x 1, margins 128 (clamped when the paper
// cannot take them, so the margins and the area agree).
void ResetPageSettings(CKavoDoc& doc);
void UpdateMarginArea(CKavoDoc& doc);
void GetPageAreaRect(const CKavoDoc& doc, CRect& out);
void GetPrintableAreaRect(const CKavoDoc& doc, CRect& out);
void GetMarginAreaRect(const CKavoDoc& doc, CRect& out);
// Page i of the tiling, numbered row by row from 0.
void GetPageRect(const CKavoDoc& doc, int index, CRect& out);
// The largest tiling of a paper on a printer (the printer's page asked for
// through GetPaperDimensions).
void GetMaxRowsCols(int paper, int length, int width, int orientation, HGLOBAL devMode, HGLOBAL devNames,
                    int& rows, int& cols);
void GetDocMaxRowsCols(const CKavoDoc& doc, int& rows, int& cols);
// GetPaperDimensions with the document's paper, orientation and printer.
bool GetDocPaperDimensions(const CKavoDoc& doc, int& paperW, int& paperH, int& printW, int& printH);
bool AllObjectsInPageArea(const CKavoDoc& doc);
// The union of what every object draws, the selection aside; false for no
// objects.
bool GetObjectsBoundRect(const CKavoDoc& doc, CRect& out);
// The validation pass; with repair every finding is corrected.
bool SetPageValidate(CKavoDoc& doc, bool repair);
void UpdatePageLayout(CKavoDoc& doc);
// The layout update of every open document (after the preferences change).
void UpdateAllPageLayouts(const std::vector<CKavoDoc*>& docs);
// The orientation and paper (code, length, width) into the document's DEVMODE.
void CopyPageSettingsToPrinter(CKavoDoc& doc);
void SetPosterRowsCols(CKavoDoc& doc, int rows, int cols);
