#pragma once
// Anti-aliased drawing with real-valued coordinates, ARGB colours and gradients
// on a device context (the drawing the program does through its "graphics"
// object). Coordinates are the device context's logical units as its mapping
// stood when the graphics object was made (so figures in logical units draw
// alike through either), then the world transform of this object applies.
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
    GpPixelOffsetMode GetPixelOffsetMode() const { return m_state.pixelOffset; }
    void SetInterpolationMode(GpInterpolationMode mode) { m_state.interpolation = mode; }
    GpInterpolationMode GetInterpolationMode() const { return m_state.interpolation; }
    void SetCompositingQuality(GpCompositingQuality q) { m_state.compositing = q; }
    GpCompositingQuality GetCompositingQuality() const { return m_state.compositing; }
    void SetTransform(const QTransform& t) { m_state.world = t; }
    const QTransform& GetTransform() const { return m_state.world; }
    void TranslateTransform(float dx, float dy, GpMatrixOrder order = GpMatrixOrder::Prepend);
    void ScaleTransform(float sx, float sy, GpMatrixOrder order = GpMatrixOrder::Prepend);
    void RotateTransform(float degrees, GpMatrixOrder order = GpMatrixOrder::Prepend);
    void MultiplyTransform(const QTransform& t, GpMatrixOrder order = GpMatrixOrder::Prepend);
    void ResetTransform() { m_state.world = QTransform(); }
    // World units to the target's pixels: the world transform, then the
    // context's mapping.
    QTransform WorldToDevice() const { return m_state.world * m_base; }
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
    // The state handed to the device context: world transform then the
    // context's mapping.
    const CGpState& DeviceState();

    CDC* m_dc;
    QTransform m_base;          // the context's logical-to-device mapping at creation
    CGpState m_state;           // world = this object's own world transform
    CGpState m_deviceState;
};
