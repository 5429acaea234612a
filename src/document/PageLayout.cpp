#include "document/PageLayout.h"

#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/PaperSizes.h"
#include "platform/DevModeBlock.h"

#include <algorithm>

namespace {
constexpr int kWorkLimit = 16000;
constexpr int kMaxMargin = 2560;
constexpr int kMaxTiles = 6;
constexpr float kTenthsToUnits = 256.0f / 254.0f;
constexpr double kUnitsToTenths = 0.9921875;

int ClampMargin(int v)
{
    return std::clamp(v, 0, kMaxMargin);
}

// One margin into [min, max]; false when it was outside.
bool CheckOne(double& m, int min, int max, bool repair)
{
    if (m < min) {
        if (repair)
            m = min;
        return false;
    }
    if (m > max) {
        if (repair)
            m = max;
        return false;
    }
    return true;
}

int Tiles(int paper, int printable)
{
    if (printable <= 0)
        return 1;
    return std::clamp((printable - paper + kWorkLimit) / printable, 1, kMaxTiles);
}

// The document's paper in logical units for its orientation.
void DocPaperUnits(const CKavoDoc& doc, int& w, int& h)
{
    PaperToUnits(doc.m_nPaperWidth, doc.m_nPaperLength, doc.m_nOrientation, w, h);
}
} // namespace

void PaperToUnits(int width, int length, int orientation, int& unitsWide, int& unitsHigh)
{
    const int w = int(float(width) * kTenthsToUnits + 0.5f);
    const int h = int(float(length) * kTenthsToUnits + 0.5f);
    unitsWide = orientation == 2 ? h : w;
    unitsHigh = orientation == 2 ? w : h;
}

void PaperFromUnits(int unitsWide, int unitsHigh, int& width, int& length)
{
    const int a = int(unitsWide * kUnitsToTenths + 0.5), b = int(unitsHigh * kUnitsToTenths + 0.5);
    width = std::min(a, b);
    length = std::max(a, b);
}

void GetPaperAndPrintableRects(int paperW, int paperH, int printW, int printH, CRect& paper, CRect& printable)
{
    paper = CRect(0, 0, paperW, paperH);
    const int left = (paperW - printW) / 2, top = (paperH - printH) / 2;
    printable = CRect(left, top, left + printW, top + printH);
}

MarginRanges GetPageMarginRangesFromPaperDimensions(int paperW, int paperH, int printW, int printH)
{
    DiagPrintf("DIAG  GetPageMarginRangesFromPaperDimensions() 1\n");
    MarginRanges r{};
    r.topMin = r.bottomMin = ClampMargin((paperH - printH) / 2);
    r.leftMin = r.rightMin = ClampMargin((paperW - printW) / 2);
    r.topMax = r.bottomMax = ClampMargin(paperH / 2);
    r.leftMax = r.rightMax = ClampMargin(paperW / 2);
    DiagPrintf("DIAG  GetPageMarginRangesFromPaperDimensions() 2\n");
    return r;
}

MarginRanges GetPageMarginRanges(const CRect& paper, const CRect& printable)
{
    return GetPageMarginRangesFromPaperDimensions(paper.Width(), paper.Height(), printable.Width(),
                                                  printable.Height());
}

bool CheckPageMargins(const CRect& paper, const CRect& printable, double& top, double& left, double& bottom,
                      double& right, bool repair)
{
    const MarginRanges r = GetPageMarginRanges(paper, printable);
    bool ok = CheckOne(top, r.topMin, r.topMax, repair);
    ok = CheckOne(left, r.leftMin, r.leftMax, repair) && ok;
    ok = CheckOne(bottom, r.bottomMin, r.bottomMax, repair) && ok;
    ok = CheckOne(right, r.rightMin, r.rightMax, repair) && ok;
    return ok;
}

void GetMaxRowsColsFromPaper(int paperW, int paperH, int printW, int printH, int& rows, int& cols)
{
    DiagPrintf("DIAG  GetMaxRowsColsFromPaper() ENTER\n");
    cols = Tiles(paperW, printW);
    rows = Tiles(paperH, printH);
    DiagPrintf("DIAG  GetMaxRowsColsFromPaper() EXIT\n");
}

CRect TiledSheets(const CRect& paper, const CRect& printable, int rows, int cols)
{
    CRect r = paper;
    r.right += (cols - 1) * printable.Width();
    r.bottom += (rows - 1) * printable.Height();
    return r;
}

