#pragma once
// Shapes the figure and symbol drawing builds on the anti-aliased graphics:
// rounded rectangles as one clockwise path, arcs and pies given by two points
// as the line drawing calls give them, and the rectangle-to-rectangle mapping.
#include "platform/CRect.h"
#include "platform/GdipTypes.h"

#include <QPainterPath>
#include <QRectF>

class CGraphics;

// Results of the helpers, as the drawing library reports them.
constexpr int GpOk = 0;
constexpr int GpInvalidParameter = 2;
constexpr int GpOutOfMemory = 3;

// The closed path starting on the top side at x + ew / 2 and running clockwise,
// with quarter ellipses of ew x eh at the corners.
QPainterPath RoundRectPath(float x, float y, float width, float height, float ew, float eh);
int DrawRoundRectPath(CGraphics* graphics, const CGpPen* pen, float x, float y, float width,
                      float height, float ew, float eh);
int FillRoundRectPath(CGraphics* graphics, const CGpBrush* brush, float x, float y, float width,
                      float height, float ew, float eh);

// The counter-clockwise curve from the direction of `first` to that of
// `second`, both seen from the rectangle's centre, as a clockwise sweep: start
// angle from the second point, sweep to the first, both in 0..360.
void ArcAnglesByPoints(const QRectF& rect, QPointF first, QPointF second, float* start, float* sweep);
int DrawArcByPoints(CGraphics* graphics, const CGpPen* pen, const QRectF* rect, QPointF first,
                    QPointF second);
int DrawPieByPoints(CGraphics* graphics, const CGpPen* pen, const QRectF* rect, QPointF first,
                    QPointF second);
int FillPieByPoints(CGraphics* graphics, const CGpBrush* brush, const QRectF* rect, QPointF first,
                    QPointF second);

// Maps source onto target: scale, then the appended translation; the page unit
// is pixels. 2 without graphics, else 0.
int SetRectToRectTransform(CGraphics* graphics, const QRectF& source, const QRectF& target);
