#include "controls/CNumCombo.h"

#include "controls/CNumEdit.h"
#include "platform/ui/DlgItems.h"

CNumCombo::CNumCombo(QWidget* parent) : QComboBox(parent), m_edit(new CNumEdit)
{
    setEditable(true);
    // What is typed is applied on Enter, never added to the list.
    setInsertPolicy(QComboBox::NoInsert);
    setLineEdit(m_edit);
    SetDlgCtrlID(m_edit, IDC_COMBO_EDIT);
    // The field swallows Enter, so the box is activated only by a choice
    // from its list (or the arrow keys stepping through it).
    // The combo box also picks the entry of the typed text when the field
    // loses the focus; what was typed waits for Enter instead.
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (!m_edit->IsLosingFocus())
            OnSelect(index);
    });
}
