#pragma once
// The Set Hyperlink dialog: the link text (in and out), a prompt above it, a
// Browse button that picks a file, and OK, Remove and Cancel. Remove ends the
// dialog like OK, with m_bRemove set.
#include "platform/ui/CDialog.h"

#include <string>

class QLabel;
class QLineEdit;

class CHyperlinkDlg : public CDialog {
    Q_OBJECT
public:
    explicit CHyperlinkDlg(QWidget* parent = nullptr);
    std::string m_strLink;
    std::string m_strPrompt;
    // The diagram's own path name: chosen files are made relative to its
    // folder when RelativeLinks is on.
    std::string m_strDocPath;
    bool m_bRemove = false;

    // The text a chosen file gives the link field.
    static std::string LinkForChosenFile(const std::string& file, const std::string& docPath, bool relative);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowse();
    QLabel* m_prompt;
    QLineEdit* m_edit;
};
