#pragma once
// Apply Color Scheme (dialog 281): the template's schemes in a list, and
// whether the scheme's colours go to the whole diagram or the selection.
// The choice record comes in filled by the document's command and goes back
// with the chosen scheme and boxes on OK. A preview pane shows the picture
// stored with the scheme under the list's selection.
#include "document/ColorScheme.h"
#include "platform/ui/CDialog.h"

class CSchemePreviewWnd;
class QCheckBox;
class QListWidget;

class CColorSchemeDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 281;
    static constexpr int kSchemeListId = 2752;
    static constexpr int kDiagramBoxId = 1213;
    static constexpr int kSelectionBoxId = 1214;
    static constexpr int kPreviewId = 1225;
    static constexpr int kPreviewExtentX = 112;
    static constexpr int kPreviewExtentY = 124;
    static constexpr int kHelpTopic = 322;

    CColorSchemeDlg(ColorSchemeChoice& choice, QWidget* parent = nullptr);
    // The scheme the preview shows (-1: none yet).
    int PreviewScheme() const { return m_bPreviewSet ? m_nPreviewScheme : -1; }

protected:
    void OnInitDialog() override;
    void OnOK() override;
    // The caption's help button opens the dialog's help topic.
    bool event(QEvent* e) override;

private:
    // "&Selection" can be ticked only with a selection and "&Diagram" clear.
    void UpdateSelectionBox();
    // Shows the scheme under the list's selection when it is not the one
    // shown already.
    void UpdatePreview();

    ColorSchemeChoice& m_choice;
    QListWidget* m_list;
    QCheckBox* m_diagram;
    QCheckBox* m_selection;
    CSchemePreviewWnd* m_preview;
    int m_nPreviewScheme = -1;
    bool m_bPreviewSet = false;
};

// Runs the dialog for the document's command; false for Cancel.
bool RunColorSchemeDialog(ColorSchemeChoice& choice);
