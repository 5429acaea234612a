#include "frame/ui/CKavoFrm.h"

#include "frame/ChildFrameState.h"

#include <QMdiArea>

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

void CKavoFrm::ShowAsCreated()
{
    if (m_bOpenMaximized)
        showMaximized();
    else
        show();
}
