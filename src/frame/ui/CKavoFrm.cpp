#include "frame/ui/CKavoFrm.h"

#include "frame/ChildFrameState.h"

#include <QMdiArea>
#include <QStyle>

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
