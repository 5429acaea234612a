#include "render/RenderFigure.h"

#include "document/ShadowDescription.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "render/FigShapeDraw.h"
#include "render/SoftShadow.h"
#include "richtext/FigureTextFit.h"
#include "shapes/CFigProps.h"
#include "shapes/CFigSymbol.h"

#include <cmath>
#include <memory>

namespace {

// Printing lightens shadows below this opacity.
constexpr int kPrintShadowOpacity = 224;

// A symbol with a fill program casts a shadow; lines and open shapes do not.
bool CastsShadow(const CFigSymbol* symbol)
{
    return symbol && symbol->m_nFillPos >= 0;
}

bool ShadowApplies(const CShadowSpec* shadow, const QPolygonF* outline, const CFigProps& props,
                   const CFigSymbol* symbol)
{
    if (!shadow || !outline || outline->size() < 3 || shadow->m_nType == 0)
        return false;
    const bool picture = props.HasGraphic();
    return (CastsShadow(symbol) || picture) && (props.m_fill.m_nKind != 0 || picture);
}

void DrawShadow(CGraphics& g, const FigRenderCtx& ctx, const CShadowSpec& shadow,
                const QPolygonF& outline)
{
    if (shadow.m_nType != 1)
        return;
    int opacity = shadow.m_nOpacity;
    COLORREF colour = shadow.m_crColor;
    AdjustShadowForMode(ctx.mode, opacity, colour);
    const bool screen = ctx.mode == kFigModeScreen && !ctx.softShadowsOff;
    std::unique_ptr<QRectF> clip;
    if (ctx.clip)
        clip = std::make_unique<QRectF>(ctx.clip->left, ctx.clip->top,
                                        ctx.clip->right - ctx.clip->left + 1,
                                        ctx.clip->bottom - ctx.clip->top + 1);
    if (ctx.mode == kFigModeWmf) {
        // A Windows metafile holds no alpha: the blurred shadow would become an
        // opaque box over whatever lies behind its faded margin (and flattening
        // it over white makes that box white). The shadow is one opaque fill of
        // its own shape instead, in the colour it shows over a white page.
        RenderOpaqueShadow(&g, clip.get(), outline, shadow.m_nBlur, colour, opacity, shadow.m_nOffsetX,
                           shadow.m_nOffsetY);
        return;
    }
    // Every other target keeps the blurred shadow's alpha (an enhanced metafile
    // as an alpha blend), so it is never flattened over a background: objects
    // behind the shadow stay visible through it.
    RenderSoftShadow(&g, clip.get(), outline, shadow.m_nBlur, colour, opacity, screen ? 1 : 0,
                     shadow.m_nOffsetX, shadow.m_nOffsetY, false, -1, false, RGB(255, 255, 255));
}

ShapeDrawAttrs AttrsFromParams(const FigDrawParams& p)
{
    ShapeDrawAttrs a;
    a.m_flags = p.flags;
    a.m_symbol = p.symbol;
    a.m_subSymbol = p.secondSymbol;
    a.m_subSymbolSize = p.secondSize;
    a.m_lineWidth = p.lineWidth;
    a.m_lineStyle = p.lineStyle;
    a.m_minSmallWidth = p.mode == kFigModePrint ? 0 : p.minWidth;
    a.m_minSmallHeight = p.mode == kFigModePrint ? 0 : p.minHeight;
    a.m_iconFlag1 = p.markerArg1;
    a.m_iconFlag2 = p.markerArg2;
    a.m_clipRect = p.clip;
    a.m_drawMode = p.partSelector;
    a.m_outputKind = p.mode;
    a.m_flatCount = p.outlineCount;
    a.m_flatPoints = p.outline;
    a.m_angle = p.rotation;
    a.m_text = p.text;
    a.m_textFormats = p.formatText;
    a.m_textAttrs = p.font;
    a.m_textFormatWord = p.formatWord2;
    a.m_showTextBoxFrames = p.showTextBoxes ? 1 : 0;
    a.m_activeTextBox = p.highlightedTextBox;
    a.m_hiddenTextBoxes = p.sectionMask;
    a.m_textColor = p.textColor;
    a.m_textParam1 = p.textLayout.rotation;
    a.m_textParam2 = p.textLayout.spacingKind;
    a.m_textParam3 = int(std::lround(double(p.textLayout.spacingValue) * 100.0));
    a.m_textParam5 = p.textLayout.oversizeText ? 1 : 0;
    a.m_textOffFrame = p.textOffFrame ? 1 : 0;
    a.m_borderColor = p.border ? p.borderColor : kNoBorderColor;
    a.m_fill.Copy(p.fill);
    a.m_pictureKind = p.pictureType;
    a.m_pictureData = p.picture;
    a.m_pictureFlag = p.pictureTransparent ? 1 : 0;
    a.m_pictureBackColor = p.transparencyArg;
    return a;
}

} // namespace

