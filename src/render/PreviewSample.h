#pragma once
// Samples that owner-drawn controls show of a choice: a figure style, a
// connector style with its automatic label, a style's text, an end symbol on
// a short line, and the bitmap cells of line shapes and end symbols.
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <string>

class CDC;
class CGraphics;
class CConProps;
class CConStyle;
class CKavoDoc;
class CShapeDef;
struct StyleSampleArgs;

// passThrough gives maxBorder, limitAspect, directShape, editTextMode and
// withShadow; the texts, box and outline are the style's.
void DrawFigStyleSample(CDC* dc, int index, CKavoDoc* doc, const RECT& rect, const StyleSampleArgs& passThrough);
void DrawFigStyleSampleGdip(CGraphics* graphics, int index, CKavoDoc* doc, const RECT& rect,
                            const StyleSampleArgs& passThrough);

// The connector-style sample's layout in its own units from (0, 0): the
// sample rectangle, the line's two ends and the label rectangle, along the
// style's FragmentAngle (0 and 180 horizontal, 90 and 270 vertical). The
// label takes labelPercent of its text's extent.
struct ConStyleSampleLayout {
    CRect sample;
    CPoint start, end, centre;
    CRect label;
};
CSize LayoutConStyleSample(const CKavoDoc* doc, const CConStyle* style, ConStyleSampleLayout& out,
                           int labelPercent = 100);

// The extent of a connector label's text in the style the document names
// for connector labels; 0 × 0 without that style or text.
CSize MeasureConLabelText(const CKavoDoc* doc, const std::string& text);

// Colour modes: 0 light on dark, 1 dark on light, 2 the style's own colours.
void RecolourConSampleProps(CConProps& props, int colourMode);
// The alignment corner code of a connector label for its position and angle
// (position 0: 4; 1: 1 across, 5 along a vertical line; other: 7 or 3);
// -1 for another angle.
int ConSampleLabelCorner(int position, int angle);

// labelPercent enlarges the label (its text with it) in the layout.
void DrawConStyleSampleGdip(const RECT& rect, const CConStyle& style, CKavoDoc* doc, CGraphics* graphics,
                            COLORREF background, int colourMode, int labelPercent = 100);
void DrawConStyleSampleLine(CGraphics* graphics, const CConProps& props, CKavoDoc* doc, const POINT& start,
                            const POINT& end, const RECT& sampleRect, const RECT& targetRect);

void DrawTextSample(CDC* dc, const RECT& rect, int index, CKavoDoc* doc, bool withFill);

// The end symbol's size on a w × h line sample: the smaller of w × 22 / 32
// and h × 26 / 32 (compared as products), scaled by the shape's Magnify.
int EndSymbolSampleSize(int width, int height, const CShapeDef* shape);
void DrawEndSymbolOnLine(CGraphics* graphics, CDC* dc, const RECT& rect, bool atRight, const CShapeDef* shape,
                         bool plain, bool antiAlias);

// Line-shape cells: 0 straight, 1 rounded (16), 2 curve (2), 3 smooth (8);
// any combination shows the straight cell.
int LineSampleCell(unsigned shapeFlags);
constexpr int kLineSampleBitmap = 394;
constexpr int kEndSymbolSampleBitmap = 2;
// Draws cell `index` of a bitmap resource at the rectangle's top-left;
// false when the resource is not there.
bool DrawBitmapCell(CDC* dc, const RECT& rect, int resourceId, SIZE cell, int index, bool disabled);
// The cells from the bitmap when it exists, else drawn from the model: a
// bent line in the cell's line shape, an end symbol on a short line.
void DrawLineSample(CDC* dc, const RECT& rect, unsigned shapeFlags, bool disabled);
// endIndex: the end symbol's index (the cell of its command); doc supplies
// the shape when the cell is drawn from the model.
void DrawEndSymbolSample(CDC* dc, const RECT& rect, int endIndex, const CKavoDoc* doc, bool disabled);
