#include "platform/ui/CPropertySheet.h"

#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

CPropertyPage::CPropertyPage(const std::string& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption)
{
}

bool CPropertyPage::UpdateData(bool save)
{
    return DoDataExchange(save);
}

void CPropertyPage::SetModified(bool changed)
{
    m_modified = changed;
    if (m_sheet)
        m_sheet->PageModified();
}

void CPropertyPage::OnInitDialog()
{
    UpdateData(false);
}

void CPropertyPage::Build()
{
    if (m_built)
        return;
    m_built = true;
    CreateControls();
}

void CPropertyPage::Initialize()
{
    if (m_initialized)
        return;
    Build();
    m_initialized = true;
    OnInitDialog();
}

CPropertySheet::CPropertySheet(const std::string& caption, QWidget* parent) : CDialog(parent)
{
    setWindowTitle(QString::fromLatin1(caption.c_str()));
    m_tabs = new QTabWidget(this);
    // Every tab stays in sight with its whole caption: the sheet grows to
    // hold the tab row rather than scrolling it.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideNone);
    m_buttons = new QDialogButtonBox(this);
    auto add = [this](const char* text, int id, QDialogButtonBox::ButtonRole role) {
        QPushButton* button = m_buttons->addButton(QString::fromLatin1(text), role);
        button->setAutoDefault(false);
        SetDlgCtrlID(button, id);
        return button;
    };
    QPushButton* ok = add("OK", IDOK, QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    BindButton(ok, IDOK);
    BindButton(add("Cancel", IDCANCEL, QDialogButtonBox::RejectRole), IDCANCEL);
    QPushButton* apply = add("&Apply", ID_APPLY_NOW, QDialogButtonBox::ApplyRole);
    apply->setEnabled(false);
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
    QPushButton* help = add("Help", IDHELP, QDialogButtonBox::HelpRole);
    connect(help, &QPushButton::clicked, this, [this] { OnHelp(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanged);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
    m_switching = true; // the first page added becomes current: not a user's switch
    m_tabs->addTab(page, QString::fromLatin1(page->Caption().c_str()));
    m_switching = false;
}

void CPropertySheet::RemovePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return;
    m_switching = true;
    m_tabs->removeTab(index);
    m_switching = false;
    m_pages.erase(m_pages.begin() + index);
    if (m_shownIndex >= GetPageCount())
        m_shownIndex = m_tabs->currentIndex();
    delete page;
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    return m_tabs->currentIndex();
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[size_t(i)] == page)
            return i;
    return -1;
}

bool CPropertySheet::SetActivePage(int index)
{
    if (!GetPage(index))
        return false;
    if (index != m_tabs->currentIndex())
        m_tabs->setCurrentIndex(index);
    return m_tabs->currentIndex() == index;
}

void CPropertySheet::PlaceBesideTabs(QWidget* column)
{
    auto* col = qobject_cast<QVBoxLayout*>(layout());
    if (!col)
        return;
    col->removeWidget(m_tabs);
    auto* row = new QHBoxLayout;
    row->addWidget(column);
    row->addWidget(m_tabs, 1);
    col->insertLayout(0, row, 1);
}

void CPropertySheet::PlaceBesideButtons(QWidget* row)
{
    auto* col = qobject_cast<QVBoxLayout*>(layout());
    if (!col)
        return;
    const int at = col->indexOf(m_buttons);
    col->removeWidget(m_buttons);
    auto* line = new QHBoxLayout;
    line->addWidget(row);
    line->addStretch(1);
    line->addWidget(m_buttons);
    col->insertLayout(at, line);
}

QPushButton* CPropertySheet::Button(int id) const
{
    for (QAbstractButton* button : m_buttons->buttons())
        if (GetDlgCtrlID(button) == id)
            return qobject_cast<QPushButton*>(button);
    return nullptr;
}

void CPropertySheet::HideApplyButton()
{
    if (QPushButton* apply = Button(ID_APPLY_NOW))
        apply->hide();
}

void CPropertySheet::EnableApply(bool enable)
{
    if (QPushButton* apply = Button(ID_APPLY_NOW))
        apply->setEnabled(enable);
}

void CPropertySheet::PageModified()
{
    bool any = false;
    for (CPropertyPage* page : m_pages)
        any = any || page->IsModified();
    EnableApply(any);
}

void CPropertySheet::OnInitDialog()
{
    for (CPropertyPage* page : m_pages)
        page->Build();
    int start = std::clamp(m_startPage, 0, std::max(0, GetPageCount() - 1));
    m_switching = true;
    m_tabs->setCurrentIndex(start);
    m_switching = false;
    m_shownIndex = m_tabs->currentIndex();
    if (CPropertyPage* page = GetActivePage()) {
        page->Initialize();
        page->OnSetActive();
    }
    // The tab widget asks for the room of its largest page.
    FitToContents();
}

void CPropertySheet::OnTabChanged(int index)
{
    if (m_switching || index == m_shownIndex)
        return;
    CPropertyPage* leaving = GetPage(m_shownIndex);
    CPropertyPage* coming = GetPage(index);
    bool allowed = !leaving || leaving->OnKillActive();
    if (allowed && coming) {
        coming->Initialize();
        allowed = coming->OnSetActive();
    }
    if (!allowed) {
        // The refused switch goes back to the page that was shown.
        m_switching = true;
        m_tabs->setCurrentIndex(m_shownIndex);
        m_switching = false;
        return;
    }
    m_shownIndex = index;
}

bool CPropertySheet::Apply()
{
    CPropertyPage* active = GetActivePage();
    if (active && active->IsInitialized() && !active->OnKillActive())
        return false;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[size_t(i)];
        if (!page->IsInitialized())
            continue;
        if (!page->OnApply()) {
            SetActivePage(i);
            return false;
        }
        page->m_modified = false;
    }
    EnableApply(false);
    OnApplied();
    return true;
}

void CPropertySheet::OnOK()
{
    if (Apply())
        EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    for (CPropertyPage* page : m_pages)
        if (page->IsInitialized())
            page->OnCancel();
    EndDialog(IDCANCEL);
}
