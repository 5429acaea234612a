#pragma once
// The base of the figure sheet's pages: a page builds its controls the first
// time it is shown, loads them from the sheet's working copy and stores them
// back (Exchange), and tells the sheet after every change so that the
// commit button follows the change state.
#include "dialogs/sheets/FigSheetData.h"
#include "platform/ui/CPropertySheet.h"

class CFTabSheet;

class CFigPage : public CPropertyPage {
    Q_OBJECT
public:
    CFigPage(CFTabSheet* sheet, const char* caption);

    bool IsCreated() const { return IsInitialized(); }
    // Builds the controls before the sheet shows (the change signals of
    // building are no edits).
    void CreateControls() override;
    // The first showing: the page loads in OnSetActive.
    void OnInitDialog() override {}
    // Every showing loads again: another page may have changed the copy.
    bool OnSetActive() override;

protected:
    virtual void OnInitPage() = 0;
    // The page is about to show, before it loads.
    virtual void OnPageActive() {}
    virtual bool Exchange(bool save) = 0;
    bool DoDataExchange(bool save) override;
    FigSheetData& D() const;
    CFTabSheet* Sheet() const { return m_sheet; }
    // The change is in the working copy and the mask: refresh the commit button.
    void Changed();
    bool Loading() const { return m_loading; }

private:
    CFTabSheet* m_sheet;
    bool m_loading = false;
};
