#include "dialogs/diagram/DPropPage.h"

#include "platform/ui/DlgItems.h"

CDPropPage::CDPropPage(DiagramProps& values, const std::string& caption, QWidget* parent)
    : CPropertyPage(caption, parent), m_values(values)
{}

bool CDPropPage::DoDataExchange(bool save)
{
    if (save)
        return StorePage();
    LoadPage();
    return true;
}

CNumEdit* MakeNumEdit(QWidget* page, int id, const CNumEditSpec& spec)
{
    auto* field = new CNumEdit(page);
    SetDlgCtrlID(field, id);
    field->Configure(&spec);
    return field;
}
