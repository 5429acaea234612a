#include "controls/CZoomCombo.h"

#include "core/MsgBox.h"
#include "editing/ui/CKavoView.h"
#include "platform/Prompt.h"

#include <QLineEdit>

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kMaxTypedChars = 20;
} // namespace

QString FormatZoomPercent(float percent)
{
    return QString("%1%").arg(int(std::lround(percent)));
}

CZoomCombo::CZoomCombo(QWidget* parent) : CNumCombo(parent) {}

void CZoomCombo::OnEnter()
{
    if (ApplyTypedZoom(lineEdit()->text()))
        ReturnFocusToView();
}

void CZoomCombo::OnSelect(int)
{
    if (ApplySelectedZoom() > 0)
        ReturnFocusToView();
}

// Once the zoom is set the user goes on with the diagram: keys typed next
// belong to the view (a label typed over a connector), not to this box.
void CZoomCombo::ReturnFocusToView()
{
    if (CKavoView* view = View())
        view->setFocus(Qt::OtherFocusReason);
}

CKavoView* CZoomCombo::View() const
{
    return m_finder ? m_finder() : GetActiveKavoView();
}

bool CZoomCombo::ApplyTypedZoom(const QString& text)
{
    // atoi's reading: leading digits, "150%" is 150.
    const int n = std::atoi(text.left(kMaxTypedChars).toLatin1().constData());
    CKavoView* view = View();
    const int lo = view ? int(view->GetMinZoom()) : 0;
    const int hi = view ? int(view->GetMaxZoom()) : 0;
    if (view && n != 0 && n >= lo && n <= hi) {
        view->ZoomToPercent(float(n));
        SetZoomText(view->GetZoom());
        return true;
    }
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Enter a valid zoom percent between %d and %d", lo, hi);
    return false;
}

int CZoomCombo::ApplySelectedZoom()
{
    const int index = currentIndex();
    if (index < 0 || itemText(index).isEmpty())
        return -1;
    const int n = std::atoi(itemText(index).toLatin1().constData());
    if (n == 0)
        return 0;
    if (CKavoView* view = View())
        view->ZoomToPercent(float(n));
    return n;
}

void CZoomCombo::SetZoomText(float percent)
{
    setEditText(FormatZoomPercent(percent));
}
