#include "shapes/CFigSymbol.h"

#include "shapes/DividedShapeKinds.h"
#include "geometry/SymbolSpace.h"

#include <algorithm>
#include <cstring>
#include <iterator>

thread_local OutlineWorkState g_outlineWork;

namespace {

// The special-shape name table, and whether divider handle 0 can be placed on
// a 100 × 100 rectangle.
int TableKind(const std::string& name) { return GetSpecialKindFromName(name); }
bool HasDividerHandle0(const CFigSymbol& symbol)
{
    CPoint pt;
    return symbol.GetDividerHandle(0, pt, CRect(0, 0, 100, 100)) != 0;
}

CFigSymbol::KindFromNameFn s_kindFromName = TableKind;
CFigSymbol::HasDividerHandleFn s_hasDivider = HasDividerHandle0;

constexpr const char* kOversizeNames[] = {
    "decision", "decision2", "diamond", "SDL decision", "ER relation", "ER relation2",
    "diamond double", "condition",
};

} // namespace

void CFigSymbol::SetReshapeKindHooks(KindFromNameFn kindFromName, HasDividerHandleFn hasDivider)
{
    s_kindFromName = kindFromName ? kindFromName : TableKind;
    s_hasDivider = hasDivider ? hasDivider : HasDividerHandle0;
}

void ResetFigSymbolState()
{
    g_outlineWork = OutlineWorkState();
    CFigSymbol::SetReshapeKindHooks(nullptr, nullptr);
}

bool IsGlyphKind(int kind)
{
    return kind == 61 || (kind >= 163 && kind <= 171);
}

void CFigSymbol::Clear()
{
    Reset();
    m_nUseFlag = 0;
    m_strName.clear();
    m_nFillPos = m_nOutlinePos = m_nMiniOutlinePos = m_nTextBoxPos = -1;
    m_nTextBoxes = 0;
    for (CFltRect& f : m_frames)
        f = CFltRect();
    m_nFrames = 0;
    std::memset(m_frameValues, 0, sizeof m_frameValues);
    m_hotZone.Clear();
    FixedAspect = 0;
    m_nProgramLength = 0;
    Reshape = InternalIcon = Silhouette = OversizeText = XRenderHot = 0;
    DisplayScale = 100;
    DisplayThick = 1;
    Height = Width = 0;
    m_program.fill(0);
    m_conPts.Reset();
}

void CFigSymbol::CopyFrom(const CFigSymbol& o)
{
    if (&o == this)
        return;
    StockNameKind::operator=(o);
    m_nUseFlag = o.m_nUseFlag;
    m_strName = o.m_strName;
    m_nFillPos = o.m_nFillPos;
    m_nOutlinePos = o.m_nOutlinePos;
    m_nMiniOutlinePos = o.m_nMiniOutlinePos;
    m_nTextBoxPos = o.m_nTextBoxPos;
    m_nTextBoxes = o.m_nTextBoxes;
    std::memcpy(m_frames, o.m_frames, sizeof m_frames);
    m_nFrames = o.m_nFrames;
    std::memcpy(m_frameValues, o.m_frameValues, sizeof m_frameValues);
    m_hotZone = o.m_hotZone;
    FixedAspect = o.FixedAspect;
    m_nProgramLength = o.m_nProgramLength;
    Reshape = o.Reshape;
    InternalIcon = o.InternalIcon;
    Silhouette = o.Silhouette;
    DisplayScale = o.DisplayScale;
    OversizeText = o.OversizeText;
    XRenderHot = o.XRenderHot;
    DisplayThick = o.DisplayThick;
    Height = o.Height;
    Width = o.Width;
    // Only the used part of the program is copied; a bad length copies nothing.
    const int n = (o.m_nProgramLength > 0 && o.m_nProgramLength <= kProgramSize) ? o.m_nProgramLength : 0;
    std::memcpy(m_program.data(), o.m_program.data(), static_cast<size_t>(n));
    m_conPts.CopyFrom(o.m_conPts);
}

void CFigSymbol::SetName(const std::string& name)
{
    m_strName = name;
    Reset();
}

bool CFigSymbol::SetProgram(const BYTE* bytes, int length, int32_t fillPos, int32_t outlinePos,
                            int32_t miniPos, int32_t textBoxPos, int32_t textBoxCount)
{
    const OutlineSubProgram subs[] = {{fillPos, kOpEndFill}, {outlinePos, kOpEndOutline},
                                      {miniPos, kOpEndOutline}};
    if (!ValidateOutlineProgram(bytes, length, kProgramSize, subs, 3,
                                OutlineOpSet::FigureSymbol, textBoxPos, textBoxCount))
        return false;
    std::memcpy(m_program.data(), bytes, static_cast<size_t>(length));
    m_nProgramLength = length;
    m_nFillPos = fillPos;
    m_nOutlinePos = outlinePos;
    m_nMiniOutlinePos = miniPos;
    m_nTextBoxPos = textBoxPos;
    m_nTextBoxes = textBoxCount;
    return true;
}

