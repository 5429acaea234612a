#pragma once
// Drawing laid-out rich text: RenderFigTextBlock places a block in a
// rectangle by its alignment and draws it line by line; KFntRenderTextLine
// draws one line as runs of equal format with the advances measured at
// layout, so that what is drawn matches the measurement at every zoom.
#include "richtext/CTextBlock.h"

#include <string>

class CDC;
class MarkupScanner;

struct RenderTextRequest {
    COLORREF textColor = 0;
    const CTextBlock* block = nullptr;   // none: laid out here
    const TextFormatRec* format = nullptr;
    CDC* dc = nullptr;
    std::string text;
    int rotation = 0;                    // 0, 900, 2700
    CRect rect;
    bool clip = false;
    const CRect* clipRect = nullptr;     // clip to this instead of rect
    bool deviceScaling = false;          // draw in device pixels with scaled fonts
    bool splitRuns = false;              // one output call per character
    const CSize* windowExt = nullptr;    // replace the DC's extents when given
    const CSize* viewportExt = nullptr;
    LineSpacing spacing;
};

void RenderFigTextBlock(const RenderTextRequest& request);
// Draws one line from its baseline origin with the scanner bound to the DC
// and positioned at the line's start; consumed (optional) receives how many
// characters of lineText the line took, its break included. The result of the
// last text output.
bool KFntRenderTextLine(const CTextBlock& block, const char* lineText, int line, int x, int y,
                        MarkupScanner& state, bool splitEvery, int* consumed = nullptr);
