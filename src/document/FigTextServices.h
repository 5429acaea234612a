#pragma once
// The rich-text work that applying properties needs (rewriting a text's
// markup, hard and soft breaks, re-flowing the text areas, the size a figure's
// text asks for) lives in a layer above the document; that layer installs
// these services at start-up (and the program-state reset installs them for
// tests). A service that is not installed leaves the text and size alone.
#include "platform/CRect.h"

#include <string>

class CFigure;

// Attributes of the markup that can be made to follow the figure's own values.
enum FigTextAttr : unsigned {
    kTextAttrSize = 1,
    kTextAttrBold = 2,
    kTextAttrItalic = 4,
    kTextAttrColor = 8,
    kTextAttrHAlign = 16,
    kTextAttrVAlign = 32,
    kTextAttrFace = 64,
    kTextAttrUnderline = 128,
};

struct FigTextServices {
    // Drops the markup of the attributes (FigTextAttr bits) so that the
    // figure's values hold for the whole text; the tables are compacted and
    // the text kept within limit. Whether the text changed.
    bool (*rewriteMarkup)(std::string& text, unsigned attrs, int limit) = nullptr;
    // Hard line breaks to soft ones (reflowing on) or back (off).
    void (*lineBreaksToSoft)(std::string& text) = nullptr;
    void (*softBreaksToLines)(std::string& text) = nullptr;
    // Each text area of a figure that re-flows its text (flag 0x8000) fitted
    // to its box; whether a text changed.
    bool (*reflowText)(CFigure& fig) = nullptr;
    // The rectangle the figure's text asks for; false when it is the
    // figure's own.
    bool (*sizeForText)(const CFigure& fig, CRect& out) = nullptr;
    // The figure resized to its text (the width and height follow the text
    // by the flags 0x80 and 0x100, else only grow); whether it changed.
    bool (*resizeToText)(CFigure& fig) = nullptr;
};

FigTextServices& GetFigTextServices();
