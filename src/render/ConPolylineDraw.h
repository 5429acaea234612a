#pragma once
// Stroking one polyline piece of a connector with its pen and dash pattern,
// and the flow stamps placed along it at the properties' spacing.
#include "platform/CRect.h"

class CDC;
class CGraphics;
class CConProps;
struct ConDrawCtx;
struct DashPattern;

// The pen style a connector is drawn with: the style when the dash table has
// it, else solid (styles outside the table, such as 13, have no pattern).
int ConLinePenStyle(int penStyle);

// Strokes the piece (nothing without a graphics or a DC, or for fewer than 2
// points; style 5 strokes no line but still places its flow stamps).
// Through the graphics unless drawing XOR: round joins, the dash row in line
// widths with flat dash caps, a closed piece of more than 3 points as a
// polygon. Otherwise on the DC: a geometric flat-capped pen (style | join |
// 0x10200) for solid, zero-width and thin simple styles, else the pattern
// walked segment by segment; inside a path except where the output cannot
// hold paths. Wide lines (over 5) get round ends on slanted end segments
// where asked. Unless noFlowStamps the flow stamps follow.
void DrawConPolyline(CGraphics* graphics, CDC* dc, const ConDrawCtx* ctx, const CConProps& props,
                     const POINT* pts, int count, bool roundStart, bool roundEnd, bool noFlowStamps);

// One flow stamp (the program-wide stamp shape FIType) at the point reached
// by the walk, pointing along the segment the walk is on; nothing when the
// shape is absent. The stamp is centred on the point and FISize long; in
// XOR drawing only its outline is drawn, inverted, so a second drawing
// takes it away.
void DrawFlowStamp(const POINT& pt, CGraphics* graphics, CDC* dc, const ConDrawCtx* ctx,
                   const CConProps& props, const DashPattern& pattern, bool noAntialias);
