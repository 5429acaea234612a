#pragma once
// The connector sheets: one working copy of the connector properties edited
// by the pages General, Line, Ends, Behaviors (and, for styles, Auto-Label
// and Stamp). CCPTabSheet edits the selected connectors of a diagram and
// applies them in one undo step; CCSTabSheet edits the document's
// connector styles.
#include "dialogs/sheets/CConSheetData.h"
#include "platform/ui/CDialog.h"

#include <vector>

class CConPage;
class CRect;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

class CCTabSheet : public CDialog {
    Q_OBJECT
public:
    static constexpr int ID_APPLY_NOW = 12321;

    CCTabSheet(QWidget* parent, CKavoDoc* doc, int type, UINT captionId);
    ~CCTabSheet() override;

    CConSheetData& Data() { return m_data; }
    QTabWidget* GetTabControl() const { return m_tabs; }
    CConPage* GetPage(int index) const;
    CConPage* GetActivePage() const;
    int GetActiveIndex() const;
    int GetPageCount() const { return int(m_pages.size()); }
    void SetActivePage(int index);
    QPushButton* Button(int id) const;
    // The commit button (Apply here, OK in the styles sheet) follows the
    // pending state.
    virtual void UpdateApplyState();
    void ClearChanges();
    // Loads every shown page again from the data.
    void ReloadPages();

protected:
    void AddPage(CConPage* page);
    void SetStartPage(int index) { m_startPage = index; }
    // Reads and checks the active page into the data; false keeps the
    // sheet on it.
    bool ValidateActivePage();
    void OnInitDialog() override;
    // The page index each kind of sheet reopens at.
    int& RememberedPage();

    CConSheetData m_data;
    QDialogButtonBox* m_buttons;
    QWidget* m_left;  // the styles sheet's column

private:
    void OnTabChanged(int index);
    QTabWidget* m_tabs;
    std::vector<CConPage*> m_pages;
    int m_startPage = 0;
    int m_shownPage = -1;
};

// The selected connectors' properties: OK, Cancel and Apply.
class CCPTabSheet : public CCTabSheet {
    Q_OBJECT
public:
    CCPTabSheet(QWidget* parent, CKavoDoc* doc, int style, const CConProps& props, bool several,
                const int differs[kDiffCount]);
    // Validates and writes the flagged changes to the selection; false when
    // a page refused its values.
    bool Apply();

protected:
    void OnOK() override;

private:
    bool m_bFirstApply = true;
    // The undo log's step count after the first apply: a later Apply joins
    // that step while it is still the last one.
    uint32_t m_nStepAfterFirst = 0;
};

// The page each sheet opens at (the second, Line, at program start).
int& LastConPropsPage();
int& LastConStylesPage();
