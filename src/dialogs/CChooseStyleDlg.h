#pragma once
// The style-choice dialogs of the style pickers: a list of the document's
// styles of one kind with samples and the two check boxes of each style (in
// the style menu, on the style bar), a category filter for figure and
// connector styles, and a button that goes on to the full style sheets. OK
// (or a double click on a style) ends with the chosen style in m_nSelected.
#include "controls/StyleChoiceSeams.h"
#include "controls/StylePickKinds.h"
#include "platform/ui/CDialog.h"

#include <string>

class CKavoDoc;
class CStylePickList;
class QComboBox;
class QLabel;
class QPushButton;

// What a dialog remembers of its list between openings: the top row, kept
// only for the same list (document and category) when it opens again.
struct ChooseStyleMemory {
    int topIndex = -1;
    const CKavoDoc* doc = nullptr;
    std::string category;
};

class CChooseStyleDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kListId = 1251, kCategoryComboId = 2601, kCategoryLabelId = 1285, kEditButtonId = 100;

    // A category that is empty or "(no category)" shows the styles without one.
    CChooseStyleDlg(StylePickKind kind, int selected, int x, int y, const std::string& category,
                    QWidget* parent = nullptr);

    // The document whose styles are listed (the active one unless set).
    void SetDocument(CKavoDoc* doc) { m_pDoc = doc; }
    CStylePickList* List() const { return m_list; }
    QComboBox* CategoryCombo() const { return m_combo; }

    // In order: where the dialog opens, the style selected (in and out), the
    // Edit button's command, the caption and help topic, the category filter.
    int m_x, m_y;
    int m_nSelected;
    int m_nEditCmd;
    int m_nCaptionId;
    int m_nHelpId;
    int m_bShowCategory;
    std::string m_strCategory;
    ChooseStyleMemory m_memory;
    int m_nItems = 0;
    int m_bChanged = 0;      // a style's check boxes were applied
    int m_bBarChanged = 0;   // ... and a style-bar flag among them: the bar needs rebuilding
    int m_bEditEnabled = 1;

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillCategoryCombo();
    void OnCategoryChange(int index);
    void OnEdit();
    void ApplyChanges();
    std::string ListKey() const { return m_bShowCategory ? m_strCategory : std::string(); }

    StylePickKind m_kind;
    CKavoDoc* m_pDoc = nullptr;
    CStylePickList* m_list;
    QComboBox* m_combo;
    QLabel* m_comboLabel;
    QPushButton* m_edit;
};

class CChooseFigStyleDlg : public CChooseStyleDlg {
    Q_OBJECT
public:
    CChooseFigStyleDlg(int selected, int x, int y, const std::string& category, QWidget* parent = nullptr)
        : CChooseStyleDlg(StylePickKind::Figure, selected, x, y, category, parent) {}
};

class CChooseLblStyleDlg : public CChooseStyleDlg {
    Q_OBJECT
public:
    CChooseLblStyleDlg(int selected, int x, int y, const std::string& category, QWidget* parent = nullptr)
        : CChooseStyleDlg(StylePickKind::Label, selected, x, y, category, parent) {}
};

class CChooseConStyleDlg : public CChooseStyleDlg {
    Q_OBJECT
public:
    CChooseConStyleDlg(int selected, int x, int y, const std::string& category, QWidget* parent = nullptr)
        : CChooseStyleDlg(StylePickKind::Connector, selected, x, y, category, parent) {}
};

// The remembered display options of the kind's dialog, kept program-wide.
ChooseStyleMemory& RememberedStyleChoice(StylePickKind kind);
// The kind's dialog for a picker: opened at the request's point on its
// category with the remembered options, which OK stores back; fills in the
// chosen style and whether the style bar needs rebuilding. True after OK.
bool RunChooseStyleDlg(StyleChoiceRequest& request);
