#include "dialogs/sheets/CFigPage.h"

#include "dialogs/sheets/CFTabSheet.h"

CFigPage::CFigPage(CFTabSheet* sheet, const char* caption) : QWidget(nullptr), m_sheet(sheet), m_caption(caption) {}

FigSheetData& CFigPage::D() const
{
    return m_sheet->Data();
}

void CFigPage::EnsureCreated()
{
    if (m_created)
        return;
    m_created = true;
    m_loading = true;
    OnInitDialog();
    m_loading = false;
}

bool CFigPage::UpdateData(bool save)
{
    if (!m_created)
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
