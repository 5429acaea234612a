#include "frame/ui/CStyleBarLayout.h"

#include <algorithm>

namespace {

int CeilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

// More lines for a row, as many as `budget` pixels buy, at most its
// missing ones; the spare shrinks by what they cost.
void Grant(StyleRowFit& row, int wanted, int& lines, int& spare, int budget)
{
    const int missing = wanted - lines;
    if (missing <= 0 || row.btnHeight <= 0)
        return;
    const int extra = std::clamp(budget / row.btnHeight, 0, missing);
    lines += extra;
    spare -= extra * row.btnHeight;
}

// All the missing lines when they take less than two fifths of the spare,
// the fifths in whole pixels.
void GrantAllIfCheap(const StyleRowFit& row, int wanted, int& lines, int& spare)
{
    const int cost = (wanted - lines) * row.btnHeight;
    if (cost > 0 && cost < spare * 2 / 5) {
        lines = wanted;
        spare -= cost;
    }
}

void ShareOutLines(std::array<StyleRowFit, kStyleBarRows>& rows, int avail)
{
    std::array<int, kStyleBarRows> lines{};
    int minHeight = 0;
    for (int r = 0; r < kStyleBarRows; ++r) {
        lines[r] = rows[r].gridLines > 0 ? 1 : 0;
        minHeight += lines[r] * rows[r].btnHeight;
    }
    if (minHeight >= avail) {
        lines.fill(0);
    } else {
        int spare = avail - minHeight;
        StyleRowFit& lbl = rows[kLabelRow];
        StyleRowFit& con = rows[kConnectorRow];
        GrantAllIfCheap(lbl, lbl.gridLines, lines[kLabelRow], spare);
        GrantAllIfCheap(con, con.gridLines, lines[kConnectorRow], spare);
        Grant(lbl, lbl.gridLines, lines[kLabelRow], spare, spare / 3);
        Grant(con, con.gridLines, lines[kConnectorRow], spare, spare / 2);
        Grant(rows[kFigureRow], rows[kFigureRow].gridLines, lines[kFigureRow], spare, spare);
    }
    for (int r = 0; r < kStyleBarRows; ++r) {
        rows[r].visible = lines[r] * rows[r].columns;
        rows[r].gridLines = lines[r];
    }
}

} // namespace

int StyleRowLines(int count, int columns, int btnHeight, int capacity)
{
    if (columns < 1 || btnHeight < 1 || count < 1)
        return 0;
    return std::min(CeilDiv(count, columns), capacity / columns);
}

int StyleRowMaxOffset(int count, int visible, int columns)
{
    if (columns < 1 || count <= visible)
        return 0;
    return columns * CeilDiv(count - visible, columns);
}

void LayoutStyleBarRows(std::array<StyleRowFit, kStyleBarRows>& rows, int windowHeight)
{
    const int room = windowHeight - kStyleBarBottomStrip;
    int fixed = 0, wanted = 0;
    for (StyleRowFit& row : rows) {
        row.gridLines = StyleRowLines(row.count, row.columns, row.btnHeight, row.capacity);
        // A layout longer than the button array shows what the array holds
        // and scrolls to the rest.
        row.visible = row.gridLines > 0 ? std::min(row.count, row.gridLines * row.columns) : 0;
        fixed += (row.hasPicker ? kStyleBarPickerHeight : 0) + (row.hasCombo ? kStyleBarComboHeight : 0);
        wanted += row.gridLines * row.btnHeight;
    }
    if (fixed + wanted > room)
        ShareOutLines(rows, room - fixed);
    for (StyleRowFit& row : rows) {
        // A row that cannot show a line (no columns or height) has nothing
        // to scroll either.
        const bool showable = row.columns >= 1 && row.btnHeight >= 1;
        row.scroll = showable && row.visible < row.count;
        row.maxOffset = row.scroll ? StyleRowMaxOffset(row.count, row.visible, row.columns) : 0;
    }
}

int StyleRowScroll(int code, int thumbPos, int offset, int columns, int gridLines, int maxOffset)
{
    if (columns < 1)
        return 0;
    const int page = gridLines * columns;
    switch (code) {
    case kScrollLineUp: offset = offset > 0 ? offset - columns : 0; break;
    case kScrollLineDown: offset = offset < maxOffset ? offset + columns : offset; break;
    case kScrollPageUp: offset -= page; break;
    case kScrollPageDown: offset += page; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: offset = thumbPos * columns; break;
    case kScrollTop: offset = 0; break;
    case kScrollBottom: offset = maxOffset; break;
    default: break;
    }
    return std::clamp(offset, 0, std::max(maxOffset, 0));
}

int StyleRowOffsetToShow(int entry, int offset, int columns, int gridLines, int maxOffset)
{
    if (columns < 1 || entry < 0)
        return offset;
    int start = entry / columns * columns;
    if (entry >= offset)
        start -= (gridLines - 1) * columns;
    return std::clamp(start, 0, std::max(maxOffset, 0));
}
