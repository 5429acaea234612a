// A move drag carried into another view of the same document: the drag ends
// here and starts there from the same press point, so a shape can be dragged
// from one window of a diagram into another.
#include "editing/ui/CKavoView.h"

#include <QApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
CKavoView* ViewOf(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* view = dynamic_cast<CKavoView*>(w))
            return view;
    return nullptr;
}

bool ClientHolds(const CKavoView& view, const QPoint& global)
{
    return view.isVisible() && view.viewport()->rect().contains(view.viewport()->mapFromGlobal(global));
}
} // namespace

CKavoView* CKavoView::OtherViewUnderCursor() const
{
    const QPoint global = QCursor::pos();
    CKavoView* view = nullptr;
    if (QWidget* under = QApplication::widgetAt(global)) {
        view = ViewOf(under);
    } else {
        // Some platforms cannot tell which window lies under a point: then
        // any shown view whose client area holds it.
        for (QWidget* w : QApplication::allWidgets())
            if (auto* v = dynamic_cast<CKavoView*>(w); v && v != this && v->m_pDoc == m_pDoc && ClientHolds(*v, global))
                view = v;
    }
    if (!view || view == this || view->m_pDoc != m_pDoc || !ClientHolds(*view, global))
        return nullptr;
    return view;
}

bool CKavoView::HandOverMoveDrag()
{
    if (!m_bMoveDrag || m_bCopyPending || !m_pDoc)
        return false;
    CKavoView* other = OtherViewUnderCursor();
    if (!other)
        return false;
    const CPoint press = m_ptPress;
    // The selection the press made goes along with the drag.
    const int selectedByGesture = m_bSelectedByGesture;
    m_bSelectedByGesture = 0;
    MoveDragCancel(0);
    for (QWidget* w = other->parentWidget(); w; w = w->parentWidget())
        if (auto* child = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = child->mdiArea())
                area->setActiveSubWindow(child);
            break;
        }
    other->setFocus();
    other->BeginMoveDrag(press);
    if (!other->m_bMoveDrag)
        return true;
    other->m_bSelectedByGesture = selectedByGesture;
    // The mouse's moves and release now belong to the other view.
    other->viewport()->grabMouse();
    const QPoint client = other->viewport()->mapFromGlobal(QCursor::pos());
    other->MoveDragMove(CPoint(client.x(), client.y()));
    return true;
}
