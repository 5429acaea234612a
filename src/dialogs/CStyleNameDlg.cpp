#include "dialogs/CStyleNameDlg.h"

#include "core/MsgBox.h"
#include "core/StringHelpers.h"
#include "core/StyleNameRules.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kNameEditId = 1050;
constexpr int kReminderId = 1286;
constexpr const char* kReminderText =
    "Reminder: the first thing you need to do for a new style is choose a symbol or graphic to "
    "define its shape.";
} // namespace

CStyleNameDlgBase::CStyleNameDlgBase(QWidget* parent) : CDialog(parent), m_edit(new QLineEdit(this))
{
    SetDlgCtrlID(m_edit, kNameEditId);
    auto* form = new QFormLayout;
    auto* label = new QLabel("Style &name:", this);
    label->setBuddy(m_edit);
    form->addRow(label, m_edit);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* col = new QVBoxLayout(this);
    col->addLayout(form);
    m_reminder = new QLabel(kReminderText, this);
    m_reminder->setWordWrap(true);
    SetDlgCtrlID(m_reminder, kReminderId);
    col->addWidget(m_reminder);
    col->addWidget(buttons);
}

void CStyleNameDlgBase::PrepareNameEdit()
{
    m_edit->setMaxLength(kStyleNameMaxLength);
    m_edit->setText(AnsiToQString(m_strName));
    CenterWindow();
    m_edit->setFocus();
    m_edit->selectAll();
}

void CStyleNameDlgBase::OnOK()
{
    const std::string name = QStringToAnsi(m_edit->text());
    if (!IsValidStyleName(name)) {
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_INVALID_STYLE_NAME);
        m_edit->setFocus();
        return;
    }
    m_strName = name;
    CDialog::OnOK();
}

CStyleNameDlg::CStyleNameDlg(BOOL copy, QWidget* parent) : CStyleNameDlgBase(parent), m_bCopy(copy) {}

void CStyleNameDlg::OnInitDialog()
{
    std::string caption;
    setWindowTitle(AnsiToQString(LoadCStringRes(caption, StyleNameCaptionId(m_bLabel, m_bCopy, m_bRename))));
    m_reminder->setVisible(StyleNameShowsReminder(m_bLabel, m_bCopy, m_bRename, m_bShowReminder));
    PrepareNameEdit();
}

CConStyleNameDlg::CConStyleNameDlg(QWidget* parent) : CStyleNameDlgBase(parent) {}

void CConStyleNameDlg::OnInitDialog()
{
    std::string caption;
    setWindowTitle(AnsiToQString(LoadCStringRes(caption, ConStyleNameCaptionId(m_bCopy, m_bRename))));
    m_reminder->setVisible(false);
    PrepareNameEdit();
}
