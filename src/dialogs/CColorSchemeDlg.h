#pragma once
// Apply Color Scheme (dialog 281): the template's schemes in a list, and
// whether the scheme's colours go to the whole diagram or the selection.
// The choice record comes in filled by the document's command and goes back
// with the chosen scheme and boxes on OK.
#include "document/ColorScheme.h"
#include "platform/ui/CDialog.h"

class QCheckBox;
class QListWidget;

class CColorSchemeDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 281;
    static constexpr int kSchemeListId = 2752;
    static constexpr int kDiagramBoxId = 1213;
    static constexpr int kSelectionBoxId = 1214;
    static constexpr int kHelpTopic = 322;

    CColorSchemeDlg(ColorSchemeChoice& choice, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    // "&Selection" can be ticked only with a selection and "&Diagram" clear.
    void UpdateSelectionBox();

    ColorSchemeChoice& m_choice;
    QListWidget* m_list;
    QCheckBox* m_diagram;
    QCheckBox* m_selection;
};

// Runs the dialog for the document's command; false for Cancel.
bool RunColorSchemeDialog(ColorSchemeChoice& choice);
