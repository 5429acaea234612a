#pragma once
// One figure drawn as a whole: its drop shadow first, then the figure through
// the anti-aliased path (DrawFigGdip) or through GDI (DrawFigShape). Also the
// two colour-lightening rules of drawing.
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/LogFont.h"
#include "shapes/FillDescription.h"

#include <QPolygonF>

#include <cstdint>
#include <string>

class CDC;
class CFigProps;
class CFigSymbol;
class CGraphics;
class CShadowSpec;

// Drawing modes: 0 screen, 1 display, 2 printing (lightened shadows), 3 and 4
// metafile targets (3 cannot hold GDI paths), 5 bitmap, 6 style sample.
constexpr int kFigModeScreen = 0;
constexpr int kFigModePrint = 2;
constexpr int kFigModeWmf = 3;
constexpr int kFigModeEmf = 4;

// What the figure drawing reads of the drawing context.
struct FigRenderCtx {
    uint8_t flags = 0;            // bit value 4: anti-aliased drawing
    int mode = kFigModeScreen;
    const RECT* clip = nullptr;
    bool shadowsOnly = false;
    bool softShadowsOff = false;  // the program-wide switch
    int minWidth = 0, minHeight = 0;  // below both, figures are drawn simplified
    bool IsDisplayMode() const { return mode == 0 || mode == 1 || mode == 6; }
};

// How a figure's text is laid out beyond its format: the figure's text
// rotation (0, 900 upward, 2700 downward), the document's line spacing (kind
// and value, as the text layout takes them) and its oversize-text option.
struct FigTextLayout {
    int rotation = 0;
    int spacingKind = 0;
    float spacingValue = 0;
    bool oversizeText = true;  // the document option; on by default
};

// The drawing parameters of one figure, read by both drawing paths.
struct FigDrawParams {
    const CFigSymbol* symbol = nullptr;
    const CFigSymbol* secondSymbol = nullptr;
    const int* secondSize = nullptr;
    int lineWidth = 1;
    int lineStyle = 0;
    bool border = true;
    COLORREF borderColor = 0;
    COLORREF textColor = 0;
    CFillSpec fill;
    int pictureType = 0;
    HGLOBAL picture = nullptr;
    bool pictureTransparent = false;
    COLORREF transparencyArg = 0xFFFFFF;
    const std::string* text = nullptr;
    const std::string* formatText = nullptr;
    const LOGFONT* font = nullptr;    // the text's font; none: no text
    uint32_t sectionMask = 0;
    int highlightedTextBox = -1;
    bool showTextBoxes = false;
    uint8_t flags = 0;
    int mode = 0;
    const RECT* clip = nullptr;
    int minWidth = 0, minHeight = 0;
    bool display = true;
    int partSelector = 3;         // 3: draw everything
    const POINT* outline = nullptr;
    int outlineCount = 0;
    double rotation = 0;
    short formatWord1 = 12, formatWord2 = 34;
    int markerArg1 = 0, markerArg2 = 0;
    FigTextLayout textLayout;
    bool textOffFrame = false;    // labels and figures without text boxes

    void Init() { *this = FigDrawParams{}; }
};

// Each channel three fifths of the way to white: c + (765 - 3c) / 5.
COLORREF HighlightColor(COLORREF colour);
// Halfway to white per channel (shadows when printing).
COLORREF LightenedShadowColor(COLORREF colour);

// Printing lightens shadows under opacity 224: two thirds of the opacity, the
// colour halfway to white.
void AdjustShadowForMode(int mode, int& opacity, COLORREF& colour);

// The figure through the anti-aliased graphics.
void DrawFigGdip(CGraphics* graphics, const RECT& rect, const FigDrawParams& params);

// Shadow, then figure. Creates a graphics on the DC when a shadow is drawn
// without one (the figure then takes the anti-aliased path too). Returns
// whether the figure was drawn.
int RenderFigure(CGraphics* graphics, CDC* dc, const FigRenderCtx& ctx, const std::string* text,
                 const std::string* formatText, const RECT& rect, const CFigProps& props,
                 const CFigSymbol* symbol, const CFigSymbol* secondSymbol, const CShadowSpec* shadow,
                 const QPolygonF* outline, const FigTextLayout& textLayout = FigTextLayout{});
