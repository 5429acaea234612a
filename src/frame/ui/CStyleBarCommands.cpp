// What the style bar does with its controls' commands, the style chosen
// elsewhere, the wheel, its menu and the Ctrl-drag between two buttons.
#include "frame/ui/CStyleBar.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CStyleButtons.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/ApplyStyleToSel.h"
#include "document/CKavoDoc.h"
#include "frame/StyleBarSwap.h"
#include "frame/ui/CStyleBarSlotButton.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QWheelEvent>

namespace {

bool InRange(int id, int first)
{
    return id >= first && id < first + kStyleCmdCount;
}

DWORD StyleCommand(int base, int index)
{
    return MAKELONG(WORD(base + index), 0);
}

QString ResText(int id)
{
    const char* text = FindResString(UINT(id));
    return AnsiToQString(text ? text : "");
}

} // namespace

DWORD CKavoStyleBar::RewriteCommand(DWORD wParam) const
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    for (const auto& row : m_rows) {
        const StyleRowSpec& spec = row->Spec();
        const int button = id - spec.firstButtonId;
        if (button >= 0 && button < row->ButtonsCreated()) {
            const int style = row->Button(button)->StyleIndex();
            return style >= 0 ? StyleCommand(spec.commandBase, style) : wParam;
        }
        if (id == spec.comboId) {
            // Whatever the notification: a selection names the style.
            const QComboBox* combo = row->Combo();
            if (combo && combo->currentIndex() >= 0)
                return StyleCommand(spec.commandBase, combo->currentData().toInt());
            return wParam;
        }
        if (id == spec.pickerId && code == 0) {
            const int index = row->PickerSelection();
            return index >= 0 ? StyleCommand(spec.commandBase, index) : wParam;
        }
    }
    return wParam;
}

bool CKavoStyleBar::event(QEvent* event)
{
    if (event->type() == CDlgCommandEvent::EventType()) {
        SendFromControl(static_cast<CDlgCommandEvent*>(event)->WParam());
        return true;
    }
    return QWidget::event(event);
}

void CKavoStyleBar::SendFromControl(DWORD wParam)
{
    if (HIWORD(wParam) == CDropPaletteButton::kHighlightNotify) {
        for (auto& row : m_rows)
            if (row->Spec().pickerId == LOWORD(wParam))
                OnPickerHighlight(*row);
        return;
    }
    const DWORD command = RewriteCommand(wParam);
    const int id = LOWORD(command);
    // Only a style choice means anything to the frame.
    if (command == wParam || !(InRange(id, kFigStyleCmdFirst) || InRange(id, kConStyleCmdFirst) ||
                               InRange(id, kLblStyleCmdFirst)))
        return;
    ApplyToSelection(id);
    if (sendCommand)
        sendCommand(id);
}

void CKavoStyleBar::OnPickerHighlight(CStyleButtonRow& row)
{
    // While the palette is open the row's combo box and the status bar
    // tell which style the pointer is over; leaving the cells puts the
    // combo box back.
    const WORD value = row.Picker() ? row.Picker()->GetSelectedId() : CDropPaletteButton::kNone;
    if (value == CDropPaletteButton::kNone) {
        if (QComboBox* combo = row.Combo())
            combo->setCurrentIndex(row.RememberedComboSel());
        const std::string empty;
        ShowItemInfoInStatusBar(&empty, nullptr);
        return;
    }
    const CStyle* style = StyleOf(row.Spec().kind, m_pDoc, value);
    if (!style || style->m_strName.empty())
        return;
    if (QComboBox* combo = row.Combo())
        combo->setCurrentIndex(combo->findData(int(value)));
    ShowItemInfoInStatusBar(&style->m_strName, &style->Description);
}

void CKavoStyleBar::ApplyToSelection(int command)
{
    // Choosing a style with objects selected restyles them before the
    // style becomes the one to create with.
    if (m_pDoc)
        ApplyStyleCommandToSel(*m_pDoc, command);
}

void CKavoStyleBar::MarkStyle(StyleBarRowKind kind, int style)
{
    CStyleButtonRow& row = Row(kind);
    row.SelectInPicker(style);
    row.ScrollToShow(style);
    if (CStyleBarSlotButton* b = row.Button(row.FindButton(style)))
        b->Press();
    for (auto& other : m_rows)
        for (int i = 0; i < other->ButtonsCreated(); ++i)
            if (other.get() != &row || other->Button(i)->StyleIndex() != style)
                other->Button(i)->Release();
    for (auto& other : m_rows)
        other->SelectInCombo(m_pDoc, other.get() == &row ? style : -1);
}