bool FitMarginsToPrintableArea(const CRect& paper, const CRect& printable, double& top, double& left,
                               double& bottom, double& right, CRect& pageArea, int rows, int cols)
{
    const bool changed = !CheckPageMargins(paper, printable, top, left, bottom, right, true);
    const CRect sheets = TiledSheets(paper, printable, rows, cols);
    // Margins are rounded to whole units inward.
    pageArea = CRect(sheets.left + int(left + 0.5), sheets.top + int(top + 0.5),
                     sheets.right - int(right + 0.5), sheets.bottom - int(bottom + 0.5));
    if (changed)
        DiagPrintf("MARG  Margins adjusted to fit page.\n");
    return changed;
}

void ResetPageSettings(CKavoDoc& doc)
{
    doc.m_nPaper = 1;
    if (!LookupPaperSize(1, doc.m_nPaperWidth, doc.m_nPaperLength)) {
        doc.m_nPaperWidth = 2159;
        doc.m_nPaperLength = 2794;
    }
    doc.m_nOrientation = 1;
    doc.m_nPosterRows = doc.m_nPosterCols = 1;
    doc.m_rcWorkSpace = CRect(-kWorkLimit, -kWorkLimit, kWorkLimit, kWorkLimit);
    int w = 0, h = 0;
    DocPaperUnits(doc, w, h);
    doc.m_rcPage = CRect(0, 0, w, h);
    doc.m_rcPrintable = doc.m_rcPage;
    doc.m_fMarginTop = doc.m_fMarginBottom = doc.m_fMarginLeft = doc.m_fMarginRight = 128.0;
    // The margins keep what the area was computed with.
    UpdateMarginArea(doc);
}

void UpdateMarginArea(CKavoDoc& doc)
{
    FitMarginsToPrintableArea(doc.m_rcPage, doc.m_rcPrintable, doc.m_fMarginTop, doc.m_fMarginLeft,
                              doc.m_fMarginBottom, doc.m_fMarginRight, doc.m_rcSpare, doc.m_nPosterRows,
                              doc.m_nPosterCols);
}

void GetPageAreaRect(const CKavoDoc& doc, CRect& out)
{
    out = TiledSheets(doc.m_rcPage, doc.m_rcPrintable, doc.m_nPosterRows, doc.m_nPosterCols);
}

void GetPrintableAreaRect(const CKavoDoc& doc, CRect& out)
{
    out = doc.m_rcPrintable;
    out.right += (doc.m_nPosterCols - 1) * doc.m_rcPrintable.Width();
    out.bottom += (doc.m_nPosterRows - 1) * doc.m_rcPrintable.Height();
}

void GetMarginAreaRect(const CKavoDoc& doc, CRect& out)
{
    out = doc.m_rcSpare;
}

void GetPageRect(const CKavoDoc& doc, int index, CRect& out)
{
    const int cols = std::max(1, int(doc.m_nPosterCols));
    const CRect& p = doc.m_rcPrintable;
    const int left = p.left + p.Width() * (index % cols), top = p.top + p.Height() * (index / cols);
    out = CRect(left, top, left + p.Width(), top + p.Height());
}

void GetMaxRowsCols(int paper, int length, int width, int orientation, HGLOBAL devMode, HGLOBAL devNames,
                    int& rows, int& cols)
{
    DiagPrintf("DIAG  GetMaxRowsCols() ENTRY\n");
    int pw = 0, ph = 0, qw = 0, qh = 0;
    GetPaperDimensions(paper, length, width, orientation, devMode, devNames, pw, ph, qw, qh);
    DiagPrintf("DIAG  GetMaxRowsCols() 2\n");
    GetMaxRowsColsFromPaper(pw, ph, qw, qh, rows, cols);
    DiagPrintf("DIAG  GetMaxRowsCols() EXIT\n");
}

void GetDocMaxRowsCols(const CKavoDoc& doc, int& rows, int& cols)
{
    GetMaxRowsCols(doc.m_nPaper, doc.m_nPaperLength, doc.m_nPaperWidth, doc.m_nOrientation, doc.m_hDevMode,
                   doc.m_hDevNames, rows, cols);
}

bool GetDocPaperDimensions(const CKavoDoc& doc, int& paperW, int& paperH, int& printW, int& printH)
{
    return GetPaperDimensions(doc.m_nPaper, doc.m_nPaperLength, doc.m_nPaperWidth, doc.m_nOrientation,
                              doc.m_hDevMode, doc.m_hDevNames, paperW, paperH, printW, printH);
}

