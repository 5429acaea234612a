#include "render/PreviewSample.h"

#include "document/CKavoDoc.h"
#include "geometry/CPointArray.h"
#include "geometry/IntGeometry.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "render/ConDrawContext.h"
#include "render/ConLineShapes.h"
#include "render/ConnectorDraw.h"
#include "render/GdipShapes.h"
#include "render/StyleSample.h"
#include "richtext/CTextBlock.h"
#include "richtext/TextFormatRec.h"
#include "shapes/CConStyle.h"
#include "shapes/CFigStyle.h"
#include "shapes/CFigSymbol.h"
#include "shapes/EndShapeDraw.h"
#include "shapes/ShapeLibrary.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF kNoColour = 0x030201;
constexpr COLORREF kSampleWhite = RGB(255, 255, 255);
constexpr int kTextSampleScale = 30;
constexpr int kConLabelGap = 12;
constexpr SIZE kLineCell{45, 20};
constexpr SIZE kEndCell{20, 20};
constexpr int kCellRoundRadius = 8;

const CFigStyle* FigStyleAt(const CKavoDoc* doc, int index)
{
    return doc ? doc->m_figStyles.GetAt(index) : nullptr;
}

const CFigSymbol* SymbolAt(const CKavoDoc* doc, int index)
{
    return doc && index >= 0 ? doc->m_figSymbols.GetAt(index) : nullptr;
}

// The base text format of a figure style: its font, colour and alignment,
// then its format markup.
TextFormatRec StyleTextFormat(const CFigStyle& style)
{
    TextFormatRec f;
    f.Init();
    f.font = style.m_props.m_font.m_lf;
    f.color = style.m_props.TextColor;
    f.align = style.m_props.TextFormat;
    f.SetFromMarkup(style.TextInits);
    return f;
}

CSize MeasureStyleText(const CKavoDoc* doc, const CFigStyle& style, const std::string& text)
{
    if (text.empty())
        return CSize(0, 0);
    CTextBlock block;
    LineSpacing spacing;
    if (doc) {
        spacing.kind = doc->m_nLineSpacingMode;
        spacing.value = doc->m_fLineSpacingValue;
    }
    if (!block.Layout(text, 0, StyleTextFormat(style), nullptr, true, true, spacing, 0))
        return CSize(0, 0);
    return block.GetExtent(false);
}

// The label style the document names for connector labels, or none.
const CFigStyle* ConLabelStyle(const CKavoDoc* doc)
{
    if (!doc || doc->m_strConLabelStyle.empty())
        return nullptr;
    for (int i = 0; i < doc->m_figStyles.GetCount(); ++i) {
        const CFigStyle* s = doc->m_figStyles.GetAt(i);
        if (s && s->m_strName == doc->m_strConLabelStyle)
            return s;
    }
    return nullptr;
}

// The line-ends library for end-symbol cells drawn from the model.
const ShapeLibrary& BuiltInLineEnds()
{
    static const ShapeLibrary* library = [] {
        auto* l = new ShapeLibrary;
        l->BuildLineEnds();
        return l;
    }();
    return *library;
}

// Sets the alignment word from a flow-label corner code: column 0 left (4),
// 1 centre (2), 2 right (1); row 0 top (64), 1 middle (32), 2 bottom (16).
void SetCornerAlign(CFigProps& props, int code)
{
    if (code < 0 || code > 8)
        return;
    static const WORD kColumn[3] = {4, 2, 1}, kRow[3] = {64, 32, 16};
    props.TextFormat = WORD((props.TextFormat & ~0x77u) | kColumn[code / 3] | kRow[code % 3]);
}

} // namespace

void DrawFigStyleSample(CDC* dc, int index, CKavoDoc* doc, const RECT& rectIn, const StyleSampleArgs& pass)
{
    const CFigStyle* style = FigStyleAt(doc, index);
    if (!dc || !doc || !style)
        return;
    CFigProps props = style->m_props;
    CRect rect(rectIn);
    StyleSampleArgs args;
    args.maxBorder = pass.maxBorder;
    args.limitAspect = pass.limitAspect;
    args.directShape = pass.directShape;
    args.editTextMode = pass.editTextMode;
    args.withShadow = pass.withShadow;
    if (const CFigSymbol* symbol = SymbolAt(doc, props.Symbol)) {
        if (symbol->Silhouette) {
            args.withShadow = false;
            if (props.m_fill.m_nKind == 1)
                props.m_fill.m_crColor2 = props.m_fill.m_crColor1;
        }
        if (symbol->DisplayScale != 100) {
            const int w = (rect.Width() * symbol->DisplayScale + 50) / 100;
            const int h = (rect.Height() * symbol->DisplayScale + 50) / 100;
            const CPoint c = rect.CenterPoint();
            rect = CRect(c.x - w / 2, c.y - h / 2, c.x - w / 2 + w, c.y - h / 2 + h);
        }
    } else {
        props.Symbol = -1;  // the built-in rectangle
    }
    rect.left += 1;
    rect.right -= 1;
    std::vector<CPoint> outline;
    if (style->ScaleSymbolOutline(outline, &doc->m_figSymbols, rect) && !outline.empty()) {
        args.outline = outline.data();
        args.outlineCount = int(outline.size());
    }
    args.text = &style->DefaultText;
    args.text2 = &style->TextInits;
    args.sampleWidth = style->Width;
    args.sampleHeight = style->Height;
    DrawStyleSample(dc, props, doc, rect, args);
}

