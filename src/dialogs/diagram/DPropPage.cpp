#include "dialogs/diagram/DPropPage.h"

#include "platform/ui/DlgItems.h"

CDPropPage::CDPropPage(DiagramProps& values, const QString& title, QWidget* parent)
    : QWidget(parent), m_values(values), m_title(title)
{}

bool CDPropPage::UpdateData(bool save)
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
