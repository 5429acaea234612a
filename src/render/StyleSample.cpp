#include "render/StyleSample.h"

#include "core/NumericHelpers.h"
#include "document/CKavoDoc.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/SysColors.h"
#include "render/ConDrawContext.h"
#include "render/ConLineShapes.h"
#include "render/ConnectorDraw.h"
#include "render/FigShapeDraw.h"
#include "render/PreviewSample.h"
#include "render/RenderFigure.h"
#include "shapes/CConStyle.h"
#include "shapes/CFigProps.h"
#include "shapes/CFigSymbol.h"
#include "shapes/CShapeDef.h"
#include "shapes/COutlineWriter.h"
#include "shapes/EndShapeDraw.h"

#include <QPolygonF>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxConStyleIndex = 1000;
constexpr int kSampleModeStyle = 6;      // the drawing mode of style samples
constexpr int kSampleLabelGap = 12;
constexpr COLORREF kIconBackground = 0xE6E6E6;
constexpr int kAnchorLineKind = 39;      // connector stock kind drawn without ends
constexpr COLORREF kDefaultTranspColor = RGB(255, 0, 255);
constexpr int kDataLabelPercent = 150;   // data-message labels enlarged by half

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

// Anisotropic mapping of the box (origin 0, 0) onto the rectangle.
void MapBoxOntoRect(CDC& dc, SIZE box, const CRect& rect)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(0, 0);
    dc.SetWindowExt(std::max<int>(1, box.cx), std::max<int>(1, box.cy));
    dc.SetViewportOrg(rect.left, rect.top);
    dc.SetViewportExt(std::max(1, rect.Width()), std::max(1, rect.Height()));
}

// The rectangle grown by `grow` device units, clipped in the box's units.
void ClipToGrownRect(CDC& dc, const CRect& deviceRect, int grow)
{
    CRect clip = deviceRect;
    clip.InflateRect(grow, grow);
    dc.DPtoLP(&clip);
    clip.NormalizeRect();
    dc.IntersectClipRect(clip.left, clip.top, clip.right, clip.bottom);
}

const CConStyle* FindConStyle(const CKavoDoc* doc, const std::string& name)
{
    for (int i = 0; i < doc->m_conStyles.GetCount(); ++i) {
        const CConStyle* s = doc->m_conStyles.GetAt(i);
        if (s && s->m_strName == name)
            return s;
    }
    return nullptr;
}

// Vertical message samples take the proportions of the found-message label,
// so that all of them show their labels alike: the rectangle is narrowed,
// centred, to the ratio of that label's extents.
void NarrowToFoundLabel(const CKavoDoc* doc, CRect& rect)
{
    const CConStyle* found = FindConStyle(doc, "Message FOUND Right");
    if (!found)
        return;
    const CSize extent = MeasureConLabelText(doc, found->AutoLabelText);
    if (extent.cx <= 0 || extent.cy <= 0)
        return;
    const int width = MulDiv(rect.Height(), extent.cx, extent.cy);
    if (width <= 0 || width >= rect.Width())
        return;
    rect.left += (rect.Width() - width) / 2;
    rect.right = rect.left + width;
}

// A line sample runs along the longer side of its box: the direction asked
// for is turned a quarter (top-down to left-right, bottom-up to right-left
// and back) when it would run across a box longer the other way, where it
// would leave room for no more than a speck of the line and its ends.
int SampleAngleAlongBox(int angle, int width, int height)
{
    const bool vertical = angle == 90 || angle == 270;
    if (vertical && width > height)
        return angle == 90 ? 180 : 0;
    if (!vertical && height > width && (angle == 0 || angle == 180))
        return angle == 180 ? 90 : 270;
    return angle;
}

const CFigSymbol* LookUpSymbol(const CKavoDoc* doc, int index)
{
    if (!doc || index < 0 || index >= doc->m_figSymbols.GetCount())
        return nullptr;
    return doc->m_figSymbols.GetAt(index);
}

// Outline points mapped from their own bounds into the box.
std::vector<POINT> MapOutlineIntoBox(const POINT* points, int count, SIZE box)
{
    std::vector<POINT> out(points, points + count);
    CRect bounds(points[0].x, points[0].y, points[0].x, points[0].y);
    for (const POINT& p : out) {
        bounds.left = std::min<int>(bounds.left, p.x), bounds.right = std::max<int>(bounds.right, p.x);
        bounds.top = std::min<int>(bounds.top, p.y), bounds.bottom = std::max<int>(bounds.bottom, p.y);
    }
    for (POINT& p : out) {
        p.x = bounds.Width() ? MulDiv(p.x - bounds.left, box.cx, bounds.Width()) : 0;
        p.y = bounds.Height() ? MulDiv(p.y - bounds.top, box.cy, bounds.Height()) : 0;
    }
    return out;
}

