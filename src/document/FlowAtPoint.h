#pragma once
// The flow under a point: a connector between two figures whose flow-label
// place (either side of one of its figure ends, taken or free) holds the
// point. The view's context menu offers the flow-label items there, and
// those items find their connector and figure again the same way.
#include "platform/CRect.h"

class CConnector;
class CFigure;
class CKavoDoc;

struct FlowAtPoint {
    CConnector* con = nullptr;
    CFigure* fig = nullptr; // the figure end whose label place holds the point
    int slot = 0;           // 1 above / left of the connector, 2 below / right
};

// Front objects first. A connector or either of its figures in a group does
// not count, nor does a point on which an object lies (that object's own
// menu and commands are meant there).
bool FindFlowAt(const CKavoDoc& doc, const POINT& pt, int tolerance, FlowAtPoint& flow);
