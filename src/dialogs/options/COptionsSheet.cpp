#include "dialogs/options/COptionsSheet.h"

#include "platform/Prompt.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "dialogs/options/COptionPages.h"
#include "platform/Ansi.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_OPTIONS = 630;
int g_nLastPage = 0;
} // namespace

COptionsSheet::COptionsSheet(OptionValues& values, QWidget* parent) : CDialog(parent), m_values(values)
{
    setWindowTitle(AnsiToQString(ResText(IDS_OPTIONS)));
    m_tabs = new QTabWidget(this);
    const std::pair<COptionPage*, const char*> pages[] = {
        {new COptGeneral(values), "General"}, {new COptView(values), "View"}, {new COptZoom(values), "Zoom"},
        {new COptColors(values), "Colors"},   {new COptSave(values), "Save"},
    };
    for (const auto& [page, title] : pages) {
        m_pages.push_back(page);
        m_tabs->addTab(page, tr(title));
    }
    // Whether the branch-label page exists is decided as the sheet opens.
    if (EnableOldBranchLabels) {
        m_pages.push_back(new COptAutoLabel(values));
        m_tabs->addTab(m_pages.back(), tr("Branch Labels"));
    }
    m_loaded.assign(m_pages.size(), false);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_tabs);
    all->addWidget(buttons);
    // A page whose field is refused keeps the focus: the tab change is taken
    // back before the new page shows.
    connect(m_tabs, &QTabWidget::currentChanged, this, &COptionsSheet::OnPageChanging);
}

COptionsSheet::~COptionsSheet()
{
    if (m_nActive >= 0)
        g_nLastPage = m_nActive;
}

COptionPage* COptionsSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

int COptionsSheet::RememberedPage()
{
    return g_nLastPage;
}

void COptionsSheet::OnInitDialog()
{
    const int start = g_nLastPage < GetPageCount() ? g_nLastPage : 0;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(start);
    }
    Activate(start);
    CenterWindow();
}

void COptionsSheet::Activate(int index)
{
    m_nActive = index;
    if (!m_loaded[size_t(index)]) {
        m_loaded[size_t(index)] = true;
        m_pages[size_t(index)]->LoadValues();
    }
}

void COptionsSheet::OnPageChanging(int to)
{
    if (m_nActive >= 0 && m_nActive != to && !m_pages[size_t(m_nActive)]->SaveValues()) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(m_nActive);
        return;
    }
    Activate(to);
}

void COptionsSheet::OnOK()
{
    // Every page that was shown gives its values back; the others hold the
    // settings' copies still.
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_loaded[i] && !m_pages[i]->SaveValues()) {
            m_tabs->setCurrentIndex(int(i));
            return;
        }
    CDialog::OnOK();
}

bool RunOptionsSheet(QWidget* parent, OptionValues& values)
{
    COptionsSheet sheet(values, parent);
    return sheet.DoModal() == IDOK;
}
