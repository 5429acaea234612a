#include "richtext/CTextBlock.h"

#include "richtext/CharWidthTable.h"
#include "richtext/MarkupScanner.h"
#include "richtext/MarkupWalker.h"
#include "richtext/MeasureDC.h"
#include "platform/CDC.h"
#include "platform/WinTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

namespace {

struct SharedAdvances {
    std::unique_ptr<int[]> data;
    int capacity = 0;
};

SharedAdvances& Shared()
{
    static thread_local SharedAdvances shared;  // one a drawing thread
    return shared;
}

// Spacing values from files may be anything: products are kept in range.
int ClampToInt(double v)
{
    if (!(v == v))
        return 0;
    return int(std::clamp(v, -1.0e7, 1.0e7));
}

} // namespace

int SharedAdvanceCapacity()
{
    return Shared().capacity;
}

void ResetSharedAdvances()
{
    Shared().data.reset();
    Shared().capacity = 0;
}

CTextBlock::~CTextBlock()
{
    FreeAdvances();
}

void CTextBlock::FreeAdvances()
{
    if (!m_bShared)
        delete[] m_pAdvances;
    m_pAdvances = nullptr;
    m_nCapacity = 0;
    m_bShared = 0;
}

bool CTextBlock::PrepareAdvances(int length, bool useShared)
{
    if (useShared) {
        SharedAdvances& s = Shared();
        if (s.capacity < length + 1) {
            const int grown = s.capacity + ((length - s.capacity) & ~255) + 256;
            int* data = new (std::nothrow) int[size_t(grown)];
            if (!data) {
                FreeAdvances();
                return false;
            }
            s.data.reset(data);
            s.capacity = grown;
        }
        if (!m_bShared)
            delete[] m_pAdvances;
        m_pAdvances = s.data.get();
        m_nCapacity = s.capacity;
        m_bShared = 1;
        return true;
    }
    const int needed = ((length + 256) / 256) * 256;
    if (m_bShared || m_nCapacity < needed) {
        FreeAdvances();
        m_pAdvances = new (std::nothrow) int[size_t(needed)];
        if (!m_pAdvances)
            return false;
        m_nCapacity = needed;
    }
    return true;
}

int CTextBlock::Layout(const std::string& text, int rotation, const TextFormatRec& format, CDC* dc,
                       bool measureOnDisplay, bool useShared, const LineSpacing& spacing, int wantedHeight)
{
    m_nRotation = rotation;
    int breaks = 0;
    {
        MarkupWalker w(text);
        while (w.Step())
            if (w.visible && w.kind != Mk::Char)
                ++breaks;
    }
    m_nLines = breaks + 1;
    m_lines.assign(size_t(m_nLines), Line());
    if (!PrepareAdvances(MarkupLength(text), useShared)) {
        m_nLines = 0;
        m_lines.clear();
        return 0;
    }
    CDC* measure = dc && !measureOnDisplay ? dc : DisplayMeasureDC();
    MarkupScanner s;
    s.Init(&format);
    LOGFONT base = format.font.lfHeight != 0 ? format.font : s.baseFont;
    base.lfEscapement = base.lfOrientation = rotation;
    s.BeginDC(measure, base);
    s.UpdateDCFont(true);
    MeasureLines(text, s, spacing);
    s.EndDC();
    if (measureOnDisplay && dc && (dc->GetViewportExt() != dc->GetWindowExt())) {
        const CSize win = dc->GetWindowExt(), vp = dc->GetViewportExt();
        if (wantedHeight > 0)
            wantedHeight = rotation == 0 ? MulDiv(wantedHeight, vp.cy, win.cy) : MulDiv(wantedHeight, vp.cx, win.cx);
        ScaleMetrics(win, vp, false);
    }
    if (wantedHeight > 0 && wantedHeight == GetTotalHeight() - 1)
        SetTotalHeight(wantedHeight);
    return 1;
}

