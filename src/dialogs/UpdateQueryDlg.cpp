#include "dialogs/UpdateQueryDlg.h"

#include "keyword/COverwriteQuestion.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UpdateQueryDlg::UpdateQueryDlg(QWidget* parent) : CDialog(parent)
{
    setWindowTitle(tr("Update?"));
    m_line1 = new QLabel(this);
    m_line2 = new QLabel(this);
    SetDlgCtrlID(m_line1, kFirstLineId);
    SetDlgCtrlID(m_line2, kSecondLineId);
    auto* buttons = new QHBoxLayout;
    const struct {
        const char* text;
        int id;
    } kButtons[] = {{"&Yes", IDYES}, {"&No", IDNO}, {"&All", kAllId}, {"N&one", kNoneId}};
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(tr(b.text), this);
        button->setAutoDefault(false);
        BindButton(button, b.id);
        buttons->addWidget(button);
        if (b.id == IDYES)
            button->setDefault(true);
    }
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_line1);
    all->addWidget(m_line2);
    all->addLayout(buttons);
}

void UpdateQueryDlg::OnInitDialog()
{
    m_line1->setText(AnsiToQString(m_strLine1));
    m_line2->setText(AnsiToQString(m_strLine2));
    CenterWindow();
}

int RunUpdateQuery(const std::string& line1, const std::string& line2)
{
    UpdateQueryDlg dlg(QApplication::activeWindow());
    dlg.m_strLine1 = line1;
    dlg.m_strLine2 = line2;
    switch (dlg.DoModal()) {
    case IDYES: return COverwriteQuestion::ANSWER_YES;
    case IDNO: return COverwriteQuestion::ANSWER_NO;
    case UpdateQueryDlg::kAllId: return COverwriteQuestion::ANSWER_ALL;
    case UpdateQueryDlg::kNoneId: return COverwriteQuestion::ANSWER_NONE;
    default: return COverwriteQuestion::ANSWER_CLOSED;
    }
}

void InstallUpdateQueryDialog()
{
    g_pfnKwUpdateDlg = &RunUpdateQuery;
}
