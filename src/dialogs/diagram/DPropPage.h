#pragma once
// The common part of the Diagram Properties pages: each page edits the
// sheet's copy of the diagram's values; loading fills its controls from
// the copy, storing checks the controls and writes them into the copy (a
// refused entry shows its message and keeps the page). Number fields store
// and reload the page through the owner interface when committed.
#include "controls/CNumEdit.h"
#include "dialogs/diagram/DiagramProps.h"
#include "platform/ui/CPropertySheet.h"

class CDPropPage : public CPropertyPage, public INumEditOwner {
    Q_OBJECT
public:
    CDPropPage(DiagramProps& values, const std::string& caption, QWidget* parent = nullptr);

    virtual void LoadPage() = 0;
    virtual bool StorePage() = 0;
    // Both bases know the exchange; a committed field runs the page's.
    bool UpdateData(bool save) override { return CPropertyPage::UpdateData(save); }

protected:
    bool DoDataExchange(bool save) override;
    DiagramProps& m_values;
};

// A number field with its control id and its settings record, as the pages make them.
CNumEdit* MakeNumEdit(QWidget* page, int id, const CNumEditSpec& spec);
