#pragma once
// Diagram Properties: six pages over a copy of one diagram's settings.
// Pages load when first shown and check themselves when left; OK stores
// the shown page and the caller writes what changed (ApplyDiagramProps).
// The page shown last is where the sheet opens next time.
#include "dialogs/diagram/DiagramProps.h"
#include "platform/ui/CPropertySheet.h"

class CKavoDoc;

class CDPropSheet : public CPropertySheet {
    Q_OBJECT
public:
    explicit CDPropSheet(CKavoDoc& doc, QWidget* parent = nullptr);

    DiagramProps m_before;
    DiagramProps m_values;

protected:
    void OnHelp() override;
};

// The view's Diagram Properties command: runs the sheet over the document;
// OK writes the changes. True when OK was pressed.
bool RunDiagramPropSheet(QWidget* parent, CKavoDoc& doc);
// The remembered start page (program-wide).
int DiagramPropStartPage();
void SetDiagramPropStartPage(int page);
