#pragma once
// The name prompts for new, copied and renamed styles: the caller sets the
// flags and the initial name, runs DoModal and on IDOK reads m_strName.
#include "platform/ui/CDialog.h"

#include <string>

class QLabel;
class QLineEdit;

class CStyleNameDlgBase : public CDialog {
    Q_OBJECT
public:
    std::string m_strName;

protected:
    explicit CStyleNameDlgBase(QWidget* parent);
    // Shows the name, selects it and limits it to the longest style name.
    void PrepareNameEdit();
    // Refuses a blank name or one with a double quote (message 509).
    void OnOK() override;
    QLineEdit* m_edit;
    QLabel* m_reminder = nullptr;
};

class CStyleNameDlg : public CStyleNameDlgBase {
    Q_OBJECT
public:
    explicit CStyleNameDlg(BOOL copy = FALSE, QWidget* parent = nullptr);
    BOOL m_bLabel = FALSE;
    BOOL m_bCopy;
    BOOL m_bRename = FALSE;
    BOOL m_bShowReminder = TRUE;

protected:
    void OnInitDialog() override;
};

class CConStyleNameDlg : public CStyleNameDlgBase {
    Q_OBJECT
public:
    explicit CConStyleNameDlg(QWidget* parent = nullptr);
    BOOL m_bRename = FALSE;
    BOOL m_bCopy = FALSE;

protected:
    void OnInitDialog() override;
};