bool GetObjectsBoundRect(const CKavoDoc& doc, CRect& out)
{
    bool any = false;
    for (CDiagObj* o : *doc.m_pObjList) {
        CRect r;
        // A selected figure's bounds grow for its handles; the drawing's
        // extent (the saved preview, the page check) does not.
        if (o->GetType() == kObjFigure)
            static_cast<const CFigure*>(o)->GetDrawnRect(r);
        else
            o->GetBoundRect(r, 1, 0);
        if (any)
            out |= r;
        else
            out = r;
        any = true;
    }
    return any;
}

bool AllObjectsInPageArea(const CKavoDoc& doc)
{
    CRect all;
    if (!GetObjectsBoundRect(doc, all))
        return true;
    const CRect& area = doc.m_rcSpare;
    return all.left >= area.left && all.top >= area.top && all.right <= area.right && all.bottom <= area.bottom;
}

namespace {
// Frees one printer handle of the document.
void FreeHandle(HGLOBAL& h)
{
    if (h)
        GlobalFree(h);
    h = nullptr;
}

// The DEVMODE's orientation and paper against the document's; the printer's
// settings hold (Print Setup changes them) and repair takes them into the
// document.
bool CompareDevModePaper(CKavoDoc& doc, const DevModeFields& f, bool repair)
{
    bool valid = true;
    if (f.orientation != doc.m_nOrientation) {
        valid = false;
        if (repair)
            doc.m_nOrientation = f.orientation;
    }
    if (f.paperSize != doc.m_nPaper || f.paperLength != doc.m_nPaperLength || f.paperWidth != doc.m_nPaperWidth) {
        valid = false;
        if (repair) {
            doc.m_nPaper = f.paperSize;
            doc.m_nPaperLength = f.paperLength;
            doc.m_nPaperWidth = f.paperWidth;
        }
    }
    return valid;
}

// The printer handles: both or neither, a DEVNAMES that passes its check, a
// DEVMODE that agrees with the page fields.
bool ValidatePrinterHandles(CKavoDoc& doc, bool repair)
{
    if (!doc.m_hDevMode && doc.m_hDevNames) {
        if (repair)
            FreeHandle(doc.m_hDevNames);
        return false;
    }
    if (doc.m_hDevMode && !doc.m_hDevNames) {
        if (repair)
            FreeHandle(doc.m_hDevMode);
        return false;
    }
    if (!doc.m_hDevMode)
        return true;
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 1\n");
    DevModeFields f;
    if (!IsValidDevNamesHandle(doc.m_hDevNames, false)) {
        DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 2\n");
        if (repair) {
            DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 3\n");
            FreeHandle(doc.m_hDevMode);
            FreeHandle(doc.m_hDevNames);
        }
        return false;
    }
    if (IsValidDevModeHandle(doc.m_hDevMode)) {
        DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 5\n");
        // A stored block too short to hold the paper fields has nothing to
        // compare; it is kept as stored.
        return !ReadDevModeFields(doc.m_hDevMode, f) || CompareDevModePaper(doc, f, repair);
    }
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 4\n");
    if (repair) {
        FreeHandle(doc.m_hDevMode);
        FreeHandle(doc.m_hDevNames);
    }
    return false;
}

// The paper as the printer (or the table) has it; gives the paper and
// printable sizes in logical units for the later steps.
bool ValidatePaperSize(CKavoDoc& doc, bool repair, int& paperW, int& paperH, int& printW, int& printH)
{
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 6\n");
    bool valid = true;
    if (GetDocPaperDimensions(doc, paperW, paperH, printW, printH)) {
        DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 7\n");
        int w = 0, l = 0;
        PaperFromUnits(paperW, paperH, w, l);
        if (w != doc.m_nPaperWidth || l != doc.m_nPaperLength) {
            valid = false;
            if (repair) {
                doc.m_nPaperWidth = w;
                doc.m_nPaperLength = l;
            }
        }
        return valid;
    }
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 6a\n");
    if (repair) {
        doc.m_nPaper = 1;
        doc.m_nPaperWidth = 2159;
        doc.m_nPaperLength = 2794;
    }
    // Without the printer's answer the paper stands for the printable area.
    DocPaperUnits(doc, paperW, paperH);
    printW = paperW;
    printH = paperH;
    return false;
}

bool ValidateOrientation(CKavoDoc& doc, bool repair)
{
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 6b\n");
    bool valid = true;
    if (doc.m_nOrientation != 1 && doc.m_nOrientation != 2) {
        valid = false;
        if (repair)
            doc.m_nOrientation = 1;
    }
    if (doc.m_nOrientation == 1 && doc.m_nPaperWidth > doc.m_nPaperLength) {
        valid = false;
        if (repair)
            doc.m_nOrientation = 2;
    }
    return valid;
}

template <typename T>
bool CheckField(T& field, const T& expected, bool repair)
{
    if (field == expected)
        return true;
    if (repair)
        field = expected;
    return false;
}
} // namespace

