#include "dialogs/CKavoFindDlg.h"

#include "dialogs/ContextHelp.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* MakeEdit(QWidget* parent, int id, const std::string& text)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(CKavoFindDlg::kTextLimit);
    edit->setText(AnsiToQString(text.substr(0, CKavoFindDlg::kTextLimit)));
    SetDlgCtrlID(edit, id);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* text, int id)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    SetDlgCtrlID(button, id);
    return button;
}
} // namespace

CKavoFindDlg::CKavoFindDlg(QWidget* owner, bool replace, const std::string& findText,
                           const std::string& replaceText, bool matchCase, bool wholeWord)
    : QDialog(owner, Qt::Tool), m_bReplace(replace)
{
    setWindowTitle(replace ? "Replace" : "Find");
    setModal(false);
    InstallContextHelp(this, replace ? kReplaceHelpTopic : kFindHelpTopic);
    // Going over to this dialog leaves the text editor it shows matches in open.
    setProperty("keepsTextEditorOpen", true);
    auto* fields = new QGridLayout;
    m_find = MakeEdit(this, kFindEditId, findText);
    auto* findLabel = new QLabel("Fi&nd what:", this);
    findLabel->setBuddy(m_find);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_find, 0, 1);
    if (replace) {
        m_replace = MakeEdit(this, kReplaceEditId, replaceText);
        auto* replaceLabel = new QLabel("Re&place with:", this);
        replaceLabel->setBuddy(m_replace);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_replace, 1, 1);
    }
    m_wholeWord = new QCheckBox("Match &whole word only", this);
    m_wholeWord->setChecked(wholeWord);
    SetDlgCtrlID(m_wholeWord, kWholeWordId);
    m_matchCase = new QCheckBox("Match &case", this);
    m_matchCase->setChecked(matchCase);
    SetDlgCtrlID(m_matchCase, kMatchCaseId);
    fields->addWidget(m_wholeWord, 2, 0, 1, 2);
    fields->addWidget(m_matchCase, 3, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    m_findNext = MakeButton(this, "&Find Next", IDOK);
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, [this] { emit Reported(Report::FindNext); });
    if (replace) {
        m_replaceOne = MakeButton(this, "&Replace", kReplaceId);
        m_replaceAll = MakeButton(this, "Replace &All", kReplaceAllId);
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, [this] { emit Reported(Report::Replace); });
        connect(m_replaceAll, &QPushButton::clicked, this, [this] { emit Reported(Report::ReplaceAll); });
    }
    QPushButton* cancel = MakeButton(this, "Cancel", IDCANCEL);
    connect(cancel, &QPushButton::clicked, this, &CKavoFindDlg::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addLayout(fields, 0, 0);
    layout->addLayout(buttons, 0, 1);
    connect(m_find, &QLineEdit::textChanged, this, &CKavoFindDlg::EnableButtons);
    EnableButtons();
}

std::string CKavoFindDlg::FindText() const
{
    return QStringToAnsi(m_find->text());
}

std::string CKavoFindDlg::ReplaceText() const
{
    return m_replace ? QStringToAnsi(m_replace->text()) : std::string();
}

bool CKavoFindDlg::MatchCase() const
{
    return m_matchCase->isChecked();
}

bool CKavoFindDlg::WholeWord() const
{
    return m_wholeWord->isChecked();
}

// Nothing to search for: the search buttons wait for a text.
void CKavoFindDlg::EnableButtons()
{
    const bool any = !m_find->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replaceOne)
        m_replaceOne->setEnabled(any);
    if (m_replaceAll)
        m_replaceAll->setEnabled(any);
}

// A close event (the close box, the owner's close()) rejects the dialog,
// as Cancel and Escape do; the owner deletes it when told.
void CKavoFindDlg::done(int result)
{
    if (!m_bTerminated) {
        m_bTerminated = true;
        emit Reported(Report::Terminating);
    }
    QDialog::done(result);
}
