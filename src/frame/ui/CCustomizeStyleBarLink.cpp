// The Customize sheet's questions answered by the main window's style bar.
#include "frame/ui/CCustomizeStyleBarLink.h"

#include "core/Settings.h"
#include "controls/CStyleButtons.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/CStyleBarSlotButton.h"

#include <QComboBox>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace {
constexpr int kBeamWidth = 2;

CKavoStyleBar* Bar(CMainFrame* frame)
{
    CKavoStyleBar* bar = frame ? frame->StyleBar() : nullptr;
    return bar && !CollapsedStyleBar && bar->isVisible() && bar->Document() ? bar : nullptr;
}

CStyleButtonRow* RowOf(CMainFrame* frame, int row)
{
    CKavoStyleBar* bar = Bar(frame);
    return bar && row >= 0 && row < kStyleBarRows ? &bar->Row(StyleBarRowKind(row)) : nullptr;
}

// The buttons of a row that show a style, in screen coordinates.
std::vector<QRect> ShownButtons(const CStyleButtonRow& row)
{
    std::vector<QRect> rects;
    for (int i = 0; i < row.ButtonsCreated() && row.Offset() + i < row.Layout().m_nCount; ++i)
        rects.push_back(row.ButtonRect(i));
    return rects;
}

} // namespace

QWidget* CustStyleBar(CMainFrame* frame) { return Bar(frame); }

bool CustStyleBarGripAt(CMainFrame* frame, const QPoint& screen)
{
    CKavoStyleBar* bar = Bar(frame);
    if (!bar)
        return false;
    // One and a half frame widths at the bar's right side, its full height.
    const int grip = std::max(2, bar->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 3 / 2);
    const QPoint local = bar->mapFromGlobal(screen);
    return local.y() >= 0 && local.y() < bar->height() && local.x() >= bar->width() - grip
           && local.x() < bar->width();
}

StyleBarHit CustStyleButtonAt(CMainFrame* frame, const QPoint& screen)
{
    StyleBarHit hit;
    CKavoStyleBar* bar = Bar(frame);
    StyleBarRowKind kind;
    int style = -1;
    if (bar && bar->StyleAtPoint(screen, kind, style) && style >= 0) {
        hit.row = int(kind);
        hit.style = style;
    }
    return hit;
}

QRect CustStyleButtonRect(CMainFrame* frame, int row, int style)
{
    const CStyleButtonRow* r = RowOf(frame, row);
    const int button = r ? r->FindButton(style) : -1;
    return button >= 0 ? r->ButtonRect(button) : QRect();
}

int CustStyleDropIndex(CMainFrame* frame, int row, const QPoint& screen)
{
    const CStyleButtonRow* r = RowOf(frame, row);
    if (!r)
        return -1;
    const std::vector<QRect> buttons = ShownButtons(*r);
    if (buttons.empty()) {
        // An empty row takes a drop anywhere over its picker or combo box.
        const QWidget* anchor = r->Combo() ? static_cast<const QWidget*>(r->Combo()) : r->Picker();
        return anchor && QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()).contains(screen) ? 0 : -1;
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].contains(screen))
            return int(i) + (screen.x() >= buttons[i].center().x() ? 1 : 0);
    return -1;
}

void CustDrawStyleBeam(CMainFrame* frame, int row, int index)
{
    CKavoStyleBar* bar = Bar(frame);
    const CStyleButtonRow* r = RowOf(frame, row);
    if (!bar || !r || index < 0)
        return;
    const std::vector<QRect> buttons = ShownButtons(*r);
    QRect mark;
    if (buttons.empty())
        mark = QRect(0, 0, kBeamWidth, 0);
    else if (index < int(buttons.size()))
        mark = QRect(buttons[size_t(index)].topLeft(), QSize(kBeamWidth, buttons[size_t(index)].height()));
    else
        mark = QRect(buttons.back().topRight() + QPoint(1 - kBeamWidth, 0),
                     QSize(kBeamWidth, buttons.back().height()));
    mark.moveTopLeft(bar->mapFromGlobal(mark.topLeft()));
    ToggleInsertionMark(bar, mark);
}

int CustStyleRowFirstVisible(CMainFrame* frame, int row)
{
    const CStyleButtonRow* r = RowOf(frame, row);
    return r ? r->Offset() : 0;
}

bool CustOverStyleRowCombo(CMainFrame* frame, const QPoint& screen)
{
    for (int row = 0; row < kStyleBarRows; ++row)
        if (const CStyleButtonRow* r = RowOf(frame, row))
            if (const QComboBox* combo = r->Combo(); combo && combo->isVisible()
                && QRect(combo->mapToGlobal(QPoint(0, 0)), combo->size()).contains(screen))
                return true;
    return false;
}

void CustRebuildStyleBar(CMainFrame* frame)
{
    if (CKavoStyleBar* bar = Bar(frame)) {
        bar->Rebuild(true, true);
        bar->update();
    }
}

void CustApplyStyleBarWidth(CMainFrame* frame, int width)
{
    if (CKavoStyleBar* bar = Bar(frame))
        bar->SetBarWidth(width);
}