void CKavoStyleBar::SelectStyleCommand(int id)
{
    int kind = -1;
    int base = 0;
    if (m_pDoc) {
        if (InRange(id, kFigStyleCmdFirst))
            kind = kFigureRow, base = kFigStyleCmdFirst;
        else if (InRange(id, kLblStyleCmdFirst))
            kind = kLabelRow, base = kLblStyleCmdFirst;
        else if (InRange(id, kConStyleCmdFirst))
            kind = kConnectorRow, base = kConStyleCmdFirst;
    }
    if (kind >= 0 && Row(StyleBarRowKind(kind)).IsStyleOfKind(*m_pDoc, id - base)) {
        MarkStyle(StyleBarRowKind(kind), id - base);
        return;
    }
    for (auto& row : m_rows) {
        row->SelectInCombo(m_pDoc, -1);
        row->SelectInPicker(-1);
        row->ReleaseButtons();
    }
}

void CKavoStyleBar::OnLayoutChanged(StyleBarRowKind kind, int styleA, int styleB)
{
    if (m_pDoc)
        Row(kind).LoadLayout(*m_pDoc);
    Rebuild(false, false);
    Row(kind).InvalidateStyle(styleA);
    Row(kind).InvalidateStyle(styleB);
}

void CKavoStyleBar::OnButtonUp(CStyleBarSlotButton* button, QWidget* under, Qt::KeyboardModifiers mods)
{
    CStyleButtonRow& row = Row(button->Kind());
    if (!(mods & Qt::ControlModifier) || !m_pDoc || g_nUIMode != row.Spec().uiMode)
        return;
    const int current = row.CurrentStyle(*m_pDoc);
    if (current == -1 || !row.IsMyButton(under))
        return;
    const int other = static_cast<CStyleBarSlotButton*>(under)->StyleIndex();
    if (other == current || !row.IsStyleOfKind(*m_pDoc, other))
        return;
    const bool swapped = button->Kind() == kConnectorRow ? SwapConStylesOnBar(*m_pDoc, current, other)
                                                         : SwapFigStylesOnBar(*m_pDoc, current, other);
    if (!swapped)
        return;
    // The buttons are made anew: the one that had the mouse goes once its
    // event is over.
    OnLayoutChanged(button->Kind(), current, other);
    EnterUIMode(2, row.Spec().commandBase + current);
}

bool CKavoStyleBar::StyleAtPoint(const QPoint& screen, StyleBarRowKind& kind, int& style) const
{
    for (int r = 0; r < kStyleBarRows; ++r)
        if (m_rows[size_t(r)]->ButtonHitTest(screen, style) >= 0) {
            kind = StyleBarRowKind(r);
            return true;
        }
    style = -1;
    return false;
}

bool CKavoStyleBar::OnMouseWheel(const QPoint& screen, int delta)
{
    for (auto& row : m_rows) {
        if (!row->Scrolls() || row->ButtonsCreated() == 0)
            continue;
        const QRect first = row->ButtonRect(0);
        const QRect last = row->ButtonRect(row->ButtonsCreated() - 1);
        const QRect area(QPoint(mapToGlobal(QPoint(0, 0)).x(), first.top()), QPoint(mapToGlobal(QPoint(width(), 0)).x(), last.bottom()));
        if (!area.contains(screen))
            continue;
        row->Scroll(delta > 0 ? kScrollLineUp : kScrollLineDown, 0, row->MarkedStyle());
        return true;
    }
    return false;
}

void CKavoStyleBar::wheelEvent(QWheelEvent* event)
{
    if (!OnMouseWheel(event->globalPosition().toPoint(), event->angleDelta().y()))
        QWidget::wheelEvent(event);
}

void CKavoStyleBar::contextMenuEvent(QContextMenuEvent* event)
{
    CloseActiveTextEditor();
    QMenu menu(this);
    const struct {
        int text, command;
        bool checked;
    } items[] = {{849, 32826, ShowStdToolBar != 0}, {847, 32824, ShowPropertyBar != 0}, {848, 32825, !CollapsedStyleBar}};
    for (const auto& item : items) {
        QAction* a = menu.addAction(ResText(item.text));
        a->setCheckable(true);
        a->setChecked(item.checked);
        a->setData(item.command);
    }
    menu.addSeparator();
    menu.addAction(ResText(846))->setData(32823);
    QAction* chosen = menu.exec(event->globalPos() + QPoint(2, 2));
    if (chosen && sendCommand)
        sendCommand(chosen->data().toInt());
}
