#include "dialogs/CColorSchemeDlg.h"

#include "core/HelpRequest.h"
#include "dialogs/CSchemePreviewWnd.h"
#include "platform/Ansi.h"
#include "platform/PackedDib.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWhatsThis>

CColorSchemeDlg::CColorSchemeDlg(ColorSchemeChoice& choice, QWidget* parent)
    : CDialog(parent), m_choice(choice), m_list(new QListWidget(this)), m_diagram(new QCheckBox("&Diagram", this)),
      m_selection(new QCheckBox("&Selection", this)), m_preview(new CSchemePreviewWnd(this))
{
    setWindowTitle("Apply Color Scheme");
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    SetDlgCtrlID(m_list, kSchemeListId);
    SetDlgCtrlID(m_diagram, kDiagramBoxId);
    SetDlgCtrlID(m_selection, kSelectionBoxId);
    SetDlgCtrlID(m_preview, kPreviewId);
    m_preview->setFixedSize(kPreviewExtentX + 2, kPreviewExtentY + 2);
    auto* applyTo = new QGroupBox("Apply to:", this);
    auto* boxes = new QVBoxLayout(applyTo);
    boxes->addWidget(m_diagram);
    boxes->addWidget(m_selection);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addWidget(m_preview, 0, Qt::AlignTop);
    auto* col = new QVBoxLayout(this);
    col->addLayout(top);
    col->addWidget(applyTo);
    col->addWidget(buttons);
    connect(m_diagram, &QCheckBox::toggled, this, [this] { UpdateSelectionBox(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { UpdatePreview(); });
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
    UpdatePreview();
    CenterWindow();
}

void CColorSchemeDlg::UpdatePreview()
{
    const int scheme = m_list->currentRow();
    if (m_bPreviewSet && scheme == m_nPreviewScheme)
        return;
    m_preview->SetPicture(QImage());
    m_nPreviewScheme = scheme;
    m_bPreviewSet = scheme >= 0;
    if (!m_bPreviewSet)
        return;
    m_preview->SetExtent(kPreviewExtentX, kPreviewExtentY);
    const auto& load = GetColorSchemeServices().loadPreview;
    m_preview->SetPictureBlock(load ? load(m_choice.templatePath, scheme) : nullptr);
}

bool CColorSchemeDlg::event(QEvent* e)
{
    if (e->type() == QEvent::EnterWhatsThisMode) {
        QWhatsThis::leaveWhatsThisMode();
        ShowContextHelp(kHelpTopic);
        return true;
    }
    return CDialog::event(e);
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
