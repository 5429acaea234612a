#include "frame/ui/CKavoFrm.h"

#include "frame/ChildFrameState.h"

#include <QMdiArea>
#include <QStyle>

#include <algorithm>

CKavoFrm::CKavoFrm(QWidget* parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

bool CKavoFrm::PreCreateWindow(const QMdiArea* area)
{
    const bool childActive = area && area->activeSubWindow() != nullptr;
    m_bOpenMaximized = ShouldOpenMaximized(childActive);
    return true;
}

bool CKavoFrm::OnCreateClient(QWidget* view)
{
    SetMaximizeMarker(nullptr);
    if (!view)
        return false;
    setWidget(view);
    return true;
}

void CKavoFrm::PlaceInArea(const QMdiArea* area, const QMdiSubWindow* previous)
{
    // Before the main window shows, the area has no real size yet.
    if (!area || !area->isVisible())
        return;
    const QSize room = area->viewport()->size();
    if (room.isEmpty())
        return;
    resize(size().boundedTo(room));
    // One title bar further each time, as a cascade does.
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    QPoint at = previous && !previous->isMaximized() ? previous->pos() + QPoint(step, step) : QPoint(0, 0);
    if (at.x() + width() > room.width() || at.y() + height() > room.height())
        at = QPoint(0, 0);
    move(at);
}

void CKavoFrm::ShowAsCreated()
{
    if (m_bOpenMaximized)
        showMaximized();
    else
        show();
}

void CascadeChildFrames(QMdiArea& area)
{
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : area.subWindowList(QMdiArea::StackingOrder))
        if (child->isVisible() && !child->isMinimized())
            children.push_back(child);
    const QSize room = area.viewport()->size();
    if (children.isEmpty() || room.isEmpty())
        return;
    QMdiSubWindow* active = area.activeSubWindow();
    const QMdiSubWindow* front = children.last();
    const int step = std::max(1, front->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, front));
    const int steps = room.height() / (3 * step);
    const QSize size(std::max(1, room.width() - steps * step), std::max(1, room.height() - steps * step));
    for (qsizetype i = 0; i < children.size(); ++i) {
        QMdiSubWindow* child = children[i];
        if (child->isMaximized())
            child->showNormal();
        const int offset = step * int(i % (steps + 1));
        child->setGeometry(QRect(QPoint(offset, offset), size));
    }
    if (active && area.activeSubWindow() != active)
        area.setActiveSubWindow(active);
}
