#pragma once
// Small pictures of a figure style or a connector style for style buttons,
// style lists and previews. A sample is drawn in its own logical box mapped
// onto the target rectangle, so it looks alike at any button size. The
// rectangle is in the DC's current logical units (device pixels on the usual
// MM_TEXT button DC); everything the DC carried is restored afterwards.
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <string>

class CDC;
class CConProps;
class CFigProps;
class CFigSymbol;
class CKavoDoc;

struct StyleSampleArgs {
    const std::string* text = nullptr;
    const std::string* text2 = nullptr;   // per-box format markup
    int maxBorder = 0;                    // > 0: border width limited to it (sign kept)
    int sampleWidth = 0, sampleHeight = 0; // the box; below 1: the rectangle's own size
    bool limitAspect = false;             // the longer side at most 10 × the shorter
    bool directShape = false;             // the shape drawing alone, no shadow pass
    bool editTextMode = false;
    int labelValue = 0, labelValue2 = 0;
    int outlineCount = 0;
    const POINT* outline = nullptr;       // in box units
    bool withShadow = false;
};

// The built-in one-part rectangle covering the whole 2048 × 2048 symbol box,
// made once on first use; samples without a document or symbol use it.
const CFigSymbol& DefaultSampleSymbol();

// The sample box for a sample size: with limitAspect the longer side is cut
// to 10 × the shorter (1 × 50 gives 1 × 10).
SIZE StyleSampleBox(int width, int height, bool limitAspect);

void DrawStyleSample(CDC* dc, const CFigProps& props, CKavoDoc* doc, const RECT& rect, const StyleSampleArgs& args);

// Connector styles outside 0..1000 or unknown draw nothing.
void DrawConStyleSample(CDC* dc, int index, CKavoDoc* doc, const RECT& rect, bool iconMode, bool buttonFace,
                        bool plainOnly);
// The icon-mode copy of a connector style's properties: plain black lines
// and outline-only or unfilled ends on the background colour, sizes and
// widths cut for a small button. outlineOnly receives which ends are drawn
// outline-only.
void SimplifyConPropsForIcon(CConProps& props, const CKavoDoc* doc, const RECT& rect, COLORREF background,
                             bool outlineOnly[2]);

// angle 0 runs right to left, 180 left to right, 90 top down, 270 bottom up;
// the line runs along the rectangle's longer side, a direction across it
// turned a quarter (90 to 180, 270 to 0 in a wide rectangle, 180 to 90 and
// 0 to 270 in a tall one). Ends take at most a quarter of the line.
void DrawConLineSample(CDC* dc, const CConProps& props, CKavoDoc* doc, const RECT& rect, bool outlineOnly1,
                       bool outlineOnly2, int angle, bool suppressEnds);
