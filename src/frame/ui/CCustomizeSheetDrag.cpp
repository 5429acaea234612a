// The Customize sheet's mouse handling: the application-wide filter that
// takes mouse input outside the sheet, and the drags that move, add and
// remove toolbar buttons.
#include "frame/ui/CCustomizeSheet.h"

#include "core/HelpRequest.h"
#include "core/MsgBox.h"
#include "frame/CustomizeEdits.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CCustomizePages.h"
#include "frame/ui/CCustomizeStyleBarLink.h"
#include "frame/ui/CIconListBoxes.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTabWidget>
#include <QWhatsThis>

namespace {
// The selection frame of a toolbar button: two nested one-pixel frames
// inverted over the bar, drawn on a child that lies over the bar's items.
class CSelectionFrame : public QWidget {
public:
    explicit CSelectionFrame(QWidget* bar) : QWidget(bar)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName("customizeSelection");
        setGeometry(bar->rect());
    }
    void Show(const QRect& button)
    {
        m_button = button;
        setGeometry(parentWidget()->rect());
        raise();
        show();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // The button's rectangle less its last row and column, shrunk by
        // one and by two: the inverting colour turns the button face into
        // the dark shadow.
        const QPalette& pal = QGuiApplication::palette();
        const QRgb face = pal.color(QPalette::Button).rgb(), dark = pal.color(QPalette::Shadow).rgb();
        QPainter p(this);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const QRect outer(m_button.left(), m_button.top(), m_button.width() - 1, m_button.height() - 1);
        // (the rectangle is in the coordinates of the bar it lies over)
        for (const QRect& r : {outer.adjusted(1, 1, -1, -1), outer.adjusted(2, 2, -2, -2)}) {
            QRegion frame(r);
            frame -= r.adjusted(1, 1, -1, -1);
            for (const QRect& part : frame)
                p.fillRect(part, QColor::fromRgb((face ^ dark) | 0xFF000000u));
        }
    }

private:
    QRect m_button;
};

bool IsMouseEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// The font-size and zoom boxes can be typed in: moves over them are kept
// from them while customizing, so that a drag across them selects no text.
bool OverEditableCombo(QWidget* target)
{
    for (QWidget* w = target; w; w = w->parentWidget()) {
        const int command = w->property("commandId").toInt();
        if (command == 32776 || command == 32779)
            return true;
        if (qobject_cast<CCustomToolBar*>(w))
            break;
    }
    return false;
}
} // namespace

bool CCustomizeSheet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && event->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        ShowContextHelp(kCustomizeHelpTopic);
        return true;
    }
    if (!watched->isWidgetType() || !IsMouseEvent(event->type()))
        return false;
    auto* target = static_cast<QWidget*>(watched);
    // During a drag the sheet has the mouse wherever it goes.
    if (m_bCapture) {
        if (event->type() == QEvent::ContextMenu)
            return true;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint screen = mouse->globalPosition().toPoint();
        if (event->type() == QEvent::MouseMove)
            OnMouseMove(screen);
        else if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
            OnLButtonUp(screen);
        return true;
    }
    // Another window holding the mouse (an open list or menu) keeps it.
    if (QWidget::mouseGrabber() || QApplication::activePopupWidget())
        return false;
    if (target->window() == this)
        return false;
    if (event->type() != QEvent::ContextMenu
        && CustOverStyleRowCombo(m_frame, static_cast<QMouseEvent*>(event)->globalPosition().toPoint()))
        return false;
    return FilterOutside(target, event);
}

bool CCustomizeSheet::FilterOutside(QWidget* target, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu)
        return true;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint screen = mouse->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseMove:
        OnMouseMove(screen);
        // Hovering still shows on the toolbars; nothing else sees the mouse.
        return !(m_frame && m_frame->ToolBarAtPoint(screen) && !OverEditableCombo(target));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton)
            OnLButtonDown(screen);
        else if (mouse->button() == Qt::RightButton && m_frame)
            m_frame->activateWindow();
        return true;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            OnLButtonUp(screen);
        return true;
    default:
        return true;
    }
}

