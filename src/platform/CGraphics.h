#pragma once
// Anti-aliased drawing with real-valued coordinates, ARGB colours and gradients
// on a device context (the drawing the program does through its "graphics"
// object). Coordinates are device pixels of the device context, transformed by
// the world transform; the context's own mapping mode does not apply.
#include "platform/GdipTypes.h"

#include <QPainterPath>
#include <QPolygonF>

class CDC;

class CGraphics {
public:
    explicit CGraphics(CDC* dc);
    CDC* GetDC() const { return m_dc; }

    void SetSmoothingMode(GpSmoothingMode mode) { m_state.smoothing = mode; }
    GpSmoothingMode GetSmoothingMode() const { return m_state.smoothing; }
    void SetPixelOffsetMode(GpPixelOffsetMode mode) { m_state.pixelOffset = mode; }
    void SetInterpolationMode(GpInterpolationMode mode) { m_state.interpolation = mode; }
    void SetCompositingQuality(GpCompositingQuality q) { m_state.compositing = q; }
    void SetTransform(const QTransform& t) { m_state.world = t; }
    const QTransform& GetTransform() const { return m_state.world; }
    void TranslateTransform(float dx, float dy);
    void ScaleTransform(float sx, float sy);
    void RotateTransform(float degrees);
    void ResetTransform() { m_state.world = QTransform(); }
    // Clip in world units (kept in device pixels).
    void SetClip(const QRectF& rect);
    void SetClip(const QPainterPath& path);
    void ResetClip();

    void DrawLine(const CGpPen& pen, QPointF a, QPointF b);
    void DrawLines(const CGpPen& pen, const QPolygonF& points);
    void DrawPolygon(const CGpPen& pen, const QPolygonF& points);
    void FillPolygon(const CGpBrush& brush, const QPolygonF& points,
                     GpFillMode mode = GpFillMode::Alternate);
    void DrawRectangle(const CGpPen& pen, const QRectF& rect);
    void FillRectangle(const CGpBrush& brush, const QRectF& rect);
    void DrawEllipse(const CGpPen& pen, const QRectF& rect);
    void FillEllipse(const CGpBrush& brush, const QRectF& rect);
    // Angles in degrees, clockwise from the x axis (the graphics convention).
    void DrawArc(const CGpPen& pen, const QRectF& rect, float startAngle, float sweepAngle);
    void DrawPie(const CGpPen& pen, const QRectF& rect, float startAngle, float sweepAngle);
    void FillPie(const CGpBrush& brush, const QRectF& rect, float startAngle, float sweepAngle);
    void DrawBezier(const CGpPen& pen, QPointF p1, QPointF p2, QPointF p3, QPointF p4);
    void DrawBeziers(const CGpPen& pen, const QPolygonF& points);
    void DrawPath(const CGpPen& pen, const QPainterPath& path);
    void FillPath(const CGpBrush& brush, const QPainterPath& path);
    void DrawImage(const QImage& image, const QRectF& dst);
    void DrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                   const CGpImageAttributes* attrs = nullptr);
    void Clear(ARGB color);

    // Graphics-convention arcs as a path: the arc of the ellipse in rect from
    // startAngle sweeping sweepAngle degrees clockwise on the screen.
    static QPainterPath ArcPath(const QRectF& rect, float startAngle, float sweepAngle,
                                bool pie);

private:
    CDC* m_dc;
    CGpState m_state;
    QPainterPath m_clip;
};