void CTextBlock::MeasureLines(const std::string& text, MarkupScanner& s, const LineSpacing& spacing)
{
    const ABC* abc = MarkupCharWidths();
    int line = 0, adv = 0;
    int leading = 0;
    bool newFont = true, runEmpty = true, lastBlank = false;
    int runWidth = 0, lastC = 0;
    auto closeRun = [&] {
        if (!runEmpty)
            m_lines[size_t(line)].width += runWidth + (lastC < 0 ? -lastC : 0);
        runWidth = 0;
        runEmpty = true;
    };
    auto finishLine = [&] {
        closeRun();
        Line& l = m_lines[size_t(line)];
        if (l.height < 0 || l.count == 0) {
            const TEXTMETRIC& tm = MarkupTextMetrics();
            l.ascent = tm.tmAscent;
            l.height = tm.tmAscent + tm.tmDescent;
            leading = tm.tmInternalLeading;
        }
        ApplySpacing(line, leading, spacing);
    };
    auto startLine = [&] {
        Line& l = m_lines[size_t(line)];
        l.firstAdvance = adv;
        l.ascent = l.height = -1;
        newFont = true;
        lastBlank = false;
    };
    startLine();
    ScannedToken t;
    for (int offset = 0; ScanTokenAt(text.c_str(), offset, s, t); offset += t.length) {
        const int kind = t.kind;
        const char ch = t.ch;
        if (!t.inText)
            continue;
        if (t.anyChange && s.UpdateDCFont(false)) {
            closeRun();
            newFont = true;
        }
        if (kind == Mk::Line || kind == Mk::SoftLine) {
            if (kind == Mk::SoftLine)
                m_lines[size_t(line)].endsWithBlank = lastBlank ? 1 : 0;
            finishLine();
            if (line + 1 >= m_nLines)
                break;
            ++line;
            startLine();
            continue;
        }
        if (kind != Mk::Char || adv >= m_nCapacity)
            continue;
        const ABC& a = abc[static_cast<unsigned char>(ch)];
        const int w = a.abcA + int(a.abcB) + a.abcC;
        m_pAdvances[adv++] = w;
        Line& l = m_lines[size_t(line)];
        ++l.count;
        runWidth += w + (runEmpty && a.abcA < 0 ? -a.abcA : 0);
        runEmpty = false;
        lastC = a.abcC;
        lastBlank = ch == ' ';
        if (newFont) {
            const TEXTMETRIC& tm = MarkupTextMetrics();
            const int h = tm.tmAscent + tm.tmDescent;
            if (h > l.height) {
                l.height = h;
                leading = tm.tmInternalLeading;
            }
            l.ascent = std::max(l.ascent, int(tm.tmAscent));
            newFont = false;
        }
    }
    finishLine();
    // Lines past a break that ended the walk early keep the last metrics.
    for (int i = line + 1; i < m_nLines; ++i) {
        m_lines[size_t(i)] = m_lines[size_t(line)];
        m_lines[size_t(i)].count = 0;
        m_lines[size_t(i)].width = 0;
        m_lines[size_t(i)].firstAdvance = adv;
    }
}

void CTextBlock::ApplySpacing(int line, int leading, const LineSpacing& spacing)
{
    Line& l = m_lines[size_t(line)];
    Line* prev = line > 0 ? &m_lines[size_t(line - 1)] : nullptr;
    const int h = l.height;
    const double v = spacing.value;
    const int r = ClampToInt(std::round(v));
    switch (spacing.kind) {
    case 1:
        l.gap = ClampToInt(1.5 * h - h);
        break;
    case 2:
        l.gap = h;
        break;
    case 3:
        if (prev)
            prev->gap = -2 * leading / 3;
        break;
    case 4:
        if (prev)
            prev->gap = -4 * leading / 3;
        break;
    case 5:
        l.gap = ClampToInt(h * v * 0.01 - h);
        break;
    case 6:
        if (prev && r >= 0)
            prev->gap = r - h;
        break;
    case 7:
        if (prev)
            prev->gap -= 4 * leading / 3;
        l.gap = std::max(r, 4 * leading / 3 - h);
        break;
    default:
        l.gap = 0;
        break;
    }
}

CSize CTextBlock::GetExtent(bool withTrailingBlanks) const
{
    int widest = 0;
    for (int i = 0; i < m_nLines; ++i)
        widest = std::max(widest, GetLineWidth(i, withTrailingBlanks));
    return CSize(widest, GetTotalHeight());
}

int CTextBlock::GetTotalHeight() const
{
    int total = 0;
    for (int i = 0; i < m_nLines; ++i)
        total += m_lines[size_t(i)].height + (i + 1 < m_nLines ? m_lines[size_t(i)].gap : 0);
    return total;
}

int CTextBlock::GetLineWidth(int line, bool withTrailingBlank) const
{
    if (line < 0 || line >= m_nLines)
        return 0;
    const Line& l = m_lines[size_t(line)];
    if (l.endsWithBlank && !withTrailingBlank && l.count > 0 && m_pAdvances)
        return l.width - m_pAdvances[l.firstAdvance + l.count - 1];
    return l.width;
}

int CTextBlock::GetLineTop(int n) const
{
    int top = 0;
    for (int i = 0; i < n && i < m_nLines; ++i)
        top += m_lines[size_t(i)].height + m_lines[size_t(i)].gap;
    return top;
}

