#include "render/FigShapeDraw.h"

#include "core/NumericHelpers.h"
#include "graphics/DashPattern.h"
#include "graphics/DrawGrid.h"
#include "graphics/MetaRecolour.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "render/ArgbBitmaps.h"
#include "render/FigGlyphs.h"
#include "render/FigShapePasses.h"
#include "render/PicturePlay.h"
#include "richtext/TextUtils.h"
#include "shapes/CFigSymbol.h"
#include "shapes/OutlineDraw.h"

#include <algorithm>

namespace {

FigTextRenderFn g_textRenderer = nullptr;

constexpr const char* kSectionBreak = "\\sect ";
constexpr int kPictureCornerDivisor = 5;

// Rectangles that only touch count as overlapping.
bool Meets(const RECT& a, const RECT& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

RECT Widened(const RECT& r)
{
    return RECT{r.left, r.top, r.right + 1, r.bottom + 1};
}

// Glyph kinds drawn in device pixels keep their regular shape.
CRect SnapToDevice(CDC& dc, const RECT& r, int kind)
{
    POINT c{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SIZE s{r.right - r.left, r.bottom - r.top};
    const bool square = s.cx == s.cy;
    dc.LPtoDP(&c);
    dc.LPtoDP(&s);
    if (square && s.cx != s.cy)
        (s.cx > s.cy ? s.cx : s.cy) -= 1;
    if ((kind == 165 || kind == 166 || kind == 169 || kind == 170) && s.cx % 2 == 0)
        --s.cx, --s.cy;
    return CRect(c.x - s.cx / 2, c.y - s.cy / 2, c.x - s.cx / 2 + s.cx, c.y - s.cy / 2 + s.cy);
}

void DrawPicture(CGraphics* graphics, CDC* dc, const RECT& rect, const ShapeDrawAttrs& a, bool small)
{
    const bool showPicture = (a.m_drawMode != 0 && a.m_drawMode != 4) || small;
    if (!showPicture || !a.m_pictureData) {
        CGpPen pen;
        pen.color = ColorRefToARGB(a.m_borderColor);
        DrawCornerMarks(graphics, &pen, graphics ? nullptr : dc, rect, kPictureCornerDivisor);
        return;
    }
    if (a.m_drawMode == 2) {
        CDC* target = graphics ? graphics->GetDC() : dc;
        const int old = target->SetROP2(R2_NOT);
        DrawCornerMarks(nullptr, nullptr, target, rect, kPictureCornerDivisor);
        target->SetROP2(old);
        return;
    }
    const bool transparency = a.m_pictureFlag && a.m_outputKind != 3 && a.m_outputKind != 4;
    const COLORREF colour = a.m_fill.m_nKind == 0 ? NO_COLOR : a.m_fill.m_crColor1;
    HGLOBAL picture = a.m_pictureData;
    // Bitmaps for other outputs than the screen show white where magenta keys them.
    HGLOBAL converted = nullptr;
    if (a.m_pictureKind == 1 && a.m_outputKind >= 2 && a.m_outputKind <= 4)
        picture = converted = FloodFillBorderColor(picture, RGB(255, 0, 255), RGB(255, 255, 255));
    const QRectF r(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    if (graphics) {
        PlayPicture(graphics, picture ? picture : a.m_pictureData, a.m_pictureKind, r, transparency,
                    a.m_pictureBackColor, colour, a.m_outputKind == 3, int(a.m_flags & 1));
    } else if (dc) {
        CGraphics g(dc);
        PlayPicture(&g, picture ? picture : a.m_pictureData, a.m_pictureKind, r, transparency,
                    a.m_pictureBackColor, colour, a.m_outputKind == 3, int(a.m_flags & 1));
    }
    if (converted)
        GlobalFree(converted);
}

void DrawSubSymbol(CGraphics* graphics, CDC* dc, const RECT& rect, const ShapeDrawAttrs& a)
{
    const CFigSymbol* sub = a.m_subSymbol;
    if (!sub || !a.m_subSymbolSize || a.m_subSymbolSize[0] <= 0 || a.m_subSymbolSize[1] <= 0)
        return;
    SIZE size{a.m_subSymbolSize[0] * sub->DisplayScale / 50, a.m_subSymbolSize[1] * sub->DisplayScale / 50};
    if (a.m_symbol->IsBracketedName() && !a.m_iconFlag2)
        size.cx *= 2, size.cy *= 2;
    CRect placed;
    if (!a.m_symbol->GetSubSymbolRect(rect, size, a.m_subSymbolMargin, placed, a.m_iconFlag1,
                                      a.m_iconFlag2))
        return;
    const CRect before = placed;
    if (sub->Width > 0 && sub->Height > 0)
        FitSizeCenteredInRect(placed, sub->Width, sub->Height);
    placed.OffsetRect(before.right - placed.right, before.bottom - placed.bottom);
    ShapeDrawAttrs copy;
    CopyDrawAttrs(copy, a);
    copy.m_symbol = sub;
    copy.m_subSymbol = nullptr;
    copy.m_subSymbolSize = nullptr;
    if (sub->Silhouette && copy.m_fill.m_nKind == 1)
        copy.m_fill.m_crColor1 = a.m_borderColor;
    DrawFigShape(graphics, dc, placed, &copy);
}

void DrawTexts(CDC& dc, const RECT& rect, const ShapeDrawAttrs& a)
{
    if (!g_textRenderer || !a.m_text || a.m_text->empty() || !a.m_textAttrs || a.m_textAttrs->lfHeight == 0)
        return;
    // A symbol without text boxes (the built-in label rectangle among them)
    // shows its text in the whole figure.
    const int boxes = a.m_symbol->m_nTextBoxes > 0 ? a.m_symbol->m_nTextBoxes : 1;
    for (int i = 0; i < boxes && i < 32; ++i) {
        if (a.m_hiddenTextBoxes & (1u << i))
            continue;
        FigTextPiece piece;
        if (a.m_symbol->m_nTextBoxes == 0)
            piece.box = rect;
        else if (!a.m_symbol->GetTextBoxRect(i, rect, piece.box, a.m_textParam5))
            continue;
        piece.text = SectionPiece(*a.m_text, i);
        std::string format;
        if (a.m_textFormats) {
            format = SectionPiece(*a.m_textFormats, i);
            piece.format = &format;
        }
        piece.attrs = a.m_textAttrs;
        piece.formatWord = a.m_textFormatWord;
        piece.colour = a.m_textColor;
        piece.textShort = a.m_textShort;
        piece.keepClip = a.m_keepClip;
        piece.textFlag = a.m_textFlag;
        piece.inverseFlag = a.m_textFlag ? 0 : 1;
        piece.params[0] = a.m_textParam1, piece.params[1] = a.m_textParam2, piece.params[2] = a.m_textParam3;
        piece.textScale = a.m_textParam4;
        piece.offFrame = a.m_textOffFrame != 0;
        g_textRenderer(dc, piece);
    }
}

void DrawTextBoxFrames(CDC& dc, const RECT& rect, const ShapeDrawAttrs& a)
{
    for (int i = 0; i < a.m_symbol->m_nTextBoxes; ++i) {
        CRect box;
        if (!a.m_symbol->GetTextBoxRect(i, rect, box, 1))
            continue;
        const bool active = a.m_activeTextBox == -1 || a.m_activeTextBox == i;
        DrawDottedRect(&dc, box, active ? 1 : 0);
    }
}

} // namespace

void SetFigTextRenderer(FigTextRenderFn renderer)
{
    g_textRenderer = renderer;
}

std::string SectionPiece(const std::string& text, int index)
{
    // Found as markup tokens, so an escaped backslash before "sect" is text.
    std::string piece;
    ExtractSubStringByDelim(text, kSectionBreak, index, piece);
    return piece;
}

void CopyDrawAttrs(ShapeDrawAttrs& destination, const ShapeDrawAttrs& source)
{
    destination = source;
    destination.m_fill.Copy(source.m_fill);
}

void DrawFigShape(CGraphics* graphics, CDC* dc, const RECT& inRect, const ShapeDrawAttrs* attrs)
{
    if (graphics && attrs)
        graphics->SetSmoothingMode((attrs->m_flags & 4) ? GpSmoothingMode::HighQuality
                                                          : GpSmoothingMode::HighSpeed);
    if ((!graphics && !dc) || !attrs)
        return;
    const ShapeDrawAttrs& a = *attrs;
    if (inRect.right == inRect.left || inRect.bottom == inRect.top)
        return;
    CRect rect = Widened(inRect);
    if (a.m_clipRect && !Meets(rect, Widened(*a.m_clipRect)))
        return;
    const bool hasProgram = a.m_symbol && a.m_symbol->m_nProgramLength > 0;
    if (!a.m_pictureKind && !hasProgram)
        return;
    const bool small = rect.Width() < a.m_minSmallWidth && rect.Height() < a.m_minSmallHeight;
    CDC* gdi = graphics ? nullptr : dc;
    CDC* textDc = graphics ? graphics->GetDC() : dc;

    const bool snap = a.m_snapToPixels && !graphics && a.m_symbol && IsGlyphKind(a.m_symbol->Reshape);
    int snapSaved = 0;
    int lineWidth = a.m_lineWidth;
    if (snap) {
        rect = SnapToDevice(*gdi, rect, a.m_symbol->Reshape);
        SIZE w{lineWidth, lineWidth};
        gdi->LPtoDP(&w);
        lineWidth = std::max<int>(1, w.cx);
        snapSaved = gdi->SaveDC();
        gdi->SetMapMode(MM_TEXT);
        gdi->SetWindowOrg(0, 0);
        gdi->SetViewportOrg(0, 0);
    }

    if (a.m_pictureKind) {
        DrawPicture(graphics, gdi, rect, a, small);
    } else {
        FigShapePasses passes(graphics, gdi, rect, a, small, lineWidth);
        passes.Run();
        CGpPen pen;
        pen.color = ColorRefToARGB(a.m_borderColor);
        pen.width = float(std::max(lineWidth, 1));
        DrawFigMarker(graphics, &pen, gdi, rect, a.m_symbol, a.m_iconFlag1, a.m_iconFlag2);
        DrawSubSymbol(graphics, gdi, rect, a);
        if (textDc && a.m_drawMode >= 2 && a.m_drawMode <= 4) {
            const int saved = textDc->SaveDC();
            if (!a.m_keepClip)
                textDc->SelectClipRgn(nullptr);
            DrawTexts(*textDc, rect, a);
            textDc->RestoreDC(saved);
        }
        passes.Finish();
    }
    if (a.m_showTextBoxFrames && textDc && a.m_symbol)
        DrawTextBoxFrames(*textDc, rect, a);
    if (snap)
        gdi->RestoreDC(snapSaved);
}
