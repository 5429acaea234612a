#include "controls/ChildControl.h"

#include "platform/CPainterDC.h"
#include "platform/ui/DlgItems.h"

#include <QPainter>
#include <QWidget>

bool CreateChildControl(QWidget* control, const QRect& rect, QWidget* parent, int id)
{
    if (!parent)
        return false;
    control->setParent(parent);
    control->setGeometry(rect);
    SetDlgCtrlID(control, id);
    control->show();
    return true;
}

void PaintThroughDC(QWidget* window, const QSize& size, const std::function<void(CDC&)>& draw, QImage::Format format)
{
    if (size.isEmpty())
        return;
    QImage surface(size, format);
    {
        CPainterDC dc(&surface);
        draw(dc);
        dc.Flush();
    }
    QPainter(window).drawImage(0, 0, surface);
}