void DrawSampleShape(CDC& dc, const CFigProps& props, const CKavoDoc* doc, const CRect& box, const CRect& deviceRect,
                     const StyleSampleArgs& args, const std::vector<POINT>& outline)
{
    const CFigSymbol* symbol = LookUpSymbol(doc, props.Symbol);
    if (!symbol)
        symbol = &DefaultSampleSymbol();
    ShapeDrawAttrs a;
    a.m_symbol = symbol;
    a.m_subSymbol = LookUpSymbol(doc, props.Icon);
    a.m_lineWidth = props.BorderWidth;
    a.m_lineStyle = props.PenStyle;
    a.m_textFormatWord = short(props.TextFormat);
    a.m_borderColor = props.BorderColor;
    a.m_textColor = props.TextColor;
    a.m_fill.Copy(props.m_fill);
    a.m_pictureKind = props.HasGraphic() ? props.m_nGraphicType : 0;
    a.m_pictureData = props.Graphic;
    a.m_outputKind = kSampleModeStyle;
    // Bitmaps keyed on the document's transparent colour, as it shows them.
    a.m_pictureFlag = doc ? doc->m_bTranspBMPs : 1;
    a.m_pictureBackColor = doc ? doc->m_crTranspColor : kDefaultTranspColor;
    a.m_text = props.HideText ? nullptr : args.text;
    a.m_textFormats = args.text2;
    a.m_textAttrs = &props.m_font.m_lf;
    a.m_textFlag = args.editTextMode ? 3 : 4;
    // Text scale: box height over rectangle height, at least 1, times the
    // symbol's display scale when it enlarges.
    int scale = std::max(1, box.Height() / std::max(1, deviceRect.Height()));
    if (symbol->DisplayScale > 100)
        scale = scale * symbol->DisplayScale / 100;
    a.m_textParam4 = scale;
    a.m_textParam5 = doc ? doc->m_bOversizeTextRect : 0;
    a.m_flatCount = int(outline.size());
    a.m_flatPoints = outline.empty() ? nullptr : outline.data();
    DrawFigShape(nullptr, &dc, box, &a);
}

void DrawSampleFigure(CDC& dc, const CFigProps& props, CKavoDoc* doc, const CRect& box, const StyleSampleArgs& args,
                      const std::vector<POINT>& outline)
{
    const CFigSymbol* symbol = LookUpSymbol(doc, props.Symbol);
    if (!symbol)
        symbol = &DefaultSampleSymbol();
    FigRenderCtx ctx;
    ctx.mode = kSampleModeStyle;
    const CShadowSpec* shadow = nullptr;
    CShadowSpec own;
    if (args.withShadow && props.Shadow && props.HasGraphic()) {
        if (doc)
            own = doc->m_shadowSpec;
        shadow = &own;
    }
    QPolygonF polygon;
    for (const POINT& p : outline)
        polygon << QPointF(p.x, p.y);
    if (polygon.size() < 3)
        polygon = QPolygonF(QRectF(box.left, box.top, box.Width(), box.Height()));
    RenderFigure(nullptr, &dc, ctx, props.HideText ? nullptr : args.text, args.text2, box, props, symbol,
                 LookUpSymbol(doc, props.Icon), shadow, &polygon);
}

} // namespace

const CFigSymbol& DefaultSampleSymbol()
{
    static const CFigSymbol symbol = [] {
        CFigSymbol s;
        COutlineWriter w(s.m_program.data(), CFigSymbol::kProgramSize);
        s.m_nFillPos = w.Pos();
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.End(kOpEndFill);
        s.m_nOutlinePos = w.Pos();
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.End(kOpEndOutline);
        s.m_nTextBoxPos = w.Pos();
        WriteOutlineRect(s.m_program.data() + w.Pos(), CFltRect(0, 0, 2048, 2048));
        s.m_nTextBoxes = 1;
        s.m_nProgramLength = w.Pos() + 32;
        s.SetName("Rectangle");
        return s;
    }();
    return symbol;
}

SIZE StyleSampleBox(int width, int height, bool limitAspect)
{
    if (limitAspect) {
        if (width > 10 * height)
            width = 10 * height;
        else if (height > 10 * width)
            height = 10 * width;
    }
    return SIZE{width, height};
}

