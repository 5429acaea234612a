// Font metrics measured on a context with the screen's capabilities.
#include "graphics/DrawHelpers.h"
#include "core/Units.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"

#include <cstdlib>

bool GetLogFontMetrics(const LOGFONT& lf, int* twelveLines, int* lineHeight, int* ascent)
{
    LOGFONT logical = lf;
    logical.lfHeight = lf.lfHeight < 0 ? -PointsToLogical(-lf.lfHeight) : PointsToLogical(lf.lfHeight);
    CPainterDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    if (!font.CreateFontIndirect(&logical))
        return false;
    CFont* old = dc.SelectObject(&font);
    TEXTMETRIC tm;
    const bool ok = dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    if (!ok)
        return false;
    const int line = tm.tmAscent + tm.tmDescent + 1;
    if (lineHeight)
        *lineHeight = line;
    if (ascent)
        *ascent = tm.tmAscent;
    if (twelveLines)
        *twelveLines = 12 * line;
    return true;
}
