// Realising the scanner's fonts in a device context: heights in points become
// logical units of 1/256 inch, scaled by the recorded extents when drawing in
// device pixels.
#include "richtext/MarkupScanner.h"

#include "richtext/CharWidthTable.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/WinTypes.h"

#include <algorithm>
#include <cstdint>

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
    // Sizes from files may be absurd: a font stays within 16384 units (64
    // inches) so that widths summed over a text stay in range.
    constexpr int64_t kMaxHeight = 16384;
    int64_t height = std::clamp<int64_t>(int64_t(lf.lfHeight) * 256 / 72, -kMaxHeight, kMaxHeight);
    if (scaleFrom.cy != 0 && scaleTo.cy != 0)
        height = std::clamp<int64_t>(height * scaleTo.cy / scaleFrom.cy, -kMaxHeight * 64, kMaxHeight * 64);
    lf.lfHeight = LONG(height);
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