bool CFigSymbol::IsProgramValid() const
{
    const OutlineSubProgram subs[] = {{m_nFillPos, kOpEndFill}, {m_nOutlinePos, kOpEndOutline},
                                      {m_nMiniOutlinePos, kOpEndOutline}};
    return ValidateOutlineProgram(m_program.data(), m_nProgramLength, kProgramSize,
                                  subs, 3, OutlineOpSet::FigureSymbol,
                                  m_nTextBoxPos, m_nTextBoxes) &&
           m_nFrames >= 0 && m_nFrames <= kMaxFrames;
}

int CFigSymbol::IsSameShape(const CFigSymbol& o) const
{
    if (Height != o.Height || Width != o.Width || FixedAspect != o.FixedAspect ||
        DisplayThick != o.DisplayThick || InternalIcon != o.InternalIcon ||
        Silhouette != o.Silhouette || XRenderHot != o.XRenderHot || OversizeText != o.OversizeText ||
        DisplayScale != o.DisplayScale || Reshape != o.Reshape || m_nTextBoxes != o.m_nTextBoxes ||
        m_nFrames != o.m_nFrames || m_nProgramLength != o.m_nProgramLength)
        return 0;
    const int frames = (m_nFrames >= 0 && m_nFrames <= kMaxFrames) ? m_nFrames : 0;
    for (int i = 0; i < frames; ++i) {
        const CFltRect& a = m_frames[i];
        const CFltRect& b = o.m_frames[i];
        if (m_frameValues[i] != o.m_frameValues[i] || a.left != b.left || a.top != b.top ||
            a.right != b.right || a.bottom != b.bottom)
            return 0;
    }
    const int n = (m_nProgramLength > 0 && m_nProgramLength <= kProgramSize) ? m_nProgramLength : 0;
    if (std::memcmp(m_program.data(), o.m_program.data(), static_cast<size_t>(n)) != 0)
        return 0;
    return m_conPts.IsEqual(o.m_conPts) && m_hotZone == o.m_hotZone ? 1 : 0;
}

void CFigSymbol::ComputeReshapeKind()
{
    Reshape = s_kindFromName(m_strName);
    if (Reshape == 101 && !s_hasDivider(*this))
        Reshape = 0;
}

void CFigSymbol::SetOversizeForDiamonds()
{
    if (OversizeText != 0)
        return;
    for (const char* name : kOversizeNames) {
        if (m_strName == name) {
            OversizeText = 1;
            return;
        }
    }
}

void CFigSymbol::DropMiniOutline()
{
    const int mini = m_nMiniOutlinePos;
    if (mini < 0)
        return;
    m_nMiniOutlinePos = -1;
    // The mini outline is compacted away only in the usual layout where
    // nothing but the text boxes follows it; otherwise its bytes stay unused.
    if (m_nFillPos > mini || m_nOutlinePos > mini || mini > m_nProgramLength)
        return;
    const std::vector<BYTE> before(m_program.begin(), m_program.begin() + m_nProgramLength);
    const int oldLength = m_nProgramLength;
    const int oldBoxes = m_nTextBoxPos;
    if (m_nTextBoxPos > mini && m_nTextBoxes > 0) {
        const int bytes = m_nTextBoxes * kOutlineRectBytes;
        if (m_nTextBoxPos + bytes > m_nProgramLength)
            return;
        std::memmove(m_program.data() + mini, m_program.data() + m_nTextBoxPos, static_cast<size_t>(bytes));
        m_nProgramLength -= m_nTextBoxPos - mini;
        m_nTextBoxPos = mini;
    } else if (m_nTextBoxPos < 0) {
        m_nProgramLength = mini;
    }
    // A program whose other parts overlap the removed bytes (only a damaged
    // one does) keeps its bytes; the mini outline is merely no longer used.
    if (!IsProgramValid()) {
        std::copy(before.begin(), before.end(), m_program.begin());
        m_nProgramLength = oldLength;
        m_nTextBoxPos = oldBoxes;
    }
}

void ToSymbolUnits(CFltPoint& pt, const RECT& rect)
{
    const double w = static_cast<double>(rect.right) - rect.left;
    const double h = static_cast<double>(rect.bottom) - rect.top;
    if (w <= 0 || h <= 0)
        return;
    pt.x = static_cast<float>((pt.x - rect.left) * 2048.0 / w);
    pt.y = static_cast<float>((pt.y - rect.top) * 2048.0 / h);
    pt.m_nXMode = 0;
    pt.m_nYMode = 0;
}

void RectToSymbolUnits(CFltRect& r, const RECT& rect)
{
    CFltPoint c1 = r.GetCorner1();
    CFltPoint c2 = r.GetCorner2();
    ToSymbolUnits(c1, rect);
    ToSymbolUnits(c2, rect);
    r.SetCorners(c1, c2);
}

int CFigSymbol::GetHotZoneInRect(const RECT& rect, std::vector<CFltPoint>& points) const
{
    if (!m_hotZone.HasPoints())
        return 0;
    points.assign(m_hotZone.GetPoints(), m_hotZone.GetPoints() + m_hotZone.GetCount());
    for (CFltPoint& p : points)
        MapNormPtToRect(p, rect, 0.0);
    return 1;
}