void DrawStyleSample(CDC* dc, const CFigProps& propsIn, CKavoDoc* doc, const RECT& rectIn,
                     const StyleSampleArgs& args)
{
    const CRect rect(rectIn);
    if (!dc || rect.IsRectEmpty())
        return;
    const int outer = dc->SaveDC();
    dc->SaveDC();
    CFigProps props = propsIn;
    SIZE box;
    CRect target = rect;
    if (args.sampleWidth < 1 || args.sampleHeight < 1) {
        box = SIZE{rect.Width(), rect.Height()};
        dc->DPtoLP(&box);
        box.cx = std::abs(box.cx), box.cy = std::abs(box.cy);
        props.BorderWidth = 1;
    } else {
        box = StyleSampleBox(args.sampleWidth, args.sampleHeight, args.limitAspect);
        FitSizeCenteredInRect(target, box.cx, box.cy);
    }
    std::vector<POINT> outline;
    if (args.outline && args.outlineCount > 0)
        outline = MapOutlineIntoBox(args.outline, args.outlineCount, box);
    // The clip is taken in the caller's units before the mapping changes.
    CRect clip = rect;
    clip.InflateRect(3, 3);
    MapBoxOntoRect(*dc, box, target);
    CRect clipLogical = clip;
    dc->DPtoLP(&clipLogical);
    clipLogical.NormalizeRect();
    dc->IntersectClipRect(clipLogical.left, clipLogical.top, clipLogical.right, clipLogical.bottom);
    if (args.maxBorder > 0 && std::abs(props.BorderWidth) > args.maxBorder)
        props.BorderWidth = props.BorderWidth < 0 ? -args.maxBorder : args.maxBorder;
    const CRect boxRect(0, 0, box.cx, box.cy);
    if (args.directShape || args.labelValue)
        DrawSampleShape(*dc, props, doc, boxRect, target, args, outline);
    else
        DrawSampleFigure(*dc, props, doc, boxRect, args, outline);
    dc->RestoreDC(outer);
}

void SimplifyConPropsForIcon(CConProps& p, const CKavoDoc* doc, const RECT& rectIn, COLORREF background,
                             bool outlineOnly[2])
{
    const CRect rect(rectIn);
    const int32_t ends[2] = {p.End1, p.End2};
    for (int e = 0; e < 2; ++e) {
        COLORREF& fill = e == 0 ? p.End1FillColor : p.End2FillColor;
        const CShapeDef* shape = doc && ends[e] >= 1 ? doc->m_endSymbols.GetAt(ends[e]) : nullptr;
        const bool solid = shape && shape->Silhouette;
        outlineOnly[e] = !solid && fill != p.Color && p.EndBorderWidth != 0;
        fill = outlineOnly[e] ? background : 0;
    }
    p.Color = 0;
    const bool indicatorHollow = p.FIBdrClr == p.FIFillClr || p.FIBdrWidth == 0;
    p.FIBdrClr = 0;
    p.FIFillClr = indicatorHollow ? 0 : background;
    // The sample's line runs along the box's longer side (DrawConLineSample).
    const int along = std::max(rect.Width(), rect.Height()), across = std::min(rect.Width(), rect.Height());
    const int third = along / 3;
    p.End1Length = std::min(p.End1Length, third);
    p.End2Length = std::min(p.End2Length, third);
    for (int32_t* w : {&p.LineWidth, &p.EndBorderWidth, &p.FIBdrWidth})
        if (*w > 0)
            *w = 1;
    const int most = across * 2 / 3;
    if (p.FISize > most && p.FISize > 0) {
        p.FISpacing = MulDiv(p.FISpacing, most, p.FISize);
        p.FISize = most;
    }
    p.FISpacing = std::min(p.FISpacing, along / 4);
}

void DrawConStyleSample(CDC* dc, int index, CKavoDoc* doc, const RECT& rect, bool iconMode, bool buttonFace,
                        bool plainOnly)
{
    if (!doc || !dc || index < 0 || index > kMaxConStyleIndex || index >= doc->m_conStyles.GetCount())
        return;
    const CConStyle* found = doc->m_conStyles.GetAt(index);
    if (!found)
        return;
    CConStyle style = *found;
    // A message style without a label position shows its " Right" twin of
    // the same category, without the twin's description.
    if (!plainOnly && StartsWith(style.m_strName, "Message ") && style.AutoLabelPosition <= 0) {
        const CConStyle* twin = FindConStyle(doc, style.m_strName + " Right");
        if (twin && twin->Category == style.Category) {
            style = *twin;
            style.Description = " ";
        }
    }
    const COLORREF background = buttonFace ? GetSysColor(COLOR_BTNFACE) : kIconBackground;
    if (style.AutoLabel && style.AutoLabelPosition > 0) {
        CRect target(rect);
        const bool message = StartsWith(style.Category, "Message");
        const bool across = style.FragmentAngle == 0 || style.FragmentAngle == 180;
        if (message && (style.FragmentAngle == 90 || style.FragmentAngle == 270))
            NarrowToFoundLabel(doc, target);
        // Data messages name what they carry: on a wide sample their label is
        // shown half as large again.
        const bool bigLabel = message && across && target.Width() > target.Height() &&
                              StartsWith(style.m_strName, "Message DATA ");
        CGraphics graphics(dc);
        DrawConStyleSampleGdip(target, style, doc, &graphics, iconMode ? background : RGB(255, 255, 255),
                               iconMode ? 1 : 2, bigLabel ? kDataLabelPercent : 100);
        return;
    }
    CConProps props = style.m_props;
    bool outlineOnly[2] = {false, false};
    if (iconMode)
        SimplifyConPropsForIcon(props, doc, rect, background, outlineOnly);
    DrawConLineSample(dc, props, doc, rect, outlineOnly[0], outlineOnly[1], 90,
                      style.GetKind() == kAnchorLineKind);
}

