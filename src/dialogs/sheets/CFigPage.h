#pragma once
// The base of the figure sheet's pages: a page builds its controls the first
// time it is shown, loads them from the sheet's working copy and stores them
// back (Exchange), and tells the sheet after every change so that the
// commit button follows the change state.
#include "dialogs/sheets/FigSheetData.h"

#include <QWidget>

class CFTabSheet;

class CFigPage : public QWidget {
    Q_OBJECT
public:
    CFigPage(CFTabSheet* sheet, const char* caption);
    const char* Caption() const { return m_caption; }

    // Loading (save false) or storing; false when a stored value is refused.
    bool UpdateData(bool save);
    bool IsCreated() const { return m_created; }
    void EnsureCreated();
    virtual void OnSetActive() {}
    // Before a commit: fields left empty with several objects drop their flag.
    virtual void OnApply() {}

protected:
    virtual void OnInitDialog() = 0;
    virtual bool Exchange(bool save) = 0;
    FigSheetData& D() const;
    CFTabSheet* Sheet() const { return m_sheet; }
    // The change is in the working copy and the mask: refresh the commit button.
    void Changed();
    bool Loading() const { return m_loading; }

private:
    CFTabSheet* m_sheet;
    const char* m_caption;
    bool m_created = false;
    bool m_loading = false;
};
