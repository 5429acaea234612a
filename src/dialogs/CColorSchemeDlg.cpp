#include "dialogs/CColorSchemeDlg.h"

#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CColorSchemeDlg::CColorSchemeDlg(ColorSchemeChoice& choice, QWidget* parent)
    : CDialog(parent), m_choice(choice), m_list(new QListWidget(this)), m_diagram(new QCheckBox("&Diagram", this)),
      m_selection(new QCheckBox("&Selection", this))
{
    setWindowTitle("Apply Color Scheme");
    SetDlgCtrlID(m_list, kSchemeListId);
    SetDlgCtrlID(m_diagram, kDiagramBoxId);
    SetDlgCtrlID(m_selection, kSelectionBoxId);
    auto* applyTo = new QGroupBox("Apply to:", this);
    auto* boxes = new QVBoxLayout(applyTo);
    boxes->addWidget(m_diagram);
    boxes->addWidget(m_selection);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_list);
    col->addWidget(applyTo);
    col->addWidget(buttons);
    connect(m_diagram, &QCheckBox::toggled, this, [this] { UpdateSelectionBox(); });
}

void CColorSchemeDlg::OnInitDialog()
{
    for (const std::string& name : m_choice.schemes)
        m_list->addItem(AnsiToQString(name));
    if (m_choice.scheme >= 0 && m_choice.scheme < m_list->count())
        m_list->setCurrentRow(m_choice.scheme);
    m_diagram->setChecked(m_choice.applyToDiagram);
    m_selection->setChecked(m_choice.applyToSelection);
    UpdateSelectionBox();
    CenterWindow();
}

void CColorSchemeDlg::UpdateSelectionBox()
{
    ColorSchemeChoice c = m_choice;
    c.applyToDiagram = m_diagram->isChecked();
    m_selection->setEnabled(c.SelectionEnabled());
}

void CColorSchemeDlg::OnOK()
{
    m_choice.scheme = m_list->currentRow();
    m_choice.applyToDiagram = m_diagram->isChecked();
    m_choice.applyToSelection = m_selection->isEnabled() && m_selection->isChecked();
    CDialog::OnOK();
}

bool RunColorSchemeDialog(ColorSchemeChoice& choice)
{
    CColorSchemeDlg dlg(choice, QApplication::activeWindow());
    return dlg.DoModal() == IDOK;
}