void DrawFigStyleSampleGdip(CGraphics* graphics, int index, CKavoDoc* doc, const RECT& rect,
                            const StyleSampleArgs& passThrough)
{
    if (graphics)
        DrawFigStyleSample(graphics->GetDC(), index, doc, rect, passThrough);
}

CSize LayoutConStyleSample(const CKavoDoc* doc, const CConStyle* style, ConStyleSampleLayout& out,
                           int labelPercent)
{
    out = ConStyleSampleLayout{};
    if (!style)
        return CSize(0, 0);
    const CConProps& p = style->m_props;
    const int ends = std::max({p.End1Length, p.End2Length, p.LineWidth, 8});
    const int length = std::max(style->FragmentLength > 0 ? style->FragmentLength : 0, 4 * ends + 64);
    CSize labelSize(0, 0);
    const CFigStyle* labelStyle = ConLabelStyle(doc);
    if (style->AutoLabel && !style->AutoLabelText.empty() && labelStyle)
        labelSize = MeasureStyleText(doc, *labelStyle, style->AutoLabelText);
    labelSize.cx = MulDiv(labelSize.cx, labelPercent, 100);
    labelSize.cy = MulDiv(labelSize.cy, labelPercent, 100);
    const bool vertical = style->FragmentAngle == 90 || style->FragmentAngle == 270;
    const int position = style->AutoLabelPosition;
    // Across the line: the end shapes, and beside them the label unless it
    // sits on the line.
    const int labelAcross = vertical ? labelSize.cx : labelSize.cy;
    const int across = position == 0 ? std::max(2 * ends, labelAcross) : 2 * ends + 2 * (labelAcross + kConLabelGap);
    const int along = std::max(length, (vertical ? labelSize.cy : labelSize.cx) + 2 * ends);
    out.sample = vertical ? CRect(0, 0, across, along) : CRect(0, 0, along, across);
    const int mid = across / 2;
    out.start = vertical ? CPoint(mid, 0) : CPoint(0, mid);
    out.end = vertical ? CPoint(mid, along) : CPoint(along, mid);
    if (style->FragmentAngle == 180 || style->FragmentAngle == 270)
        std::swap(out.start, out.end);
    out.centre = CPoint((out.start.x + out.end.x) / 2, (out.start.y + out.end.y) / 2);
    CRect label(0, 0, labelSize.cx, labelSize.cy);
    label.OffsetRect(out.centre.x - labelSize.cx / 2, out.centre.y - labelSize.cy / 2);
    const int offset = labelAcross / 2 + kConLabelGap / 2 + 1;
    if (position != 0) {
        // Position 1 above (or right of) the line, others below (or left).
        const int sign = position == 1 ? -1 : 1;
        if (vertical)
            label.OffsetRect(-sign * offset, 0);
        else
            label.OffsetRect(0, sign * offset);
    }
    out.label = label;
    return out.sample.Size();
}

CSize MeasureConLabelText(const CKavoDoc* doc, const std::string& text)
{
    const CFigStyle* labelStyle = ConLabelStyle(doc);
    return labelStyle ? MeasureStyleText(doc, *labelStyle, text) : CSize(0, 0);
}

void RecolourConSampleProps(CConProps& p, int mode)
{
    if (mode != 0 && mode != 1)
        return;
    const COLORREF line = mode == 0 ? kSampleWhite : 0;
    const COLORREF other = mode == 0 ? 0 : kSampleWhite;
    p.Color = line;
    for (COLORREF* fill : {&p.End1FillColor, &p.End2FillColor})
        *fill = (*fill == kSampleWhite || *fill == kNoColour) ? other : line;
    p.FIBdrClr = line;
    p.FIFillClr = line;
}

int ConSampleLabelCorner(int position, int angle)
{
    const bool across = angle == 0 || angle == 180;
    const bool along = angle == 90 || angle == 270;
    if (position == 0)
        return 4;
    if (!across && !along)
        return -1;
    if (position == 1)
        return across ? 1 : 5;
    return across ? 7 : 3;
}

