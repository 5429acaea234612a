// What the view hands to others: the context menus (built by the menu
// code, which installs the hook), the wheel that the style bar may take
// first, and the hover report to the application, which tells the window
// the cursor left with the mouse-left event.
#include "editing/ui/CKavoView.h"

#include <QCursor>
#include <QEvent>

#include <utility>

namespace {
// Sent by the application when the cursor has left the view.
constexpr QEvent::Type kViewMouseLeftEvent = QEvent::Type(QEvent::User + 0x4C9);

std::function<void(QWidget*)>& HoverReport()
{
    static std::function<void(QWidget*)> report;
    return report;
}
} // namespace

void CKavoView::SetHoverReport(std::function<void(QWidget* wnd)> report)
{
    HoverReport() = std::move(report);
}

// The viewport is the window under the cursor, as the application finds it.
void CKavoView::ReportHover()
{
    if (HoverReport())
        HoverReport()(viewport());
}

void CKavoView::OpenContextMenu(int kind, const CPoint& client)
{
    if (m_contextMenuHook)
        m_contextMenuHook(kind, client);
}

bool CKavoView::OfferWheelToStyleBar(int code)
{
    if (!m_styleBarWheelHook)
        return false;
    const QPoint screen = QCursor::pos();
    return m_styleBarWheelHook(code, CPoint(screen.x(), screen.y()));
}

bool CKavoView::viewportEvent(QEvent* event)
{
    if (event->type() == kViewMouseLeftEvent) {
        OnClearFeedback();
        return true;
    }
    return CZoomView::viewportEvent(event);
}
