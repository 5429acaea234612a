#include "dialogs/sheets/SheetPlacement.h"

#include "editing/ui/ViewContextMenu.h"
#include "graphics/DrawHelpers.h"

#include <QWidget>

void PlacePropertySheet(QWidget& sheet, const CRect* object)
{
    // The sheet has its size: only its place is chosen here.
    const QRect frame = sheet.frameGeometry();
    CRect rc(frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height());
    if (object) {
        if (PositionDlgNearRect(rc, *object))
            sheet.move(rc.left, rc.top);
        return;
    }
    const CPoint click = GetRightClickPoint();
    if (click.x == 0 || click.y == 0)
        return;
    rc = CRect(click.x, click.y, click.x + frame.width(), click.y + frame.height());
    KeepRectInMainWnd(rc);
    sheet.move(rc.left, rc.top);
}
