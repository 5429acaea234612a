#pragma once
// The program's file dialogs: non-native file dialogs placed beside the
// system's spot, with a caller's title and OK text, an optional extra button
// that sets the caller's flag and cancels, and a preview pane (control 1225,
// 124 x 112) that shows the preview stored in a diagram or backup file.
#include <QFileDialog>

class QLabel;
class QCheckBox;

class CKavoFileDialog : public QFileDialog {
    Q_OBJECT
public:
    CKavoFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
    // The extra button (command 2118) with its text; it sets *flag and cancels.
    void AddExtraButton(const QString& text, bool* flag);
    void SetOkText(const QString& text);

    static constexpr int kExtraButtonId = 2118;

protected:
    void showEvent(QShowEvent* event) override;
    // The grid of the dialog's own layout, where extra controls go.
    void AddSideWidget(QWidget* widget);

private:
    // Wide enough for every column of the detail list, within the screen.
    void FitFileList();
    static constexpr int kMinWidth = 760;
    static constexpr int kMinHeight = 420;
    bool m_bPlaced = false;
};

class CPreviewFileDialog : public CKavoFileDialog {
    Q_OBJECT
public:
    CPreviewFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
    ~CPreviewFileDialog() override;
    // The pane shows a picture (or is cleared with an empty path).
    bool HasPreview() const { return m_bPreviewLoaded; }
    static constexpr int kPreviewControlId = 1225;
    static constexpr int kPreviewWidth = 124;
    static constexpr int kPreviewHeight = 112;

    // Closing frees the preview: a dialog shown again starts with an empty pane.
    void done(int result) override;

protected:
    // Loads the preview of `path` into the pane; false when it has none.
    virtual bool LoadPreview(const QString& path);
    void ShowPreviewImage(const QImage& image);
    void ClearPreview();

private:
    void OnSelectionChanged(const QString& path);
    QLabel* m_pPane;
    bool m_bPreviewLoaded = false;
};

// The diagram open dialog (File Open, new diagram from a template, a
// hyperlink's target) with its optional wizard box and relative/absolute
// choice.
class CDiagramOpenDlg : public CPreviewFileDialog {
    Q_OBJECT
public:
    static constexpr const char* kFilter = "Diagram Files (*.kvd)|*.kvd|All Files (*.*)|*.*||";
    static constexpr const char* kOpenFilter =
        "Diagram Files (*.kvd)|*.kvd|Diagram Backups (*.bak)|*.bak|All Files (*.*)|*.*||";

    CDiagramOpenDlg(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                    bool multiSelect = false);
    // The wizard box (2714), shown when asked for; its answer.
    void ShowWizardBox(bool initial);
    bool WizardChecked() const;
    // The relative/absolute choice (2674/2677) for link targets.
    void ShowPathChoice(bool relative);
    bool RelativeChosen() const { return m_bRelative; }

private:
    QCheckBox* m_pWizard = nullptr;
    bool m_bRelative = true;
};
