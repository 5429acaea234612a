#pragma once
// The five pages of the Customize sheet. Every change takes effect at once:
// the bars shown, the Commands and Styles lists that buttons are dragged
// from, the style bar's columns and heights, and the style pickers of a
// collapsed style bar.
#include "document/CStyleMenuLayout.h"
#include "platform/ui/CPropertySheet.h"

class CCheckListCtrl;
class CCmdIconListBox;
class CCustomizeSheet;
class CKavoDoc;
class CNumEdit;
class CStyleIconListBox;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Control ids of the pages.
constexpr int IDC_CUST_RESET = 2735, IDC_CUST_BARLIST = 2736, IDC_CUST_CATEGORIES = 2737,
              IDC_CUST_COMMANDS = 2738, IDC_CUST_PICTURE = 2740, IDC_CUST_AUTOSTYLES = 2744,
              IDC_CUST_STYLETREE = 2745, IDC_CUST_STYLES = 2746, IDC_CUST_COMBOS = 2749;
constexpr int IDC_SBAR_LBL_COLS = 1242, IDC_SBAR_FIG_COLS = 1243, IDC_SBAR_CON_COLS = 1244,
              IDC_SBAR_LBL_HEIGHT = 1245, IDC_SBAR_FIG_HEIGHT = 1246, IDC_SBAR_CON_HEIGHT = 1247;
constexpr int IDS_SBAR_COLUMNS_RANGE = 2752, IDS_SBAR_HEIGHT_RANGE = 2753;

// A page builds its controls before the sheet first shows, so that the
// sheet takes the size of its largest page.
class CCustomizePage : public CPropertyPage {
    Q_OBJECT
public:
    CCustomizePage(CCustomizeSheet* sheet, const std::string& caption);
    // The sheet's state changed (a document opened or closed, the style bar
    // collapsed): enable what applies.
    virtual void Refresh() {}

protected:
    void CreateControls() override { OnInitPage(); }
    void OnInitDialog() override {}
    virtual void OnInitPage() = 0;
    CCustomizeSheet* m_sheet;
};

class CCustomizeTbars : public CCustomizePage {
    Q_OBJECT
public:
    explicit CCustomizeTbars(CCustomizeSheet* sheet);
    int m_bStdBar = 1, m_bPropBar = 1, m_bStyleBar = 1;
    CCheckListCtrl* List() const { return m_list; }
    void ResetSelected();

protected:
    void OnInitPage() override;
    bool event(QEvent* event) override;

private:
    void OnSelChanged();
    void OnChecksChanged();
    CCheckListCtrl* m_list = nullptr;
    QLabel* m_picture = nullptr;
    QPushButton* m_reset = nullptr;
};

class CCustomizeCmds : public CCustomizePage {
    Q_OBJECT
public:
    explicit CCustomizeCmds(CCustomizeSheet* sheet);
    CCmdIconListBox* Commands() const { return m_commands; }
    QListWidget* Categories() const { return m_categories; }

protected:
    void OnInitPage() override;

private:
    QListWidget* m_categories = nullptr;
    CCmdIconListBox* m_commands = nullptr;
};

class CCustomizeSbar : public CCustomizePage {
    Q_OBJECT
public:
    explicit CCustomizeSbar(CCustomizeSheet* sheet);
    // Label, figure and connector buttons.
    CStyleMenuLayout m_layouts[3];
    int m_bCombos = 1;
    // The document takes the page's columns and heights with its own entries
    // and, unless -1, the bar width; the style bar follows.
    void ApplyLayouts(int width);
    void Refresh() override;

protected:
    void OnInitPage() override;
    bool event(QEvent* event) override;

private:
    CNumEdit* m_fields[6] = {};
    QCheckBox* m_combos = nullptr;
};

class CCustomizeStyles : public CCustomizePage {
    Q_OBJECT
public:
    explicit CCustomizeStyles(CCustomizeSheet* sheet);
    CStyleIconListBox* Styles() const { return m_styles; }
    QTreeWidget* Tree() const { return m_tree; }
    void BuildCatTree();
    void Refresh() override;

protected:
    void OnInitPage() override;

private:
    void OnTreeSelection();
    QTreeWidget* m_tree = nullptr;
    CStyleIconListBox* m_styles = nullptr;
};

class CCustomizeOptions : public CCustomizePage {
    Q_OBJECT
public:
    explicit CCustomizeOptions(CCustomizeSheet* sheet);
    int m_bAutoStyles = 1;

protected:
    void OnInitPage() override;

private:
    QCheckBox* m_check = nullptr;
};
