#include "richtext/TextBlockGeometry.h"

#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "platform/CDC.h"

namespace {

int MidX(const RECT& r) { return (r.left + r.right) / 2; }
int MidY(const RECT& r) { return (r.top + r.bottom) / 2; }

// The distance across the lines from the block origin and along the line
// from the line origin, for a point.
void ToTextSpace(const CTextBlock& block, const CPoint& blockOrigin, const CPoint& lineOrigin, const POINT& p,
                 int& across, int& along)
{
    switch (block.Rotation()) {
    case 900:
        across = p.x - blockOrigin.x;
        along = lineOrigin.y - p.y;
        break;
    case 2700:
        across = blockOrigin.x - p.x;
        along = p.y - lineOrigin.y;
        break;
    default:
        across = p.y - blockOrigin.y;
        along = p.x - lineOrigin.x;
        break;
    }
}

// A rectangle given in text space (along from the line origin, across from
// the block origin) mapped back.
CRect FromTextSpace(const CTextBlock& block, const CPoint& blockOrigin, const CPoint& lineOrigin, int along0,
                    int along1, int across0, int across1)
{
    switch (block.Rotation()) {
    case 900:
        return CRect(blockOrigin.x + across0, lineOrigin.y - along1, blockOrigin.x + across1, lineOrigin.y - along0);
    case 2700:
        return CRect(blockOrigin.x - across1, lineOrigin.y + along0, blockOrigin.x - across0, lineOrigin.y + along1);
    default:
        return CRect(lineOrigin.x + along0, blockOrigin.y + across0, lineOrigin.x + along1, blockOrigin.y + across1);
    }
}

// The line origin moved back from the baseline to the line's top edge.
CPoint LineStart(const CTextBlock& block, int line, const RECT& rect, unsigned flags, CPoint& blockOrigin)
{
    blockOrigin = GetBlockOrigin(block, rect, flags);
    return GetLineOrigin(block, line, blockOrigin, flags);
}

} // namespace

CPoint GetBlockOrigin(const CTextBlock& block, const RECT& rect, unsigned align)
{
    const int t = block.GetTotalHeight();
    const int rot = block.Rotation();
    CPoint p(rect.left, rect.top);
    if (align & 0x20) {
        if (rot == 900)
            p.x = MidX(rect) - t / 2;
        else if (rot == 2700)
            p.x = MidX(rect) + t / 2;
        else
            p.y = MidY(rect) - t / 2;
    } else if (align & 0x10) {
        if (rot == 900)
            p.x = rect.right - t;
        else if (rot == 2700)
            p.x = rect.left + t;
        else
            p.y = rect.bottom - t;
    } else {
        if (rot == 900)
            p.x = rect.left;
        else if (rot == 2700)
            p.x = rect.right;
        else
            p.y = rect.top;
    }
    if (align & 2) {
        if (rot == 0)
            p.x = MidX(rect);
        else
            p.y = MidY(rect);
    } else if (align & 1) {
        if (rot == 900)
            p.y = rect.top;
        else if (rot == 2700)
            p.y = rect.bottom;
        else
            p.x = rect.right;
    } else {
        if (rot == 900)
            p.y = rect.bottom;
        else if (rot == 2700)
            p.y = rect.top;
        else
            p.x = rect.left;
    }
    return p;
}

CPoint GetLineOrigin(const CTextBlock& block, int line, const CPoint& origin, unsigned align)
{
    CPoint p = origin;
    const int w = block.GetLineWidth(line, false);
    const int shift = (align & 2) ? w / 2 : (align & 1) ? w : 0;
    const int rot = block.Rotation();
    if (rot == 900)
        p.y += shift;
    else if (rot == 2700)
        p.y -= shift;
    else
        p.x -= shift;
    const int base = block.GetBaselineOffset(line);
    if (rot == 900)
        p.x += base;
    else if (rot == 2700)
        p.x -= base;
    else
        p.y += base;
    return p;
}

void GetBlockRect(const CTextBlock& block, const RECT& rect, unsigned flags, int rotation, CRect& out)
{
    const CPoint o = GetBlockOrigin(block, rect, flags);
    const int w = block.GetExtent(false).cx;
    const int t = block.GetTotalHeight();
    if (rotation == 0) {
        out.top = o.y;
        out.bottom = o.y + t;
        if (flags & 1) {
            out.right = o.x;
            out.left = o.x - w;
        } else if (flags & 2) {
            out.left = o.x - w / 2;
            out.right = out.left + w;
        } else {
            out.left = o.x;
            out.right = o.x + w;
        }
        return;
    }
    if (rotation == 900) {
        out.left = o.x;
        out.right = o.x + t;
    } else {
        out.right = o.x;
        out.left = o.x - t;
    }
    if (flags & 1) {
        out.top = o.y;
        out.bottom = o.y + w;
    } else if (flags & 2) {
        out.top = o.y - w / 2;
        out.bottom = o.y + w - w / 2;
    } else {
        out.top = o.y - w;
        out.bottom = o.y;
    }
}