void DrawConStyleSampleLine(CGraphics* graphics, const CConProps& props, CKavoDoc* doc, const POINT& start,
                            const POINT& end, const RECT& sampleRect, const RECT& targetRect)
{
    if (!graphics || !doc)
        return;
    const QTransform saved = graphics->GetTransform();
    const CRect s(sampleRect), t(targetRect);
    SetRectToRectTransform(graphics, QRectF(s.left, s.top, s.Width(), s.Height()),
                           QRectF(t.left, t.top, t.Width(), t.Height()));
    ConRoute route;
    route.points = {CPoint(start), CPoint(end)};
    const int32_t jogs = doc->m_bConnectorJogs;
    doc->m_bConnectorJogs = 0;
    ConDrawCtx ctx;
    ctx.mode = 6;
    ctx.flags = kDrawFlagAntiAlias;
    DrawConnectorGdip(graphics, &ctx, route, props, doc, ConDrawArgs{});
    doc->m_bConnectorJogs = jogs;
    graphics->SetTransform(saved);
}

void DrawConStyleSampleGdip(const RECT& rectIn, const CConStyle& style, CKavoDoc* doc, CGraphics* graphics,
                            COLORREF background, int colourMode, int labelPercent)
{
    if (!graphics || !doc)
        return;
    ConStyleSampleLayout layout;
    LayoutConStyleSample(doc, &style, layout, labelPercent);
    const CRect target(rectIn);
    RECT label = layout.label;
    MapRectBetweenRects(label, layout.sample, target);
    CConProps props = style.m_props;
    RecolourConSampleProps(props, colourMode);
    DrawConStyleSampleLine(graphics, props, doc, layout.start, layout.end, layout.sample, target);

    const CFigStyle* labelStyle = ConLabelStyle(doc);
    if (!style.AutoLabel || style.AutoLabelText.empty() || !labelStyle)
        return;
    const CSize extent = MeasureStyleText(doc, *labelStyle, style.AutoLabelText);
    CFigProps lp = labelStyle->m_props;
    if (colourMode == 0)
        lp.TextColor = kSampleWhite;
    else if (colourMode == 1)
        lp.TextColor = 0;
    lp.Icon = -1;
    lp.Symbol = 1;
    // A label symbol without a text box would hide the text: the built-in
    // rectangle, hollow and borderless as the label style is, holds it then.
    const CFigSymbol* lbl = SymbolAt(doc, lp.Symbol);
    if (!lbl || lbl->m_nTextBoxes == 0)
        lp.Symbol = -1;
    SetCornerAlign(lp, ConSampleLabelCorner(style.AutoLabelPosition, style.FragmentAngle));
    CDC* dc = graphics->GetDC();
    if (style.AutoLabelPosition == 0) {
        // The label hides the line under it.
        CBrush brush(background);
        dc->FillRect(&label, &brush);
    }
    StyleSampleArgs args;
    args.text = &style.AutoLabelText;
    args.text2 = &labelStyle->TextInits;
    args.sampleWidth = extent.cx;
    args.sampleHeight = extent.cy;
    args.directShape = true;
    DrawStyleSample(dc, lp, doc, label, args);
}

void DrawTextSample(CDC* dc, const RECT& rectIn, int index, CKavoDoc* doc, bool withFill)
{
    const CFigStyle* style = FigStyleAt(doc, index);
    if (!dc || !style)
        return;
    CRect rect(rectIn);
    rect.DeflateRect(4, 0);
    rect.top += 4;
    rect.bottom -= 3;  // narrowed by 4, grown by one at the bottom
    const std::string text = style->DefaultText.empty() ? style->m_strName : style->DefaultText;
    const CSize extent = MeasureStyleText(doc, *style, text);
    CFigProps props = style->m_props;
    if (!withFill)
        props.m_fill.m_nKind = 0;
    StyleSampleArgs args;
    args.text = &text;
    args.text2 = &style->TextInits;
    args.sampleWidth = extent.cx;
    args.sampleHeight = extent.cy;
    args.labelValue = kTextSampleScale;
    DrawStyleSample(dc, props, doc, rect, args);
}

int EndSymbolSampleSize(int width, int height, const CShapeDef* shape)
{
    const int across = width * 22, along = height * 26;
    int d = (across < along ? across : along) / 32;
    if (shape && shape->Magnify != 100)
        d = d * shape->Magnify / 100;
    return d;
}