bool SetPageValidate(CKavoDoc& doc, bool repair)
{
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate(bRepair=%d) ENTER\n", repair ? 1 : 0);
    bool valid = ValidatePrinterHandles(doc, repair);
    int pw = 0, ph = 0, qw = 0, qh = 0;
    valid = ValidatePaperSize(doc, repair, pw, ph, qw, qh) && valid;
    valid = ValidateOrientation(doc, repair) && valid;
    valid = CheckField(doc.m_rcWorkSpace, CRect(-kWorkLimit, -kWorkLimit, kWorkLimit, kWorkLimit), repair) && valid;
    CRect paper, printable;
    GetPaperAndPrintableRects(pw, ph, qw, qh, paper, printable);
    valid = CheckField(doc.m_rcPage, paper, repair) && valid;
    valid = CheckField(doc.m_rcPrintable, printable, repair) && valid;
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 8\n");
    int maxRows = 1, maxCols = 1;
    GetDocMaxRowsCols(doc, maxRows, maxCols);
    if (doc.m_nPosterRows < 1 || doc.m_nPosterRows > maxRows || doc.m_nPosterCols < 1 ||
        doc.m_nPosterCols > maxCols) {
        valid = false;
        if (repair)
            doc.m_nPosterRows = doc.m_nPosterCols = 1;
    }
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate() chkpt 9\n");
    if (!CheckPageMargins(doc.m_rcPage, doc.m_rcPrintable, doc.m_fMarginTop, doc.m_fMarginLeft,
                          doc.m_fMarginBottom, doc.m_fMarginRight, repair)) {
        valid = false;
        DiagPrintf("MARG  Margin(s) invalid%s", repair ? "- corrected\n" : "- not corrected\n");
    }
    CRect area;
    FitMarginsToPrintableArea(doc.m_rcPage, doc.m_rcPrintable, doc.m_fMarginTop, doc.m_fMarginLeft,
                              doc.m_fMarginBottom, doc.m_fMarginRight, area, doc.m_nPosterRows,
                              doc.m_nPosterCols);
    valid = CheckField(doc.m_rcSpare, area, repair) && valid;
    // The repaired page goes back into the DEVMODE, so that both agree.
    if (repair)
        CopyPageSettingsToPrinter(doc);
    DiagPrintf("PAGE  CKavoDoc::SetPageValidate(bIsValid=%d) exit\n", valid ? 1 : 0);
    return valid;
}

void CopyPageSettingsToPrinter(CKavoDoc& doc)
{
    SetDevModeShort(doc.m_hDevMode, devmode::kOrientation, short(doc.m_nOrientation), DM_ORIENTATION);
    SetDevModeShort(doc.m_hDevMode, devmode::kPaperSize, short(doc.m_nPaper), DM_PAPERSIZE);
    SetDevModeShort(doc.m_hDevMode, devmode::kPaperLength, short(doc.m_nPaperLength), DM_PAPERLENGTH);
    SetDevModeShort(doc.m_hDevMode, devmode::kPaperWidth, short(doc.m_nPaperWidth), DM_PAPERWIDTH);
}

void UpdatePageLayout(CKavoDoc& doc)
{
    SetPageValidate(doc, true);
}

void UpdateAllPageLayouts(const std::vector<CKavoDoc*>& docs)
{
    for (CKavoDoc* doc : docs)
        if (doc)
            UpdatePageLayout(*doc);
}

void SetPosterRowsCols(CKavoDoc& doc, int rows, int cols)
{
    doc.m_nPosterRows = rows;
    doc.m_nPosterCols = cols;
    UpdatePageLayout(doc);
}
