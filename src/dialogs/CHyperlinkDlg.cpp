#include "dialogs/CHyperlinkDlg.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogExec.h"
#include "platform/ui/DlgItems.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kLinkEditId = 1051;
constexpr int kBrowseId = 1052;
constexpr int kRemoveId = 1053;

constexpr const char* kExplanation =
    "Enter one of the following:\n"
    "(a)  A diagram file with .KVD extension\n"
    "(b)  A document file of a type that the desktop can open\n"
    "(c)  A web address URL including protocol identifier";

// A link with a scheme (or a bare web host) is no file to make relative.
bool IsRelativePath(const QString& link)
{
    return !link.isEmpty() && !link.contains(':') && !link.startsWith('/') && !link.startsWith('\\');
}

bool ChooseWithFileDialog(QWidget* parent, const std::string& title, const std::string& start, bool& relative,
                          std::string& chosen)
{
    const QFileInfo info(AnsiToQString(start));
    const QString folder = info.isDir() ? info.filePath() : info.path();
    CDiagramOpenDlg dlg(parent, AnsiToQString(title), folder, CDiagramOpenDlg::kFilter);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (!info.isDir() && info.exists())
        dlg.selectFile(info.fileName());
    dlg.ShowPathChoice(relative);
    if (ExecDialogReturningActivation(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    relative = dlg.RelativeChosen();
    chosen = QStringToAnsi(dlg.selectedFiles().front());
    return true;
}
} // namespace

CHyperlinkDlg::CHyperlinkDlg(QWidget* parent)
    : CDialog(parent), m_prompt(new QLabel(this)), m_edit(new QLineEdit(this))
{
    setWindowTitle("Set Hyperlink");
    m_chooseFile = [this](const std::string& start, bool& relative, std::string& chosen) {
        return ChooseWithFileDialog(this, m_strPrompt, start, relative, chosen);
    };
    SetDlgCtrlID(m_edit, kLinkEditId);
    auto* label = new QLabel("&Hyperlink:", this);
    label->setBuddy(m_edit);
    auto* browse = new QPushButton("...", this);
    SetDlgCtrlID(browse, kBrowseId);
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* explanation = new QLabel(kExplanation, this);

    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    QPushButton* remove = buttons->addButton("&Remove", QDialogButtonBox::DestructiveRole);
    SetDlgCtrlID(remove, kRemoveId);
    connect(remove, &QPushButton::clicked, this, [this] { OnRemove(); });
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);

    auto* grid = new QGridLayout;
    grid->addWidget(m_prompt, 0, 0, 1, 3);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_edit, 1, 1);
    grid->addWidget(browse, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* about = new QHBoxLayout;
    about->addWidget(icon, 0, Qt::AlignTop);
    about->addWidget(explanation, 1);
    auto* col = new QVBoxLayout(this);
    col->addLayout(grid);
    col->addLayout(about);
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

void CHyperlinkDlg::OnRemove()
{
    if (MsgBoxPrintf(MB_YESNO | MB_ICONQUESTION, "%s", "Delete and remove the hyperlink?") != IDYES)
        return;
    m_bRemove = true;
    EndDialog(IDOK);
}

std::string CHyperlinkDlg::LinkForChosenFile(const std::string& file, const std::string& docPath, bool relative)
{
    const QString chosen = AnsiToQString(file);
    if (!relative || docPath.empty())
        return QStringToAnsi(QDir::toNativeSeparators(chosen));
    const QDir base = QFileInfo(AnsiToQString(docPath)).absoluteDir();
    return QStringToAnsi(QDir::toNativeSeparators(base.relativeFilePath(chosen)));
}

std::string CHyperlinkDlg::BrowseStart(const std::string& link, const std::string& docPath)
{
    QString start = AnsiToQString(link).trimmed().replace('\\', '/');
    if (start.isEmpty())
        return LinkDir;
    if (IsRelativePath(start) && !docPath.empty())
        start = QDir::cleanPath(QFileInfo(AnsiToQString(docPath)).absoluteDir().absoluteFilePath(start));
    return QStringToAnsi(start);
}

void CHyperlinkDlg::OnBrowse()
{
    const QString typed = m_edit->text().trimmed();
    // A relative link turns the relative choice on; otherwise the last
    // choice stands.
    bool relative = IsRelativePath(typed) || RelativeLinks != 0;
    std::string chosen;
    if (!m_chooseFile || !m_chooseFile(BrowseStart(QStringToAnsi(typed), m_strDocPath), relative, chosen))
        return;
    RelativeLinks = relative ? 1 : 0;
    LinkDir = QStringToAnsi(QFileInfo(AnsiToQString(chosen)).path());
    if (relative && m_strDocPath.empty())
        MsgBoxPrintf(MB_OK | MB_ICONEXCLAMATION, "%s", "Document is unsaved, cannot use relative file name.");
    m_edit->setText(AnsiToQString(LinkForChosenFile(chosen, m_strDocPath, relative)));
}
