#pragma once
// The geometry both connector drawings share: the route's points with the
// ends pulled back for label gaps, end shapes and (for the graphics twin)
// junction dots, shaped into a curve when the connector asks for one, with
// hops over earlier connectors, and what each end shows.
#include "platform/Colorref.h"
#include "platform/CRect.h"

#include <vector>

class CKavoDoc;
class CConProps;
class CShapeDef;
struct ConRoute;
struct ConDrawArgs;

struct PreparedConEnd {
    const CShapeDef* shape = nullptr;   // shown end shape, null for none
    int size = 0;
    COLORREF fill = 0;
    bool suppressed = false;
    bool outlineOnly = false;
    bool junctionDot = false;           // a branch junction's dot at this end
    bool conPtDot = false;              // a dot on a flagged figure's connection point
    CPoint tip;                         // the unshortened end point
    CPoint toward;                      // the route's next point from this end
};

struct PreparedConRoute {
    std::vector<std::vector<CPoint>> parts;
    PreparedConEnd ends[2];
};

// False (nothing to draw) for a route of fewer than two distinct points.
// pullBackJunctions: ends with a junction dot stop at the dot's rim.
bool PrepareConRoute(const ConRoute& route, const CConProps& props, const CKavoDoc* doc,
                     const ConDrawArgs& args, bool pullBackJunctions, PreparedConRoute& out);