int CTextBlock::GetBaselineOffset(int n) const
{
    if (m_nLines == 0)
        return 0;
    int offset = m_lines[0].ascent;
    for (int i = 0; i < n && i + 1 < m_nLines; ++i) {
        const Line& a = m_lines[size_t(i)];
        offset += a.height - a.ascent + a.gap + m_lines[size_t(i + 1)].ascent;
    }
    return offset;
}

const int* CTextBlock::GetLineAdvances(int line) const
{
    if (m_nLines == 0 || !m_pAdvances || line < 0 || line >= m_nLines)
        return nullptr;
    return m_pAdvances + m_lines[size_t(line)].firstAdvance;
}

int CTextBlock::GetCharOffset(int line, int column) const
{
    const int* adv = GetLineAdvances(line);
    if (!adv)
        return 0;
    const int count = m_lines[size_t(line)].count;
    int sum = 0;
    for (int i = 0; i < column && i < count; ++i)
        sum += adv[i];
    return sum + (column >= 0 && column < count ? adv[column] : 0);
}

int CTextBlock::GetCharCount() const
{
    int count = 0;
    for (int i = 0; i < m_nLines; ++i)
        count += m_lines[size_t(i)].count;
    return count;
}

int CTextBlock::GetWidthForHeight(int height) const
{
    if (m_nLines == 0)
        return 0;
    // Negative gaps (reduced spacing) can make the per-line height 0 or less.
    int perLine = GetTotalHeight() / m_nLines;
    if (perLine <= 0)
        perLine = 1;
    const int chars = GetCharCount();
    const int fit = std::max(1, std::min(height / perLine, chars));
    int64_t sum = 0;
    int widest = 0;
    for (int i = 0; i < m_nLines; ++i) {
        sum += m_lines[size_t(i)].width;
        const int* adv = GetLineAdvances(i);
        for (int k = 0; adv && k < m_lines[size_t(i)].count; ++k)
            widest = std::max(widest, adv[k]);
    }
    const int64_t width = sum / fit;
    return int(std::clamp<int64_t>(width, widest, std::max<int64_t>(sum, widest)));
}

void CTextBlock::SetTotalHeight(int h)
{
    const int total = GetTotalHeight();
    if (h <= 0 || m_nLines < 2 || h == total)
        return;
    int gaps = 0;
    for (int i = 0; i + 1 < m_nLines; ++i)
        gaps += m_lines[size_t(i)].gap;
    DistributeGaps(h + gaps - total);
}

void CTextBlock::DistributeGaps(int a)
{
    const int n = m_nLines - 1;
    for (int i = 0; i < n; ++i) {
        int& gap = m_lines[size_t(i)].gap;
        if (a == 0)
            gap = 0;
        else if (a > 0)
            gap = a / n + (i < a % n ? 1 : 0);
        else
            gap = -(-a / n) - ((-a % n) + i >= n ? 1 : 0);
    }
}

void CTextBlock::ScaleMetrics(const CSize& from, const CSize& to, bool adjustHeight)
{
    const bool rotated = m_nRotation != 0;
    const int vNum = rotated ? to.cx : to.cy, vDen = rotated ? from.cx : from.cy;
    const int hNum = rotated ? to.cy : to.cx, hDen = rotated ? from.cy : from.cx;
    if (vDen == 0 || hDen == 0)
        return;
    const int oldTotal = GetTotalHeight();
    for (int i = 0; i < m_nLines; ++i) {
        Line& l = m_lines[size_t(i)];
        l.ascent = MulDiv(l.ascent, vNum, vDen);
        l.height = MulDiv(l.height, vNum, vDen);
        l.gap = MulDiv(l.gap, vNum, vDen);
        l.width = MulDiv(l.width, hNum, hDen);
        // Advances with the remainders carried, so that their sum stays true.
        const int64_t den = std::llabs(int64_t(hDen));
        const int64_t num = hDen < 0 ? -int64_t(hNum) : int64_t(hNum);
        int64_t carry = 0;
        for (int k = 0; m_pAdvances && k < l.count; ++k) {
            int& a = m_pAdvances[l.firstAdvance + k];
            const int64_t product = int64_t(a) * num;
            int64_t q = product / den;
            carry += product % den;
            if (carry >= den) {
                ++q;
                carry -= den;
            } else if (carry <= -den) {
                --q;
                carry += den;
            }
            a = int(q);
        }
    }
    if (adjustHeight)
        SetTotalHeight(MulDiv(oldTotal, vNum, vDen));
}
