#include "controls/CLinePatternButton.h"

#include "graphics/CDCSave.h"
#include "platform/CDC.h"
#include "render/ConPolylineDraw.h"
#include "render/PreviewSample.h"
#include "shapes/CConProps.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"

const std::array<WORD, kLinePatternCount> kLinePatternOrder = {0,  5,  6,  10, 7,  11, 9,  20, 8,  21, 2,  4,
                                                               14, 3,  12, 22, 13, 23, 15, 16, 18, 17, 1,  19};

namespace {
constexpr WORD kCurvatureShapes[4] = {0, 16, 2, 8};
constexpr COLORREF kFaceFrame = RGB(128, 128, 128);

void FrameFace(CDC* dc, const CRect& rect)
{
    CRect r = rect;
    r.DeflateRect(6, 6);
    CBrush grey(kFaceFrame);
    dc->FrameRect(&r, &grey);
}
} // namespace

// ---- line patterns ----

void CLinePatternButton::SetPattern(int pattern)
{
    if (pattern == m_nPattern)
        return;
    m_nPattern = pattern;
    update();
}

bool CLinePatternButton::FillValues(CPaletteItemList& list)
{
    list.Clear();
    for (WORD pattern : kLinePatternOrder)
        list.Append(pattern);
    return true;
}

void CLinePatternButton::DrawPatternLine(CDC* dc, int left, int right, int y, int pattern, COLORREF color)
{
    // The sample is a connector of the default record carrying the pattern,
    // so the palette shows each value exactly as a connector draws it.
    CConProps props;
    props.PenStyle = pattern;
    props.Color = color;
    const POINT points[2] = {{left, y}, {right, y}};
    CDCSave save(*dc);
    DrawConPolyline(nullptr, dc, nullptr, props, points, 2, false, false, true);
}

void CLinePatternButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    DrawPatternLine(dc, rect.left, rect.right, rect.top + rect.Height() / 2, value, RGB(0, 0, 0));
}

void CLinePatternButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    DrawPatternLine(dc, rect.left + 8, rect.right - 8, rect.top + rect.Height() / 2, m_nPattern,
                    disabled ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
}

void CToolLinePatternButton::DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled)
{
    if (!DrawFaceImage(dc, rect, disabled, 7))
        CLinePatternButton::DrawFace(dc, rect, notPressed, disabled);
}

void CLinePatternButton::BeforeDrop()
{
    // A pattern the palette does not offer shows as the first one.
    SetCurrentValue(m_nPattern >= 0 && m_nPattern < kLinePatternCount ? WORD(m_nPattern) : WORD(0));
    CDropPaletteButton::BeforeDrop();
}

void CLinePatternButton::Select(WORD value)
{
    m_nPattern = value;
    CDropPaletteButton::Select(value);
}

// ---- curvature ----

bool CCurvatureButton::Create(int ctrlId, QWidget* parent)
{
    return CreatePalette(ctrlId, parent, 26, 60, 3, 3, 0, 1, 0, false, false, false, false, kAlignCenter, false);
}

void CCurvatureButton::SetCurvature(uint64_t value)
{
    if (value == m_nCurvature)
        return;
    m_nCurvature = value;
    update();
}

bool CCurvatureButton::FillValues(CPaletteItemList& list)
{
    list.Clear();
    for (WORD shape : kCurvatureShapes)
        list.Append(shape);
    return true;
}

void CCurvatureButton::DrawShapeSample(CDC* dc, const CRect& rect, int shape, bool disabled)
{
    const int x = rect.left + (rect.Width() - 45) / 2, y = rect.top + (rect.Height() - 20) / 2;
    DrawLineSample(dc, CRect(x, y, x + 45, y + 20), unsigned(shape), disabled);
}

void CCurvatureButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    DrawShapeSample(dc, rect, value, false);
}

void CCurvatureButton::DrawFace(CDC* dc, const CRect& rect, bool, bool)
{
    FrameFace(dc, rect);
}

void CCurvatureButton::BeforeDrop()
{
    const auto bits = WORD(m_nCurvature & 0x1A);
    SetCurrentValue(HasValue(bits) ? bits : kNone);
    CDropPaletteButton::BeforeDrop();
}

void CCurvatureButton::Select(WORD value)
{
    // The shape alone: the second half of the value is cleared.
    m_nCurvature = value;
    CDropPaletteButton::Select(value);
}

void CToolCurvatureButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    DrawShapeSample(dc, rect, int(GetCurvature() & 0x1A), disabled);
}
