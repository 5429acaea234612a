// Realising the scanner's fonts in a device context: heights in points become
// logical units of 1/256 inch, scaled by the recorded extents when drawing in
// device pixels.
#include "richtext/MarkupScanner.h"

#include "richtext/CharWidthTable.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/WinTypes.h"

void MarkupScanner::BeginDC(CDC* target, const LOGFONT& baseLogFont)
{
    dc = target;
    baseFont = baseLogFont;
    firstFont = true;
}

bool MarkupScanner::UpdateDCFont(bool force)
{
    const bool changed = ApplyToLogFont(baseFont);
    if ((!changed && !force) || !dc)
        return false;
    LOGFONT lf = baseFont;
    lf.lfHeight = LONG(int64_t(lf.lfHeight) * 256 / 72);
    if (scaleFrom.cy != 0 && scaleTo.cy != 0)
        lf.lfHeight = MulDiv(lf.lfHeight, scaleTo.cy, scaleFrom.cy);
    auto font = new CFont;
    font->CreateFontIndirect(&lf);
    CFont* previous = dc->SelectObject(font);
    if (firstFont) {
        oldFont = previous;
        firstFont = false;
    }
    delete createdFont;
    createdFont = font;
    if (appliedColor != kNoColor)
        dc->SetTextColor(appliedColor);
    RefreshMarkupCharWidths(dc);
    Commit();
    return true;
}

void MarkupScanner::EndDC()
{
    if (dc && createdFont && !firstFont) {
        // A context that had no font of its own gets the stock one back, so
        // that it never keeps the font deleted here.
        if (oldFont)
            dc->SelectObject(oldFont);
        else
            dc->SelectStockObject(SYSTEM_FONT);
    }
    delete createdFont;
    createdFont = nullptr;
    oldFont = nullptr;
    dc = nullptr;
}
