#include "richtext/TextLineRender.h"

#include "richtext/CharWidthTable.h"
#include "richtext/MarkupScanner.h"
#include "richtext/MarkupWalker.h"
#include "richtext/TextBlockGeometry.h"
#include "core/Trace.h"
#include "platform/CDC.h"

#include <vector>

namespace {

// Whether the scanner holds a change that realising would turn into a new font
// (alignment alone does not).
bool FontAttrsChanged(const MarkupScanner& s)
{
    return s.bold.changed || s.italic.changed || s.underline.changed || s.color.changed || s.face.changed ||
           s.size.changed || s.sub.changed || s.super.changed;
}

int BaselineShift(const MarkupScanner& s, const CTextBlock::Line& line)
{
    const TEXTMETRIC& tm = MarkupTextMetrics();
    if (s.sub.current)
        return line.height - line.ascent - tm.tmDescent;
    if (s.super.current)
        return tm.tmAscent - line.ascent;
    return 0;
}

// The run buffer every line shares.
std::vector<char>& RunBuffer()
{
    static thread_local std::vector<char> buffer;  // one a drawing thread
    return buffer;
}

} // namespace

bool KFntRenderTextLine(const CTextBlock& block, const char* lineText, int line, int x, int y,
                        MarkupScanner& state, bool splitEvery, int* consumed)
{
    if (consumed)
        *consumed = 0;
    CDC* dc = state.BoundDC();
    if (!lineText || !*lineText || !dc || line < 0 || line >= block.LineCount()) {
        DiagPrintf("KFntRenderTextLine() Abort\n");
        return false;
    }
    const CTextBlock::Line& l = block.GetLine(line);
    const int* advances = block.GetLineAdvances(line);
    const int rot = block.Rotation();
    std::vector<char>& run = RunBuffer();
    run.clear();
    int runColumn = 0, column = 0;
    int shift = BaselineShift(state, l);
    bool result = true;
    auto flush = [&] {
        if (run.empty())
            return;
        const int n = int(run.size());
        const int* adv = advances + runColumn;
        const int px = rot == 900 ? x + shift : rot == 2700 ? x - shift : x;
        const int py = rot == 0 ? y + shift : y;
        result = dc->ExtTextOut(px, py, 0, nullptr, run.data(), UINT(n), adv);
        int sum = 0;
        for (int i = 0; i < n; ++i)
            sum += adv[i];
        if (rot == 900)
            y -= sum;
        else if (rot == 2700)
            y += sum;
        else
            x += sum;
        runColumn += n;
        run.clear();
    };
    int offset = 0;
    ScannedToken t;
    while (ScanTokenAt(lineText, offset, state, t)) {
        offset += t.length;
        const int kind = t.kind;
        const char ch = t.ch;
        if (!t.inText)
            continue;
        if (t.anyChange && FontAttrsChanged(state)) {
            flush();
            if (state.UpdateDCFont(false))
                shift = BaselineShift(state, l);
        }
        if (kind == Mk::Line || kind == Mk::SoftLine)
            break;
        if (kind != Mk::Char || column >= l.count)
            continue;
        // The blank a line ends with before a soft break is never drawn.
        const bool finalBlank = l.endsWithBlank && column == l.count - 1;
        ++column;
        if (finalBlank)
            continue;
        run.push_back(ch);
        if (splitEvery)
            flush();
    }
    flush();
    if (consumed)
        *consumed = offset;
    return result;
}

void RenderFigTextBlock(const RenderTextRequest& r)
{
    CDC* dc = r.dc;
    if (!dc || !r.format)
        return;
    dc->SetTextColor(r.textColor);
    dc->SetBkMode(TRANSPARENT);
    CTextBlock own;
    const CTextBlock* block = r.block;
    if (!block) {
        const int wanted = r.rotation == 0 ? r.rect.Height() : r.rect.Width();
        own.Layout(r.text, r.rotation, *r.format, dc, r.deviceScaling, true, r.spacing, wanted);
        block = &own;
    }
    if (block->LineCount() == 0)
        return;
    dc->SaveDC();
    MarkupScanner s;
    s.Init(r.format);
    CRect rect = r.rect;
    CRect clipRect = r.clipRect ? *r.clipRect : r.rect;
    if (r.deviceScaling) {
        dc->LPtoDP(&rect);
        rect.NormalizeRect();
        dc->LPtoDP(&clipRect);
        clipRect.NormalizeRect();
        s.scaleFrom = r.windowExt ? *r.windowExt : dc->GetWindowExt();
        s.scaleTo = r.viewportExt ? *r.viewportExt : dc->GetViewportExt();
        dc->SetViewportOrg(0, 0);
        dc->SetWindowOrg(0, 0);
        dc->SetMapMode(MM_TEXT);
    }
    LOGFONT base = r.format->font.lfHeight != 0 ? r.format->font : s.baseFont;
    base.lfEscapement = base.lfOrientation = r.rotation;
    s.BeginDC(dc, base);
    s.UpdateDCFont(true);
    if (r.clip)
        dc->IntersectClipRect(&clipRect);
    const unsigned align = AlignFromText(r.text, r.format->align);
    const CPoint origin = GetBlockOrigin(*block, rect, align);
    dc->SetTextAlign(TA_BASELINE | TA_LEFT);
    const char* p = r.text.c_str();
    int at = 0;
    for (int i = 0; i < block->LineCount(); ++i) {
        const CPoint lo = GetLineOrigin(*block, i, origin, align);
        int used = 0;
        KFntRenderTextLine(*block, p + at, i, lo.x, lo.y, s, r.splitRuns, &used);
        at += used;
    }
    s.EndDC();
    dc->RestoreDC(-1);
}