bool CCustomizeSheet::InClientArea(const QPoint& screen) const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size()).contains(screen);
}

void CCustomizeSheet::OnLButtonDown(const QPoint& screen)
{
    m_bButtonDown = true;
    if (!InClientArea(screen)) {
        if (m_frame)
            m_frame->activateWindow();
        CCustomToolBar* bar = m_frame ? m_frame->ToolBarAtPoint(screen) : nullptr;
        const unsigned command = bar ? bar->CommandAtPoint(screen) : 0;
        if (command) {
            ShowToolSelection(false);
            m_selBar = bar;
            m_selCmd = command;
            ShowToolSelection(true);
            return;
        }
        if (!bar)
            StyleBarDown(screen);
        return;
    }
    if (GetActiveIndex() == kCommands)
        StartCommandDrag(screen);
    else if (GetActiveIndex() == kStyles)
        StartStyleDrag(screen);
}

// A press on the Commands list: the current command is dragged, moved when a
// bar holds it already, else added.
void CCustomizeSheet::StartCommandDrag(const QPoint& screen)
{
    CCmdIconListBox* list = m_cmds->Commands();
    if (!list || !list->currentItem()
        || !QRect(list->mapToGlobal(QPoint(0, 0)), list->size()).contains(screen))
        return;
    const unsigned command = unsigned(list->ItemData(list->currentRow()));
    m_bFromList = true;
    if (CCustomToolBar* bar = m_frame ? m_frame->FindToolBarWithCmd(int(command)) : nullptr) {
        ShowToolSelection(false);
        m_selBar = bar;
        m_selCmd = command;
        ShowToolSelection(true);
        m_bMovingTool = true;
    } else {
        m_bAddingCmd = true;
        m_addCmd = command;
    }
    m_bCapture = true;
    UpdateToolTarget(screen);
}

void CCustomizeSheet::BeginToolMove()
{
    m_bMovingTool = true;
    m_bCapture = true;
    SetDragCursor(Qt::DragMoveCursor);
}

void CCustomizeSheet::OnMouseMove(const QPoint& screen)
{
    if (m_bMovingTool || m_bAddingCmd) {
        UpdateToolTarget(screen);
        return;
    }
    if (StyleBarMove(screen))
        return;
    if (m_bButtonDown && !InClientArea(screen) && m_selBar) {
        BeginToolMove();
        UpdateToolTarget(screen);
    }
}

void CCustomizeSheet::UpdateToolTarget(const QPoint& screen)
{
    CCustomToolBar* bar = nullptr;
    int index = -1;
    if (m_frame)
        m_frame->FindDropTarget(screen, bar, index);
    if (bar != m_targetBar || index != m_nTargetIndex) {
        DrawToolBeam(false);
        m_targetBar = bar;
        m_nTargetIndex = index;
        DrawToolBeam(true);
    }
    if (!bar)
        SetDragCursor(Qt::ForbiddenCursor);
    else
        SetDragCursor(m_bAddingCmd ? Qt::DragCopyCursor : Qt::DragMoveCursor);
}

// No mark where the drop would leave the button where it is.
void CCustomizeSheet::DrawToolBeam(bool draw)
{
    if (!draw) {
        if (m_beamBar)
            m_beamBar->DrawDropBeam(m_nBeamIndex);
        m_beamBar = nullptr;
        m_nBeamIndex = -1;
        return;
    }
    if (!m_targetBar || m_nTargetIndex < 0)
        return;
    if (m_bMovingTool && m_targetBar == m_selBar) {
        const int own = m_selBar->Buttons().IndexOf(m_selCmd);
        if (m_nTargetIndex == own || m_nTargetIndex == own + 1)
            return;
    }
    m_beamBar = m_targetBar;
    m_nBeamIndex = m_nTargetIndex;
    m_beamBar->DrawDropBeam(m_nBeamIndex);
}

