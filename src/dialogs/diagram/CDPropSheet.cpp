#include "dialogs/diagram/CDPropSheet.h"

#include "controls/WindowHelpers.h"
#include "core/HelpRequest.h"
#include "core/StringHelpers.h"
#include "dialogs/ContextHelp.h"
#include "core/Trace.h"
#include "dialogs/diagram/DPropConPages.h"
#include "dialogs/diagram/DPropGeneralPages.h"
#include "dialogs/diagram/DPropShadowPage.h"
#include "document/CKavoDoc.h"
#include "platform/Prompt.h"

namespace {
constexpr UINT IDS_DIAGRAM_PROPERTIES = 629;
constexpr uint32_t kHelpTopic = 312;
int g_startPage = 0;
} // namespace

int DiagramPropStartPage()
{
    return g_startPage;
}

void SetDiagramPropStartPage(int page)
{
    g_startPage = page;
}

CDPropSheet::CDPropSheet(CKavoDoc& doc, QWidget* parent) : CPropertySheet(ResText(IDS_DIAGRAM_PROPERTIES), parent)
{
    m_before = m_values = ReadDiagramProps(doc);
    AddPage(new CDPropGeneral(m_values));
    AddPage(new CDPropGrid(m_values));
    AddPage(new CDPropLabels(m_values, doc));
    AddPage(new CDPropCon(m_values));
    AddPage(new CDPropFormat(m_values, &doc));
    AddPage(new CDPropShadow(m_values, &doc));
    // Tab goes through each page as it reads.
    for (int i = 0; i < GetPageCount(); ++i)
        OrderTabsByLayout(GetPage(i));
    // Only OK writes: the changes need the whole OK sequence at once.
    // The caption's help button and F1 open the sheet's topic as Help does.
    InstallContextHelp(this, kHelpTopic);
    HideApplyButton();
    SetStartPage(g_startPage);
}

void CDPropSheet::OnHelp()
{
    ShowContextHelp(kHelpTopic);
}

bool RunDiagramPropSheet(QWidget* parent, CKavoDoc& doc)
{
    DiagPrintf("USER  Modify diagram properties\n");
    CDPropSheet sheet(doc, parent);
    const bool ok = sheet.DoModal() == IDOK;
    g_startPage = sheet.GetActiveIndex();
    if (!ok)
        return false;
    ApplyDiagramProps(doc, sheet.m_before, sheet.m_values);
    return true;
}
