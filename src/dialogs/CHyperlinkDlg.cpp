#include "dialogs/CHyperlinkDlg.h"

#include "core/Settings.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLinkEditId = 1051;
constexpr int kBrowseId = 1052;
constexpr int kRemoveId = 1053;
} // namespace

CHyperlinkDlg::CHyperlinkDlg(QWidget* parent)
    : CDialog(parent), m_prompt(new QLabel(this)), m_edit(new QLineEdit(this))
{
    setWindowTitle("Set Hyperlink");
    SetDlgCtrlID(m_edit, kLinkEditId);
    m_prompt->setBuddy(m_edit);
    auto* browse = new QPushButton("&Browse...", this);
    SetDlgCtrlID(browse, kBrowseId);
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_edit, 1);
    row->addWidget(browse);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    QPushButton* remove = buttons->addButton("&Remove", QDialogButtonBox::DestructiveRole);
    SetDlgCtrlID(remove, kRemoveId);
    connect(remove, &QPushButton::clicked, this, [this] {
        m_bRemove = true;
        EndDialog(IDOK);
    });
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_prompt);
    col->addLayout(row);
    col->addWidget(buttons);
}

void CHyperlinkDlg::OnInitDialog()
{
    m_prompt->setText(AnsiToQString(m_strPrompt));
    m_edit->setText(AnsiToQString(m_strLink));
    m_edit->setMinimumWidth(360);
    CenterWindow();
    m_edit->setFocus();
    m_edit->selectAll();
}

void CHyperlinkDlg::OnOK()
{
    m_strLink = QStringToAnsi(m_edit->text().trimmed());
    CDialog::OnOK();
}

std::string CHyperlinkDlg::LinkForChosenFile(const std::string& file, const std::string& docPath, bool relative)
{
    const QString chosen = AnsiToQString(file);
    if (!relative || docPath.empty())
        return QStringToAnsi(QDir::toNativeSeparators(chosen));
    const QDir base = QFileInfo(AnsiToQString(docPath)).absoluteDir();
    return QStringToAnsi(QDir::toNativeSeparators(base.relativeFilePath(chosen)));
}

void CHyperlinkDlg::OnBrowse()
{
    QFileDialog dlg(this, AnsiToQString(m_strPrompt), AnsiToQString(LinkDir),
                    "Diagram Files (*.kvd);;All Files (*)");
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    const std::string file = QStringToAnsi(dlg.selectedFiles().front());
    m_edit->setText(AnsiToQString(LinkForChosenFile(file, m_strDocPath, RelativeLinks != 0)));
}
