#pragma once
// What the owner-drawn child controls share: placing one on its parent with
// a control id, and painting through a device context on a surface of the
// window's size that is then copied to the window in one piece.
#include <QImage>
#include <QRect>

#include <functional>

class CDC;
class QWidget;

// Joins the parent at the rectangle with the id and shows; false without a
// parent.
bool CreateChildControl(QWidget* control, const QRect& rect, QWidget* parent, int id);
// Nothing for a window without area.
void PaintThroughDC(QWidget* window, const QSize& size, const std::function<void(CDC&)>& draw,
                    QImage::Format format = QImage::Format_RGB32);