void AdjustShadowForMode(int mode, int& opacity, COLORREF& colour)
{
    if (mode == kFigModePrint && opacity < kPrintShadowOpacity) {
        opacity = opacity * 2 / 3;
        colour = LightenedShadowColor(colour);
    }
}

COLORREF HighlightColor(COLORREF c)
{
    auto lift = [](int v) { return v + (765 - 3 * v) / 5; };
    return RGB(lift(GetRValue(c)), lift(GetGValue(c)), lift(GetBValue(c)));
}

COLORREF LightenedShadowColor(COLORREF c)
{
    auto half = [](int v) { return (v + 255) / 2; };
    return RGB(half(GetRValue(c)), half(GetGValue(c)), half(GetBValue(c)));
}

void DrawFigGdip(CGraphics* graphics, const RECT& rect, const FigDrawParams& params)
{
    if (!graphics)
        return;
    const ShapeDrawAttrs attrs = AttrsFromParams(params);
    DrawFigShape(graphics, nullptr, rect, &attrs);
}

int RenderFigure(CGraphics* graphics, CDC* dc, const FigRenderCtx& ctx, const std::string* text,
                 const std::string* formatText, const RECT& rect, const CFigProps& props,
                 const CFigSymbol* symbol, const CFigSymbol* secondSymbol, const CShadowSpec* shadow,
                 const QPolygonF* outline, const FigTextLayout& textLayout)
{
    if (!graphics && !dc)
        return 0;
    std::unique_ptr<CGraphics> own;
    if (ShadowApplies(shadow, outline, props, symbol) && shadow->m_nType == 1) {
        if (!graphics && dc) {
            own = std::make_unique<CGraphics>(dc);
            graphics = own.get();
        }
        DrawShadow(*graphics, ctx, *shadow, *outline);
    }
    if (ctx.shadowsOnly)
        return 1;

    FigDrawParams p;
    p.Init();
    p.symbol = symbol;
    p.secondSymbol = secondSymbol;
    p.lineWidth = props.BorderWidth;
    p.lineStyle = props.PenStyle;
    p.borderColor = props.BorderColor;
    p.textColor = props.TextColor;
    p.fill.Copy(props.m_fill);
    p.pictureType = props.HasGraphic() ? props.m_nGraphicType : 0;
    p.picture = props.Graphic;
    p.text = props.HideText ? nullptr : text;
    p.formatText = formatText;
    p.font = &props.m_font.m_lf;
    p.formatWord2 = short(props.TextFormat);
    p.flags = ctx.flags;
    p.mode = ctx.mode;
    p.clip = ctx.clip;
    p.minWidth = ctx.minWidth;
    p.minHeight = ctx.minHeight;
    p.display = ctx.IsDisplayMode();
    p.textLayout = textLayout;
    p.textOffFrame = KeepsTextOffFrame(props.Behavior.low, symbol);
    if (graphics) {
        DrawFigGdip(graphics, rect, p);
    } else {
        const ShapeDrawAttrs attrs = AttrsFromParams(p);
        DrawFigShape(nullptr, dc, rect, &attrs);
    }
    return 1;
}
