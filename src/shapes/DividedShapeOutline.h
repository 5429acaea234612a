#pragma once
// The outline templates of special shapes: which parts a kind's outline must
// begin with (a frame, maybe a second part, then its divider lines), reading
// those parts out of a prepared outline, the lines some kinds derive from the
// frame and the text boxes, and the divider handle positions read from them.
#include "geometry/CFltPointPair.h"
#include "geometry/CFltRect.h"
#include "shapes/OutlineProgram.h"

// The parts a kind's outline starts with. Op 0 means "no such part".
struct SpecialTemplate {
    BYTE frameOp = 0;       // kOpRect, kOpPolyline or kOpEllipse
    int framePoints = 0;    // for kOpPolyline
    BYTE secondOp = 0;      // kOpRect or kOpPolyline
    int secondPoints = 0;
    int lines = 0;
};

// False for kinds without a template (any outline is accepted).
bool GetSpecialTemplate(int kind, SpecialTemplate& out);

constexpr int kMaxTemplatePoints = 69;
constexpr int kMaxSecondPoints = 4;
// The fixed divider-line table: a template never holds more lines than this.
constexpr int kMaxDividerLines = 12;

// The parts handed back by ParseSpecialOutline, in figure units when the
// outline was prepared for a figure rectangle.
struct SpecialOutlineParts {
    CFltRect rect;                          // rectangle or ellipse frame
    CFltPoint points[kMaxTemplatePoints];   // polygon frame
    int nPoints = 0;
    CFltRect inner;                         // second rectangle (kinds 19, 20)
    CFltPoint second[kMaxSecondPoints];     // second polygon (3 or 4 points)
    int nSecond = 0;
    CFltPointPair lines[kMaxDividerLines];  // outline lines, then the derived one
    int nLines = 0;
    int nOwnLines = 0;                      // lines held by the outline itself
};

// Checks the outline sub-program at `outline` (up to `end`) against the
// kind's template and copies the parts out; adds the derived line of the
// kinds that have one, from the text boxes (`boxes`, `boxCount` rectangles).
// 0 when the outline does not follow the template or a derived line lacks
// its text boxes.
int ParseSpecialOutline(int kind, const BYTE* outline, const BYTE* end, const BYTE* boxes,
                        int boxCount, SpecialOutlineParts& parts);

// Adds 0.5 and drops the fraction toward zero, as handle positions and bounds
// are rounded (also for negative coordinates, so not floor or lround).
int RoundHandle(float v);
// The figure rectangle's vertical middle in whole units, where the handle of
// the round- and arc-sided kinds sits (and stays pinned).
LONG SpecialMiddleY(const RECT& rect);

// The handle of divider n from parsed parts, for the figure rectangle; 0 when
// the parts lack what the kind's case reads.
int CalcDividerPointFromParts(int kind, int n, const SpecialOutlineParts& parts, const RECT& rect,
                              POINT& pt);
