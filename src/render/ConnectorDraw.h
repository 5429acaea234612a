#pragma once
// Drawing a connector route: a chain of connectors joined through redundant
// junctions, drawn as one line with its pen, dash pattern, line shape, hops,
// junction dots, end shapes and selection handles. DrawConnector draws on
// the device context; DrawConnectorGdip is its twin through the anti-aliased
// graphics, with the same geometry.
#include "platform/CRect.h"

#include <vector>

class CDC;
class CGraphics;
class CKavoDoc;
class CConnector;
class CConProps;
class CFigure;
struct ConDrawCtx;

// Route points kept at most; a longer route keeps its first points and its last.
constexpr int kMaxRoutePts = 51;

// The route handed to the drawing: its points in line order, the connectors
// in line order, and what the route's two ends meet.
struct ConRoute {
    std::vector<CPoint> points;
    std::vector<CConnector*> cons;
    CFigure* fig1 = nullptr;       // at the first point
    CFigure* fig2 = nullptr;       // at the last point
    int32_t conPt1 = -1;           // their connection points
    int32_t conPt2 = -1;
};

// The route of the chain the connector belongs to (the connector alone when
// it has no document). Each connector adds the end that leads away from the
// previous one.
void BuildConRoute(CConnector& con, ConRoute& out);

// What the caller chooses per drawing.
struct ConDrawArgs {
    bool suppressEnd1 = false;
    bool suppressEnd2 = false;
    int conPtMode = 0;       // 1: junction dots at ends on connection points of flagged figures
    int labelGap = 0;        // ends at labels stop this far short
    bool outlineOnly1 = false;
    bool outlineOnly2 = false;
};

// Draws the route; through DrawConnectorGdip when a graphics is given.
// Nothing for a route of fewer than two distinct points.
void DrawConnector(CGraphics* graphics, CDC* dc, ConDrawCtx* ctx, const ConRoute& route,
                   const CConProps& props, CKavoDoc* doc, const ConDrawArgs& args);
void DrawConnectorGdip(CGraphics* graphics, ConDrawCtx* ctx, const ConRoute& route,
                       const CConProps& props, CKavoDoc* doc, const ConDrawArgs& args);

// The graphics twin of DrawJunctionDot (MarkerDraw.h).
void DrawJunctionDotGdip(CGraphics* graphics, int x, int y, const CConProps& props);

// The document pass for one connector: its chain drawn once with the first
// connector's properties and the chain's end suppression; a connector that
// an earlier chain of this pass drew is skipped.
void DrawConObj(CGraphics* graphics, CDC* dc, ConDrawCtx& ctx, CConnector& con);
