#pragma once
// Where earlier connectors of the document cross a piece of a connector being
// drawn: the points the line hops over, in order along the piece.
#include "platform/CRect.h"

#include <vector>

class CKavoDoc;
class CConnector;

// Crossings kept per piece at most.
constexpr int kMaxConCrossings = 32;

struct ConCrossing {
    CPoint pt;
    int segment = 0;   // index of the piece's segment the point lies on
};

// The crossings of the piece with the connectors that come before every
// connector of `route` in the object list and lack the no-hops flag (128).
// A straight connector counts only where neither of its ends lies on an end
// of the crossed segment; a curved one is tested against its curve points.
// A crossing is dropped at a segment's end, within `radius` of the piece's
// first or last point, within an end shape's length of the other
// connector's attached end, or closer than hopSize + 2 x radius to an
// earlier crossing on the same segment. Per segment in order of distance
// from its start; at most kMaxConCrossings.
// The earlier connectors come from the document's spatial index, so a piece
// looks only at those near it (with the index off, at the whole list).
std::vector<ConCrossing> FindConCrossings(const CKavoDoc& doc, const std::vector<CConnector*>& route,
                                          const std::vector<CPoint>& piece, int hopSize, int radius);
