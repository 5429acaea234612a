#pragma once
// The "Update?" question a style import asks when an incoming symbol or style
// has the name of one the diagram already has: two lines of text and the
// buttons Yes, No, All and None, each ending the dialog with its own id.
#include "platform/ui/CDialog.h"

#include <string>

class QLabel;

class UpdateQueryDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kFirstLineId = 3045;
    static constexpr int kSecondLineId = 3046;
    static constexpr int kAllId = 8;
    static constexpr int kNoneId = 2118;

    explicit UpdateQueryDlg(QWidget* parent = nullptr);
    // Filled by the caller before DoModal.
    std::string m_strLine1;
    std::string m_strLine2;

protected:
    void OnInitDialog() override;

private:
    QLabel* m_line1 = nullptr;
    QLabel* m_line2 = nullptr;
};

// The question over the active window, answered as the loader's question
// expects (COverwriteQuestion::EUpdateAnswer; closed when neither button
// ended it).
int RunUpdateQuery(const std::string& line1, const std::string& line2);
// Makes the loaders ask through this dialog.
void InstallUpdateQueryDialog();
