#pragma once
// The common part of the Diagram Properties pages: each page edits the
// sheet's copy of the diagram's values; loading fills its controls from
// the copy, storing checks the controls and writes them into the copy (a
// refused entry shows its message and keeps the page). Number fields store
// and reload the page through the owner interface when committed.
#include "controls/CNumEdit.h"
#include "dialogs/diagram/DiagramProps.h"

#include <QWidget>

class CDPropPage : public QWidget, public INumEditOwner {
    Q_OBJECT
public:
    CDPropPage(DiagramProps& values, const QString& title, QWidget* parent = nullptr);
    QString Title() const { return m_title; }

    virtual void LoadPage() = 0;
    virtual bool StorePage() = 0;
    bool UpdateData(bool save) override;

protected:
    DiagramProps& m_values;

private:
    QString m_title;
};

// A number field with the control id and the spec, as the pages make them.
CNumEdit* MakeNumEdit(QWidget* page, int id, const CNumEditSpec& spec);
