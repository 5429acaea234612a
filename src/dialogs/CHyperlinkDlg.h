#pragma once
// The Set Hyperlink dialog: the link text (in and out), the prompt that says
// whose link it is, what a link may name, a "..." button that picks a file,
// and OK, Remove and Cancel. Remove asks first and then ends the dialog like
// OK, with m_bRemove set.
#include "platform/ui/CDialog.h"

#include <functional>
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
    // folder when the relative choice is on.
    std::string m_strDocPath;
    bool m_bRemove = false;

    // Picks a file starting at `start` (a file or folder); `relative` comes
    // in as the preset choice and goes out as the user's. False when
    // cancelled. The file dialog by default; tests put their own here.
    std::function<bool(const std::string& start, bool& relative, std::string& chosen)> m_chooseFile;

    // The text a chosen file gives the link field.
    static std::string LinkForChosenFile(const std::string& file, const std::string& docPath, bool relative);
    // Where browsing starts for a link text: a relative link is looked for
    // beside the diagram; an empty one starts in the last folder used.
    static std::string BrowseStart(const std::string& link, const std::string& docPath);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowse();
    void OnRemove();
    QLabel* m_prompt;
    QLineEdit* m_edit;
};