void GetLineRect(int line, const CTextBlock& block, const RECT& rect, unsigned flags, CRect& out)
{
    if (line < 0 || line >= block.LineCount()) {
        out.SetRectEmpty();
        return;
    }
    CPoint bo;
    const CPoint lo = LineStart(block, line, rect, flags, bo);
    const int top = block.GetLineTop(line);
    out = FromTextSpace(block, bo, lo, 0, block.GetLineWidth(line, false), top, top + block.GetLine(line).height);
}

void GetCharRect(int line, int column, const CTextBlock& block, const RECT& rect, unsigned flags, CRect& out)
{
    if (line < 0 || line >= block.LineCount()) {
        out.SetRectEmpty();
        return;
    }
    CPoint bo;
    const CPoint lo = LineStart(block, line, rect, flags, bo);
    const int* adv = block.GetLineAdvances(line);
    const int count = block.GetLine(line).count;
    int x = 0;
    for (int i = 0; adv && i < column && i < count; ++i)
        x += adv[i];
    const int width = adv && column >= 0 && column < count ? adv[column] : 0;
    const int top = block.GetLineTop(line);
    out = FromTextSpace(block, bo, lo, x, x + width, top, top + block.GetLine(line).height);
}

CPoint GetCaretPoint(const CTextBlock& block, const std::string& text, const RECT& rect, unsigned flags,
                     int position, int& height)
{
    int line = 0, column = 0;
    height = 0;
    if (!LocateCharPos(text, position, line, column) || line >= block.LineCount())
        return CPoint(rect.left, rect.top);
    height = block.GetLine(line).height;
    CRect r;
    const int count = block.GetLine(line).count;
    if (column >= count && count > 0) {
        GetCharRect(line, count - 1, block, rect, flags, r);
        // Just past the line's last character.
        switch (block.Rotation()) {
        case 900: return CPoint(r.left, r.top);
        case 2700: return CPoint(r.right, r.bottom);
        default: return CPoint(r.right, r.top);
        }
    }
    GetCharRect(line, column, block, rect, flags, r);
    switch (block.Rotation()) {
    case 900: return CPoint(r.left, r.bottom);
    case 2700: return CPoint(r.right, r.top);
    default: return CPoint(r.left, r.top);
    }
}

int HitTestLine(const std::string& text, const CTextBlock& block, const RECT& rect, unsigned flags, int x,
                int line)
{
    if (line < 0 || line >= block.LineCount())
        return -1;
    const int* adv = block.GetLineAdvances(line);
    const int count = block.GetLine(line).count;
    int column = 0, left = 0;
    while (adv && column < count && x >= left + adv[column] / 2)
        left += adv[column++];
    (void)rect;
    (void)flags;
    const int start = LineStartCharIndex(text, line);
    return (start < 0 ? 0 : start) + column;
}

int HitTestPoint(const CTextBlock& block, const std::string& text, const RECT& rect, unsigned flags,
                 const POINT& point)
{
    if (block.LineCount() == 0)
        return 0;
    const CPoint bo = GetBlockOrigin(block, rect, flags);
    int line = block.LineCount() - 1;
    for (int i = 0; i < block.LineCount(); ++i) {
        const CTextBlock::Line& l = block.GetLine(i);
        int across = 0, along = 0;
        ToTextSpace(block, bo, bo, point, across, along);
        if (across < block.GetLineTop(i) + l.height + l.gap / 2) {
            line = i;
            break;
        }
    }
    const CPoint lo = GetLineOrigin(block, line, bo, flags);
    int across = 0, along = 0;
    ToTextSpace(block, bo, lo, point, across, along);
    return HitTestLine(text, block, rect, flags, along, line);
}

unsigned AlignFromText(const std::string& text, unsigned formatAlign)
{
    uint16_t align = uint16_t(formatAlign);
    GetAlignFromMarkup(text, align);
    return (formatAlign & ~0xFFFFu) | align;
}

bool LocateCharPos(const std::string& text, int position, int& line, int& column)
{
    if (position < 0 || position > CountMarkupChars(text))
        return false;
    line = LineOfCharIndex(text, position);
    const int start = LineStartCharIndex(text, line);
    column = start < 0 ? 0 : position - start;
    return true;
}

CSize GetTextSize(CDC* dc, const std::string& str)
{
    SIZE size{0, 0};
    if (dc)
        dc->GetTextExtentPoint32(str.data(), int(str.size()), &size);
    return CSize(size.cx, size.cy);
}