void DrawEndSymbolOnLine(CGraphics* graphics, CDC* dcIn, const RECT& rectIn, bool atRight, const CShapeDef* shape,
                         bool plain, bool antiAlias)
{
    CDC* dc = dcIn ? dcIn : graphics ? graphics->GetDC() : nullptr;
    if (!dc)
        return;
    const CRect rect(rectIn);
    const int d = EndSymbolSampleSize(rect.Width(), rect.Height(), shape);
    const int y = (rect.top + rect.bottom) / 2;
    const int dir = atRight ? 1 : -1;
    const CPoint tip(atRight ? rect.right : rect.left, y);
    const CPoint start(atRight ? rect.left : rect.right, y);
    CPoint lineEnd = tip;
    if (shape && shape->Centered)
        lineEnd.x -= dir * d;  // drawn from its base: the line stops short
    if (shape && shape->LineTo > 0)
        lineEnd.x -= dir * MulDiv(d, shape->LineTo, 100);
    const int saved = dc->SaveDC();
    CPen pen(PS_SOLID, 1, 0);
    dc->SelectObject(&pen);
    dc->SetBkColor(kSampleWhite);
    dc->MoveTo(start.x, start.y);
    dc->LineTo(lineEnd.x, lineEnd.y);
    dc->RestoreDC(saved);
    if (!shape)
        return;
    const bool unfilled = shape->m_nAreaPos < 0;
    const COLORREF fill = unfilled ? kSampleWhite : 0;
    const int style = unfilled && plain ? kEndShapeOutline : kEndShapeFillOutline;
    if (graphics)
        DrawEndSymbolGdip(graphics, shape, tip, start, d, 1, 0, fill, style, antiAlias);
    else
        DrawEndShape(dc, shape, tip, start, d, 1, 0, fill, style);
}

int LineSampleCell(unsigned flags)
{
    switch (flags & CONSHAPE_MASK) {
    case CONSHAPE_ROUND: return 1;
    case CONSHAPE_CURVE: return 2;
    case CONSHAPE_SMOOTH: return 3;
    default: return 0;
    }
}

bool DrawBitmapCell(CDC* dc, const RECT& rect, int resourceId, SIZE cell, int index, bool disabled)
{
    if (!dc || index < 0)
        return false;
    std::unique_ptr<CBitmap> bitmap = LoadSysColorBitmap(resourceId);
    if (!bitmap)
        return false;
    std::unique_ptr<CBitmap> part =
        CropBitmap(bitmap.get(), CRect(index * cell.cx, 0, (index + 1) * cell.cx, cell.cy), false);
    if (!part)
        return false;
    if (disabled)
        part = EmbossBitmap(part.get(), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT), true);
    if (!part)
        return false;
    CPainterDC mem;
    if (!mem.CreateCompatibleDC(dc))
        return false;
    CBitmap* old = mem.SelectObject(part.get());
    dc->BitBlt(rect.left, rect.top, cell.cx, cell.cy, &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
    return true;
}

void DrawLineSample(CDC* dc, const RECT& rect, unsigned shapeFlags, bool disabled)
{
    const int cell = LineSampleCell(shapeFlags);
    if (!dc || DrawBitmapCell(dc, rect, kLineSampleBitmap, kLineCell, cell, disabled))
        return;
    // Drawn from the model: a bent line across the cell in the cell's shape.
    static const DWORD kFlags[4] = {0, CONSHAPE_ROUND, CONSHAPE_CURVE, CONSHAPE_SMOOTH};
    const CPoint o(rect.left, rect.top);
    const CPoint bent[3] = {o + CSize(3, 15), o + CSize(22, 4), o + CSize(41, 15)};
    std::vector<CPoint> pts(bent, bent + 3);
    if (cell != 0) {
        CPointArray in(3);
        in.SetPoints(bent, 3);
        CPointArray out;
        const int n = GetConShapePoints(kFlags[cell], std::move(in), out, kCellRoundRadius, false, nullptr, nullptr,
                                        nullptr, 0);
        if (n >= 2)
            pts.assign(out.GetData(), out.GetData() + n);
    }
    const int saved = dc->SaveDC();
    CPen pen(PS_SOLID, 1, GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    dc->SelectObject(&pen);
    dc->Polyline(pts.data(), int(pts.size()));
    dc->RestoreDC(saved);
}

void DrawEndSymbolSample(CDC* dc, const RECT& rect, int endIndex, const CKavoDoc* doc, bool disabled)
{
    if (!dc || endIndex < 0)
        return;
    if (DrawBitmapCell(dc, rect, kEndSymbolSampleBitmap, kEndCell, endIndex, disabled))
        return;
    // Drawn from the model: the end symbol on a short line across the cell.
    const ShapeLibrary& ends = doc ? doc->m_endSymbols : BuiltInLineEnds();
    const CShapeDef* shape = ends.GetAt(endIndex);
    if (!shape && endIndex >= ends.GetCount())
        return;
    const CRect cell(rect.left + 2, rect.top, rect.left + kEndCell.cx - 2, rect.top + kEndCell.cy);
    (void)disabled;
    DrawEndSymbolOnLine(nullptr, dc, cell, true, endIndex >= 1 ? shape : nullptr, true, false);
}
