#include "app/ui/CUpdateReminderDlg.h"

#include "core/StringHelpers.h"
#include "core/SystemInfo.h"
#include "app/UpdateCheck.h"
#include "platform/Ansi.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CUpdateReminderDlg::CUpdateReminderDlg(QWidget* parent)
    : CDialog(parent), m_days(new QButtonGroup(this)), m_version(new QLabel(this))
{
    setWindowTitle("Check for Updates Reminder");
    SetDlgCtrlID(m_version, 2758);
    auto* text = new QLabel(
        "You have not checked for updates in a while. There may be a newer version available.  "
        "If you have an active internet connection, it will only take a second to find out.",
        this);
    text->setWordWrap(true);
    auto* later = new QLabel("Click Check Now to look for a newer version, or use Check for "
                             "Updates on the Help menu later.",
                             this);
    later->setWordWrap(true);
    auto* group = new QGroupBox("Remind me again in", this);
    auto* radios = new QHBoxLayout(group);
    const char* labels[] = {"15 Days", "30 Days", "60 Days", "90 Days", "Never"};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(labels[i], group);
        m_days->addButton(r, i);
        radios->addWidget(r);
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* check = new QPushButton("&Check Now", this);
    auto* notNow = new QPushButton("&Not Now Thanks", this);
    check->setDefault(true);
    BindButton(check, IDOK);
    BindButton(notNow, IDCANCEL);
    row->addWidget(check);
    row->addWidget(notNow);
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_version);
    col->addWidget(text);
    col->addWidget(later);
    col->addWidget(group);
    col->addLayout(row);
}

void CUpdateReminderDlg::OnInitDialog()
{
    std::string version;
    if (GetProgramFileVersion(version)) {
        std::string label;
        LoadCStringRes(label, 598);
        m_version->setText(
            AnsiToQString(label + " " + version + StrPrintf("  (build %d)", kBuildNumber)));
    }
    m_days->button(ReminderDaysToRadio(m_nReminderDays))->setChecked(true);
    CenterWindow();
}

void CUpdateReminderDlg::ReadRadio()
{
    m_nReminderDays = RadioToReminderDays(m_days->checkedId());
}

void CUpdateReminderDlg::OnOK()
{
    ReadRadio();
    CDialog::OnOK();
}

void CUpdateReminderDlg::OnCancel()
{
    ReadRadio();
    CDialog::OnCancel();
}
