#pragma once
// Diagram Properties: six pages over a copy of one diagram's settings.
// Pages load when first shown and check themselves when left; OK stores
// the shown page and writes what changed (ApplyDiagramProps). The page
// last shown is where the sheet opens next time.
#include "dialogs/diagram/DiagramProps.h"
#include "platform/ui/CDialog.h"

#include <vector>

class CDPropPage;
class CKavoDoc;
class QTabWidget;

class CDPropSheet : public CDialog {
    Q_OBJECT
public:
    CDPropSheet(CKavoDoc& doc, QWidget* parent = nullptr);
    static constexpr int kTabId = 12320;

    DiagramProps m_before;
    DiagramProps m_values;
    QTabWidget* Tabs() const { return m_tabs; }
    CDPropPage* Page(int index) const { return m_pages[size_t(index)]; }
    int PageCount() const { return int(m_pages.size()); }

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnTabChanging(int index);
    QTabWidget* m_tabs;
    std::vector<CDPropPage*> m_pages;
    std::vector<bool> m_loaded;
    int m_current = -1;
};

// The view's Diagram Properties command: runs the sheet over the document;
// OK writes the changes. True when OK was pressed.
bool RunDiagramPropSheet(QWidget* parent, CKavoDoc& doc);
// The remembered start page (program-wide).
int DiagramPropStartPage();
void SetDiagramPropStartPage(int page);
