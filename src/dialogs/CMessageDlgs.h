#pragma once
// The three message boxes that offer to stop showing themselves: the caller
// sets m_strText, runs DoModal and stores m_bDontShow in its own setting.
#include "platform/ui/CDialog.h"

#include <string>

class QCheckBox;
class QLabel;

class CDontShowDlg : public CDialog {
    Q_OBJECT
public:
    std::string m_strText;
    BOOL m_bDontShow = FALSE;

protected:
    // Builds the text, the check box and the buttons (id, label) in a row.
    CDontShowDlg(QWidget* parent, const char* caption, int textId, const char* checkText,
                 std::initializer_list<std::pair<int, const char*>> buttons);
    void OnInitDialog() override;

private:
    QLabel* m_text;
    QCheckBox* m_check;
};

class CHintDlg : public CDontShowDlg {
    Q_OBJECT
public:
    explicit CHintDlg(QWidget* parent = nullptr);
};

class CQuestionDlg : public CDontShowDlg {
    Q_OBJECT
public:
    explicit CQuestionDlg(QWidget* parent = nullptr);
};

class CWarningDlg : public CDontShowDlg {
    Q_OBJECT
public:
    explicit CWarningDlg(QWidget* parent = nullptr);
};
