#include "dialogs/options/COptionsSheet.h"

#include "controls/WindowHelpers.h"
#include "core/HelpRequest.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/options/COptionPages.h"
#include "platform/Prompt.h"

namespace {
constexpr UINT IDS_OPTIONS = 630;
constexpr uint32_t kHelpTopic = 311;
int g_nLastPage = 0;
} // namespace

COptionsSheet::COptionsSheet(OptionValues& values, QWidget* parent) : CPropertySheet(ResText(IDS_OPTIONS), parent)
{
    AddPage(new COptGeneral(values));
    AddPage(new COptView(values));
    AddPage(new COptZoom(values));
    AddPage(new COptColors(values));
    AddPage(new COptSave(values));
    // Whether the branch-label page exists is decided as the sheet opens.
    if (EnableOldBranchLabels)
        AddPage(new COptAutoLabel(values));
    // Tab goes through each page as it reads.
    for (int i = 0; i < GetPageCount(); ++i)
        OrderTabsByLayout(GetPage(i));
    // The caption's help button and F1 open the sheet's topic as Help does.
    InstallContextHelp(this, kHelpTopic);
    HideApplyButton();
    SetStartPage(g_nLastPage < GetPageCount() ? g_nLastPage : 0);
}

COptionsSheet::~COptionsSheet()
{
    if (GetActiveIndex() >= 0)
        g_nLastPage = GetActiveIndex();
}

int COptionsSheet::RememberedPage()
{
    return g_nLastPage;
}

void COptionsSheet::OnHelp()
{
    ShowContextHelp(kHelpTopic);
}

bool RunOptionsSheet(QWidget* parent, OptionValues& values)
{
    COptionsSheet sheet(values, parent);
    return sheet.DoModal() == IDOK;
}
