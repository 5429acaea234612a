#include "controls/CNumEdit.h"

#include "controls/CDataExchange.h"
#include "controls/CNumCombo.h"
#include "controls/CDlgCommandEvent.h"
#include "core/MsgBox.h"
#include "platform/Prompt.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_dirty = true;
        if (m_spec.setFlag)
            *m_spec.setFlag = 1;
        Notify(kNumEditChanged);
    });
}

void CNumEdit::Configure(const CNumEditSpec* spec)
{
    if (spec)
        m_spec = *spec;
    if (!m_spec.spin || m_spinUp)
        return;
    // Two small arrows at the right end of the field, as high as the field.
    auto* box = new QWidget(this);
    SetDlgCtrlID(box, IDC_NUMEDIT_SPIN);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (bool up : {true, false}) {
        auto* arrow = new QToolButton(box);
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setObjectName(up ? "spinUp" : "spinDown");
        connect(arrow, &QToolButton::clicked, this, [this, up] { Step(up); });
        column->addWidget(arrow);
    }
    m_spinUp = box;
    resizeEvent(nullptr);
    // A child made after its field was shown stays hidden unless told.
    box->show();
}

void CNumEdit::resizeEvent(QResizeEvent* event)
{
    if (event)
        QLineEdit::resizeEvent(event);
    if (m_spinUp) {
        m_spinUp->setGeometry(width() - height(), 0, height(), height());
        setTextMargins(0, 0, height(), 0);
    }
}

void CNumEdit::Notify(int code)
{
    QWidget* target = parentWidget();
    // The edit part of a combo box speaks for the box, to the box's parent.
    if (target && qobject_cast<QComboBox*>(target))
        target = target->parentWidget();
    if (!target)
        return;
    CDlgCommandEvent event(MAKELONG(WORD(GetDlgCtrlID(this)), WORD(code)));
    QApplication::sendEvent(target, &event);
}

void CNumEdit::Load()
{
    std::string text;
    if (!(m_spec.blankWhileUnset && m_spec.setFlag && *m_spec.setFlag == 0))
        text = FormatNumValue(m_spec);
    const QString shown = AnsiToQString(text);
    if (shown != QLineEdit::text())
        setText(shown);
    m_dirty = false;
}

bool CNumEdit::Save(bool messages)
{
    if (!m_dirty)
        return true;
    const std::string text = QStringToAnsi(QLineEdit::text());
    if (m_spec.setFlag && text.empty()) {
        *m_spec.setFlag = 0;
        m_dirty = false;
        return true;
    }
    auto value = ParseNumText(m_spec, text);
    if (!value) {
        if (messages) {
            const std::string message = NumRangeMessage(m_spec);
            if (!message.empty())
                MsgBoxPrintf(MB_ICONEXCLAMATION, "%s", message.c_str());
        }
        selectAll();
        return false;
    }
    StoreNumValue(m_spec, *value);
    if (m_spec.setFlag)
        *m_spec.setFlag = 1;
    m_dirty = false;
    Load();
    return true;
}

bool CNumEdit::SaveOrOwner(bool messages)
{
    if (auto* owner = dynamic_cast<INumEditOwner*>(m_spec.owner)) {
        if (!owner->UpdateData(true))
            return false;
        owner->UpdateData(false);
        return true;
    }
    return Save(messages) && (Load(), true);
}

void CNumEdit::Step(bool up)
{
    if (m_spec.owner) {
        if (m_spec.setFlag)
            *m_spec.setFlag = 1;
        Save(false);
        StepNumValue(m_spec, up);
        Load();
    }
    Notify(kNumEditCommitted);
}

bool CNumEdit::Commit()
{
    // The box a field is the edit part of acts on Enter first.
    if (auto* combo = qobject_cast<CNumCombo*>(parentWidget()))
        combo->OnEnter();
    if (!m_spec.owner || !SaveOrOwner(true))
        return false;
    Notify(kNumEditCommitted);
    return true;
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    // A clean field of a dialog leaves Enter and Esc to the dialog's buttons;
    // once typed in, it keeps them, so that Enter commits what was typed and
    // Esc does not throw it away with the dialog. A box's edit part has no
    // dialog buttons to leave them to.
    if ((enter || key == Qt::Key_Escape) && !m_dirty && !qobject_cast<CNumCombo*>(parentWidget())) {
        event->ignore();
        return;
    }
    if (key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (enter) {
        if (m_spec.enterCommits)
            Commit();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll) && m_spec.selectAll) {
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event)
{
    m_losingFocus = true;
    QLineEdit::focusOutEvent(event);
    m_losingFocus = false;
    if (!m_spec.owner)
        return;
    const bool wasDirty = m_dirty;
    if (!Save(false))
        return; // the refused text stays as typed
    if (auto* owner = dynamic_cast<INumEditOwner*>(m_spec.owner))
        owner->UpdateData(false);
    if (wasDirty)
        Notify(kNumEditCommitted);
}

bool DDX_NumEdit(CDataExchange& dx, int id)
{
    auto* field = qobject_cast<CNumEdit*>(dx.dialog ? GetDlgItem(dx.dialog, id) : nullptr);
    if (!field)
        return true;
    if (!dx.saving) {
        field->Load();
        return true;
    }
    if (field->Save(true))
        return true;
    field->setFocus();
    return false;
}
