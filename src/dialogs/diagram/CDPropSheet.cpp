#include "dialogs/diagram/CDPropSheet.h"

#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "dialogs/diagram/DPropConPages.h"
#include "dialogs/diagram/DPropGeneralPages.h"
#include "dialogs/diagram/DPropShadowPage.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_DIAGRAM_PROPERTIES = 629;
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

CDPropSheet::CDPropSheet(CKavoDoc& doc, QWidget* parent) : CDialog(parent)
{
    setWindowTitle(AnsiToQString(ResText(IDS_DIAGRAM_PROPERTIES)));
    m_before = m_values = ReadDiagramProps(doc);
    m_tabs = new QTabWidget(this);
    SetDlgCtrlID(m_tabs, kTabId);
    m_pages = {new CDPropGeneral(m_values), new CDPropGrid(m_values),         new CDPropLabels(m_values, doc),
               new CDPropCon(m_values),     new CDPropFormat(m_values, &doc), new CDPropShadow(m_values, &doc)};
    m_loaded.assign(m_pages.size(), false);
    for (CDPropPage* page : m_pages)
        m_tabs->addTab(page, page->Title());
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_tabs);
    all->addWidget(buttons);
}

void CDPropSheet::OnInitDialog()
{
    const int start = g_startPage >= 0 && g_startPage < PageCount() ? g_startPage : 0;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(start);
    }
    m_current = start;
    m_pages[size_t(start)]->LoadPage();
    m_loaded[size_t(start)] = true;
    connect(m_tabs, &QTabWidget::currentChanged, this, &CDPropSheet::OnTabChanging);
    CenterWindow();
}

void CDPropSheet::OnTabChanging(int index)
{
    // The page left must accept its entries; a refusal brings it back.
    if (m_current >= 0 && m_current != index && !m_pages[size_t(m_current)]->StorePage()) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_current);
        return;
    }
    m_current = index;
    g_startPage = index;
    // Every page shows the shared copy as it stands now.
    m_pages[size_t(index)]->LoadPage();
    m_loaded[size_t(index)] = true;
}

void CDPropSheet::OnOK()
{
    if (m_current >= 0 && !m_pages[size_t(m_current)]->StorePage())
        return;
    g_startPage = m_current;
    CDialog::OnOK();
}

bool RunDiagramPropSheet(QWidget* parent, CKavoDoc& doc)
{
    DiagPrintf("USER  Modify diagram properties\n");
    CDPropSheet sheet(doc, parent);
    if (sheet.DoModal() != IDOK)
        return false;
    ApplyDiagramProps(doc, sheet.m_before, sheet.m_values);
    return true;
}
