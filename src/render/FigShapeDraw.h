#pragma once
// Drawing one figure's shape: its picture or the fill and border of its
// symbol's outline program, the marker of special shapes, an embedded
// sub-symbol, the texts of its text boxes and their frames. Everything that
// varies between the callers (figures, style samples, galleries) travels in
// ShapeDrawAttrs.
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"
#include "platform/LogFont.h"
#include "shapes/FillDescription.h"

#include <cstdint>
#include <string>

class CDC;
class CFigSymbol;
class CGraphics;

// The border colour that marks a figure border as absent.
constexpr COLORREF kNoBorderColor = 0xFDFEFF;

struct ShapeDrawAttrs {
    uint32_t m_flags = 0;                // bit 0 to the picture drawer; bit 2 smooth drawing
    const CFigSymbol* m_symbol = nullptr;
    const CFigSymbol* m_subSymbol = nullptr;
    const int* m_subSymbolSize = nullptr; // width, height
    int m_lineWidth = 1;                 // logical units; 0 or less: no border pen
    int m_forceOutline = 0;
    int m_lineStyle = 0;                 // dash row: 0 solid .. 5 none
    int m_minSmallWidth = 0;
    int m_minSmallHeight = 0;
    int m_iconFlag1 = 0;
    int m_iconFlag2 = 0;
    int m_subSymbolMargin = 12;
    const RECT* m_clipRect = nullptr;
    int m_drawMode = 3;                  // 0, 1 shape only; 2 inverted feedback; 3 normal; 4 no fill
    int m_textFlag = 0;
    int m_outputKind = 0;                // 2, 3, 4: not the screen
    int m_flatCount = 0;
    const POINT* m_flatPoints = nullptr;
    double m_angle = 0;                  // radians
    const LOGFONT* m_textAttrs = nullptr; // the text's font; none or height 0: no text
    const std::string* m_text = nullptr; // text boxes separated by "\sect "
    const std::string* m_textFormats = nullptr;
    short m_textFormatWord = 34;
    int m_showTextBoxFrames = 0;
    int m_activeTextBox = -1;
    int m_keepClip = 1;
    short m_textShort = 0;
    uint32_t m_hiddenTextBoxes = 0;
    // 1: text rotation (0, 900, 2700); 2, 3: line spacing kind and value in
    // hundredths; 4: text scale, the box units one device pixel shows (above
    // 1 the text is drawn in device pixels); 5: the oversize-text switch (text
    // box 0 of a symbol that asks for it covers the whole figure).
    int m_textParam1 = 0, m_textParam2 = 0, m_textParam3 = 0, m_textParam4 = 0, m_textParam5 = 0;
    int m_textOffFrame = 0;              // keep the text a margin clear of the frame
    int m_snapToPixels = 0;
    COLORREF m_textColor = 0;
    COLORREF m_borderColor = 0;
    CFillSpec m_fill;
    int m_pictureKind = 0;
    HGLOBAL m_pictureData = nullptr;
    int m_pictureFlag = 0;
    COLORREF m_pictureBackColor = 0xFFFFFF;
};

void CopyDrawAttrs(ShapeDrawAttrs& destination, const ShapeDrawAttrs& source);

// One text box's piece as the figure text renderer receives it.
struct FigTextPiece {
    std::string text;
    const std::string* format = nullptr;  // the box's format markup, if any
    const LOGFONT* attrs = nullptr;       // the base font
    short formatWord = 34;
    COLORREF colour = 0;
    short textShort = 0;
    CRect box;
    int keepClip = 1;
    int textFlag = 0;
    int inverseFlag = 1;
    int params[3] = {};                   // rotation, line spacing kind and value (hundredths)
    int textScale = 0;                    // above 1: drawn in device pixels
    bool offFrame = false;                // inset from the box's edges where it has room
};
using FigTextRenderFn = void (*)(CDC& dc, const FigTextPiece& piece);
// The rich-text layer installs the renderer; without one texts are skipped.
void SetFigTextRenderer(FigTextRenderFn renderer);

// The pieces of a text split at "\sect ".
std::string SectionPiece(const std::string& text, int index);

// Draws through graphics when given, else through dc; rect in logical units.
void DrawFigShape(CGraphics* graphics, CDC* dc, const RECT& rect, const ShapeDrawAttrs* attrs);