void DrawConLineSample(CDC* dc, const CConProps& propsIn, CKavoDoc* doc, const RECT& rectIn, bool outlineOnly1,
                       bool outlineOnly2, int angle, bool suppressEnds)
{
    const CRect rect(rectIn);
    if (!doc || !dc)
        return;
    const int saved = dc->SaveDC();
    SIZE box{rect.Width(), rect.Height()};
    dc->DPtoLP(&box);
    box.cx = std::abs(box.cx), box.cy = std::abs(box.cy);
    CRect clip = rect;
    MapBoxOntoRect(*dc, box, rect);
    ClipToGrownRect(*dc, clip, 1);

    CConProps props = propsIn;
    const int w = box.cx, h = box.cy;
    angle = SampleAngleAlongBox(angle, w, h);
    const bool vertical = angle == 90 || angle == 270;
    // Across the line: what the ends and a bend may take.
    const int across = vertical ? w : h, along = vertical ? h : w;
    CPoint from, to;
    switch (angle) {
    case 0: from = CPoint(w, h / 2), to = CPoint(0, h / 2); break;
    case 180: from = CPoint(0, h / 2), to = CPoint(w, h / 2); break;
    case 270: from = CPoint(w / 2, h), to = CPoint(w / 2, 0); break;
    default: from = CPoint(w / 2, 0), to = CPoint(w / 2, h); break;
    }
    // End sizes limited to the box across the line less one, scaled by the
    // shape's own size percentage, and to a quarter of the line, so that
    // the line between two ends shows its width and pattern; an end that
    // insets the line moves inward by it.
    int32_t* lengths[2] = {&props.End1Length, &props.End2Length};
    const int32_t ends[2] = {props.End1, props.End2};
    CPoint* tips[2] = {&from, &to};
    for (int e = 0; e < 2; ++e) {
        const CShapeDef* shape = ends[e] >= 1 ? doc->m_endSymbols.GetAt(ends[e]) : nullptr;
        int limit = across - 1;
        if (shape && shape->Magnify != 100)
            limit = limit * shape->Magnify / 100;
        limit = std::min(limit, along / 4);
        *lengths[e] = std::min(*lengths[e], limit);
        if (shape && !suppressEnds && EndShapeInset(shape, *lengths[e]) > 0) {
            const CPoint& other = e == 0 ? to : from;
            CPoint& tip = *tips[e];
            const int size = *lengths[e];
            if (vertical)
                tip.y += other.y > tip.y ? size : -size;
            else
                tip.x += other.x > tip.x ? size : -size;
        }
    }
    ConRoute route;
    const int32_t savedRadius = doc->m_nCornerRadius;
    const int32_t savedJogs = doc->m_bConnectorJogs;
    if (props.Behavior.low & (CONSHAPE_CURVE | CONSHAPE_SMOOTH)) {
        // A bent sample: ends one way, the middle the other, by a third of
        // the box across the line.
        const int t = across / 3;
        const CSize shift = vertical ? CSize(t, 0) : CSize(0, t);
        const CPoint mid((from.x + to.x) / 2, (from.y + to.y) / 2);
        route.points = {from - shift, mid + shift, to - shift};
        if (props.Behavior.low & CONSHAPE_ROUND)
            doc->m_nCornerRadius = t;
    } else {
        route.points = {from, to};
    }
    doc->m_bConnectorJogs = 0;
    ConDrawArgs args;
    args.suppressEnd1 = args.suppressEnd2 = suppressEnds;
    args.labelGap = kSampleLabelGap;
    args.outlineOnly1 = outlineOnly1;
    args.outlineOnly2 = outlineOnly2;
    ConDrawCtx ctx;
    ctx.mode = kSampleModeStyle;
    ctx.flags = kDrawFlagAntiAlias;
    CGraphics graphics(dc);
    DrawConnectorGdip(&graphics, &ctx, route, props, doc, args);
    doc->m_nCornerRadius = savedRadius;
    doc->m_bConnectorJogs = savedJogs;
    dc->RestoreDC(saved);
}
