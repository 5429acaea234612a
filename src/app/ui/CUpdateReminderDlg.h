#pragma once
// Offers the update check at start-up when the last one is long ago, and lets
// the user choose when to be reminded again.
#include "platform/ui/CDialog.h"

class QButtonGroup;
class QLabel;

class CUpdateReminderDlg : public CDialog {
    Q_OBJECT
public:
    explicit CUpdateReminderDlg(QWidget* parent = nullptr);
    int m_nReminderDays = 30;

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void ReadRadio();
    QButtonGroup* m_days;
    QLabel* m_version;
};