void CCustomizeSheet::OnLButtonUp(const QPoint& screen)
{
    ShowStyleSelection(false);
    if (m_bMovingStyle || m_bAddingStyle) {
        UpdateStyleTarget(screen);
        DrawStyleBeam(false);
        DropStyleButton();
    } else if (m_bMovingTool || m_bAddingCmd) {
        UpdateToolTarget(screen);
        DrawToolBeam(false);
        DropToolButton();
    }
    ClearDragState();
}

void CCustomizeSheet::DropToolButton()
{
    CustomizeDrop result = CustomizeDrop::Unchanged;
    CCustomToolBar* from = m_selBar;
    CCustomToolBar* to = m_targetBar;
    if (m_bAddingCmd) {
        if (!to)
            return;
        result = AddToolBarCommand(to->EditButtons(), m_addCmd, m_nTargetIndex);
    } else if (from) {
        const int d = from->Buttons().IndexOf(m_selCmd);
        result = DropToolBarButton(from->EditButtons(), d, to ? &to->EditButtons() : nullptr, m_nTargetIndex,
                                   !m_bFromList);
    }
    switch (result) {
    case CustomizeDrop::Changed:
        // The selection frame belongs to the old layout: off before rebuilding.
        ShowToolSelection(false);
        if (from)
            from->Rebuild();
        if (to && to != from)
            to->Rebuild();
        break;
    case CustomizeDrop::OnlyButton:
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "Cannot remove toolbar control.  Toolbars must always have at least one control.");
        break;
    case CustomizeDrop::BarFull:
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Cannot add another control to this toolbar.");
        break;
    case CustomizeDrop::Unchanged:
        break;
    }
}

namespace {
void ShowSelectionFrame(QWidget* over, const QRect& rect, bool show)
{
    if (!over)
        return;
    auto* frame = over->findChild<QWidget*>("customizeSelection", Qt::FindDirectChildrenOnly);
    if (!show) {
        if (frame)
            frame->hide();
        return;
    }
    if (rect.isEmpty())
        return;
    if (!frame)
        frame = new CSelectionFrame(over);
    static_cast<CSelectionFrame*>(frame)->Show(rect);
}
} // namespace

void CCustomizeSheet::ShowToolSelection(bool show)
{
    if (!m_selBar)
        return;
    QWidget* button = show ? m_selBar->ItemWidget(m_selBar->Buttons().IndexOf(m_selCmd)) : nullptr;
    ShowSelectionFrame(m_selBar, button ? button->geometry() : QRect(), show);
}

void CCustomizeSheet::ShowStyleSelection(bool show)
{
    QWidget* bar = CustStyleBar(m_frame);
    if (!bar || m_nSelRow < 0)
        return;
    const QRect screen = show ? CustStyleButtonRect(m_frame, m_nSelRow, m_nSelStyle) : QRect();
    ShowSelectionFrame(bar, QRect(bar->mapFromGlobal(screen.topLeft()), screen.size()), show);
}

void CCustomizeSheet::SetDragCursor(Qt::CursorShape shape)
{
    if (m_bCursorSet)
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    else
        QGuiApplication::setOverrideCursor(QCursor(shape));
    m_bCursorSet = true;
}

void CCustomizeSheet::ClearDragState()
{
    DrawToolBeam(false);
    DrawStyleBeam(false);
    ShowToolSelection(false);
    ShowStyleSelection(false);
    if (m_bCursorSet)
        QGuiApplication::restoreOverrideCursor();
    m_bCursorSet = false;
    m_bResizing = m_bMovingTool = m_bMovingStyle = m_bAddingCmd = m_bAddingStyle = false;
    m_bButtonDown = m_bFromList = m_bCapture = false;
    m_targetBar = nullptr;
    m_nTargetIndex = -1;
    m_selBar = nullptr;
    m_selCmd = 0;
    m_addCmd = 0;
    m_nSelRow = m_nSelStyle = m_nStyleRow = m_nStyleTarget = m_nAddStyle = -1;
}
