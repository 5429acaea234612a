#include "dialogs/sheets/CFigPage.h"

#include "controls/WindowHelpers.h"
#include "dialogs/sheets/CFTabSheet.h"

CFigPage::CFigPage(CFTabSheet* sheet, const char* caption) : CPropertyPage(caption), m_sheet(sheet) {}

FigSheetData& CFigPage::D() const
{
    return m_sheet->Data();
}

void CFigPage::CreateControls()
{
    m_loading = true;
    OnInitPage();
    m_loading = false;
    OrderTabsByLayout(this);
}

bool CFigPage::OnSetActive()
{
    OnPageActive();
    UpdateData(false);
    return true;
}

bool CFigPage::DoDataExchange(bool save)
{
    if (!IsInitialized())
        return true;
    if (save)
        return Exchange(true);
    // Loading sets controls, whose change signals must not count as edits.
    m_loading = true;
    const bool ok = Exchange(false);
    m_loading = false;
    return ok;
}

void CFigPage::Changed()
{
    if (!m_loading)
        m_sheet->RefreshCommitButton();
}
