#pragma once
// Where a lateral label dragged or typed at a point would go beside a
// connector: the connector, the side, and either the label's place along
// the line or, in corner mode, the point of a label centred on the cursor
// that faces the line.
#include "platform/CRect.h"
#include "platform/GdiTypes.h"

class CConnector;
class CKavoDoc;

struct LatLblTarget {
    CConnector* con = nullptr;
    int offset = 0;     // +gap on the side a positive offset takes, else -gap
    CRect rect;         // the label's rectangle
    WORD align = 0;     // its text alignment, facing the line
    CPoint ref;         // corner mode: the point of rect that faces the line
    int side = 0;       // corner mode: that point's code, 1..8 clockwise from the top left
};

// The front-most connector (in no group, carrying no connector or lateral
// label) whose label band holds pt: the band a label of `size` sweeps
// along the whole line at +gap, else at -gap. With maxDist >= 0 and the
// corner mode off the point must also lie within maxDist of the line, and
// the search reaches no further than that. Without corner mode the label
// is placed at the point's projection on the line; in corner mode the
// rectangle is the label centred on pt and `ref` its point at the side code
// of the line's direction and the side found.
bool FindLatLblTarget(const CKavoDoc& doc, const CSize& size, int gap, int consistency, const POINT& pt,
                      int maxDist, bool cornerMode, LatLblTarget& out);
