#pragma once
// Selection handles of figures, connectors and groups.
class CDC;
class CFigure;
class CConnector;
class CGroup;
struct ConDrawCtx;

// A figure in a group lets the group draw. A junction: one square at the
// centre and corner brackets around the square of side 2 x size (pen of
// HandleColor). Otherwise eight squares at the corners and side midpoints
// (right and bottom at right - 1 and bottom - 1) in the order 1, 7, 3, 9, 4,
// 6, 2, 8, each disabled where HandleAllowed refuses it; a special shape adds
// a reshape handle at each divider. Squares use the handle brush (HandleColor).
void DrawFigHandles(CDC* dc, const CFigure& fig, int size, ConDrawCtx* ctx);
// A connector in a group lets the group draw; otherwise a square at each end.
void DrawConEndHandles(CDC* dc, const CConnector& con, int size, ConDrawCtx* ctx);
// Counts its calls in the pass and draws at the call that reaches its member
// count (at once without a context): eight squares around the union of the
// members' rectangles.
void DrawGroupHandles(CDC* dc, const CGroup& group, int size, ConDrawCtx* ctx);

// What a figure shows over its shape in the document pass: its handles when
// selected on the screen with handles (mode 0), and, in display modes while
// connection points are shown, each connection point as a device diamond of
// the handle size in ConPtColor; not for figures with low flag 0x80000,
// junctions, labels, or where the document does not enable connection points.
void DrawFigMarks(CDC* dc, const CFigure& fig, ConDrawCtx& ctx, bool showConPts);
