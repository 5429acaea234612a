#pragma once
// The modeless Find or Replace dialog. It keeps no search state of its own:
// every button reports to its owner, which reads the texts and options. It
// floats as a tool window of its owner, so that the owner's keys (Ctrl+S,
// the mode keys) keep working while the dialog has the focus.
#include <QDialog>

#include <cstdint>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CKavoFindDlg : public QDialog {
    Q_OBJECT
public:
    enum class Report { FindNext, Replace, ReplaceAll, Terminating };
    // Control ids of the find and replace dialog.
    static constexpr int kFindEditId = 1152;
    static constexpr int kReplaceEditId = 1153;
    static constexpr int kWholeWordId = 1040;
    static constexpr int kMatchCaseId = 1041;
    static constexpr int kReplaceId = 1024;
    static constexpr int kReplaceAllId = 1025;
    // Both texts are held to 127 characters, as the search buffers are.
    static constexpr int kTextLimit = 127;
    // Help pages of the two kinds of dialog (caption button, F1).
    static constexpr uint32_t kFindHelpTopic = 203;
    static constexpr uint32_t kReplaceHelpTopic = 204;

    CKavoFindDlg(QWidget* owner, bool replace, const std::string& findText, const std::string& replaceText,
                 bool matchCase, bool wholeWord);

    bool IsReplace() const { return m_bReplace; }
    std::string FindText() const;
    std::string ReplaceText() const;
    bool MatchCase() const;
    bool WholeWord() const;

    // Cancel, Escape, the close box and the owner's close() all end here;
    // the dialog reports Terminating once and hides.
    void done(int result) override;

signals:
    void Reported(CKavoFindDlg::Report report);

private:
    void EnableButtons();

    bool m_bReplace;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
    bool m_bTerminated = false;
};
