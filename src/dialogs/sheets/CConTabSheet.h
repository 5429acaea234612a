#pragma once
// The connector sheets: one working copy of the connector properties edited
// by the pages General, Line, Ends, Behaviors (and, for styles, Auto-Label
// and Stamp). CCPTabSheet edits the selected connectors of a diagram and
// applies them in one undo step; CCSTabSheet edits the document's
// connector styles.
#include "dialogs/sheets/CConSheetData.h"
#include "platform/CRect.h"
#include "platform/ui/CPropertySheet.h"

#include <vector>

class CConPage;

class CCTabSheet : public CPropertySheet {
    Q_OBJECT
public:
    CCTabSheet(QWidget* parent, CKavoDoc* doc, int type, UINT captionId);
    ~CCTabSheet() override;

    CConSheetData& Data() { return m_data; }
    // The commit button (Apply here, OK in the styles sheet) follows the
    // pending state.
    virtual void UpdateApplyState();
    void ClearChanges();
    // Loads every page shown so far again from the data.
    void ReloadPages();

protected:
    void AddConPage(CConPage* page);
    // Ends the sheet as cancelled before it shows (no document, no styles).
    void CancelAtInit() { m_bCancelledAtInit = true; }
    int exec() override;
    void keyPressEvent(QKeyEvent* event) override;
    // Help topic 309 for the styles sheet, 310 for the properties sheet.
    void OnHelp() override;
    // The page index each kind of sheet reopens at.
    int& RememberedPage();
    // Writes the pending changes once the pages' values passed their checks.
    void OnApplied() override {}

    CConSheetData m_data;
    QWidget* m_left;  // the styles sheet's column

private:
    bool m_bCancelledAtInit = false;
};

// The selected connectors' properties: OK, Cancel and Apply.
class CCPTabSheet : public CCTabSheet {
    Q_OBJECT
public:
    // `ends`: the single selected connector's ends in screen coordinates
    // (the sheet stays clear of them); null with several connectors.
    CCPTabSheet(QWidget* parent, CKavoDoc* doc, int style, const CConProps& props, bool several,
                const int differs[kDiffCount], const CRect* ends = nullptr);

protected:
    void OnInitDialog() override;
    // The flagged changes to the selection.
    void OnApplied() override;

private:
    // Beside the connector, or at the last right click for several.
    void PlaceSheet();

    CRect m_rcEnds;
    bool m_bHasEnds = false;
    bool m_bFirstApply = true;
    // The undo log's step count after the first apply: a later Apply joins
    // that step while it is still the last one.
    uint32_t m_nStepAfterFirst = 0;
};

// The page each sheet opens at (the second, Line, at program start).
int& LastConPropsPage();
int& LastConStylesPage();
