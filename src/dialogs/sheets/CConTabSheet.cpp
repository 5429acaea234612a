#include "dialogs/sheets/CConTabSheet.h"

#include "core/StringHelpers.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabEnds.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "document/CKavoDoc.h"
#include "document/ConPropsApply.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "undo/UndoCodes.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

int& LastConPropsPage()
{
    static int page = 1;
    return page;
}

int& LastConStylesPage()
{
    static int page = 1;
    return page;
}

CCTabSheet::CCTabSheet(QWidget* parent, CKavoDoc* doc, int type, UINT captionId)
    : CDialog(parent), m_buttons(new QDialogButtonBox(this)), m_left(new QWidget(this)), m_tabs(new QTabWidget(this))
{
    std::string caption;
    setWindowTitle(AnsiToQString(LoadCStringRes(caption, captionId)));
    m_data.doc = doc;
    m_data.type = type;
    m_startPage = RememberedPage();
    auto* row = new QHBoxLayout;
    row->addWidget(m_left);
    row->addWidget(m_tabs, 1);
    m_left->hide();
    auto* col = new QVBoxLayout(this);
    col->addLayout(row, 1);
    col->addWidget(m_buttons);
    // Every page's tab stays in sight.
    m_tabs->setUsesScrollButtons(false);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
}

CCTabSheet::~CCTabSheet()
{
    RememberedPage() = GetActiveIndex() >= 0 ? GetActiveIndex() : RememberedPage();
}

int& CCTabSheet::RememberedPage()
{
    return m_data.IsStyles() ? LastConStylesPage() : LastConPropsPage();
}

void CCTabSheet::AddPage(CConPage* page)
{
    m_pages.push_back(page);
    page->onChanged = [this] { UpdateApplyState(); };
    const QSignalBlocker block(m_tabs);
    m_tabs->addTab(page, page->Title());
}

CConPage* CCTabSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)] : nullptr;
}

CConPage* CCTabSheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

int CCTabSheet::GetActiveIndex() const
{
    return m_tabs->currentIndex();
}

void CCTabSheet::SetActivePage(int index)
{
    m_tabs->setCurrentIndex(index);
}

QPushButton* CCTabSheet::Button(int id) const
{
    return qobject_cast<QPushButton*>(GetDlgItem(this, id));
}

void CCTabSheet::OnInitDialog()
{
    const int start = m_startPage >= 0 && m_startPage < GetPageCount() ? m_startPage : 0;
    {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(start);
    }
    OnTabChanged(start);
    UpdateApplyState();
}

// A page is left only when its values are good; the next one loads from
// the data, which other pages may have changed.
void CCTabSheet::OnTabChanged(int index)
{
    if (CConPage* shown = GetPage(m_shownPage); shown && m_shownPage != index && !shown->UpdateData(true)) {
        const QSignalBlocker block(m_tabs);
        m_tabs->setCurrentIndex(m_shownPage);
        return;
    }
    m_shownPage = index;
    if (CConPage* page = GetPage(index))
        page->UpdateData(false);
}

bool CCTabSheet::ValidateActivePage()
{
    CConPage* page = GetActivePage();
    return !page || page->UpdateData(true);
}

void CCTabSheet::UpdateApplyState()
{
    QPushButton* apply = Button(ID_APPLY_NOW);
    const bool pending = m_data.Pending();
    if (apply && apply->isEnabled() != pending)
        apply->setEnabled(pending);
}

void CCTabSheet::ClearChanges()
{
    m_data.ClearChanges();
    UpdateApplyState();
}

void CCTabSheet::ReloadPages()
{
    for (CConPage* page : m_pages)
        if (page->IsInitialised() || page == GetActivePage())
            page->UpdateData(false);
}

CCPTabSheet::CCPTabSheet(QWidget* parent, CKavoDoc* doc, int style, const CConProps& props, bool several,
                         const int differs[kDiffCount])
    : CCTabSheet(parent, doc, CConSheetData::kProperties, 647)
{
    m_data.curStyle = style;
    m_data.props = props;
    m_data.several = several;
    for (int i = 0; i < kDiffCount; ++i)
        m_data.differs[i] = differs ? differs[i] : 0;
    AddPage(new CCTabGeneral(m_data, this));
    AddPage(new CCTabLine(m_data, this));
    AddPage(new CCTabEnds(m_data, this));
    AddPage(new CCTabBehaviors(m_data, this));
    BindButton(m_buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(m_buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    QPushButton* apply = m_buttons->addButton(QDialogButtonBox::Apply);
    SetDlgCtrlID(apply, ID_APPLY_NOW);
    connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
}

bool CCPTabSheet::Apply()
{
    if (!ValidateActivePage())
        return false;
    CKavoDoc* doc = m_data.doc;
    if (!doc || !m_data.Pending())
        return true;
    CUndoLog& log = doc->UndoLogRef();
    // Every Apply of the sheet is one undo step: later ones carry on the
    // first one's step while nothing has been recorded after it.
    ConApplyOptions options;
    options.style = m_data.curStyle;
    options.styleChanged = m_data.styleFlag != 0;
    options.continueStep = !m_bFirstApply && log.m_nStepsRecorded == m_nStepAfterFirst
                           && log.GetLastUndoStepCode() == UDMAC_CONPROPS;
    RememberLastEnds(m_data);
    ApplyConPropsToSelection(*doc, m_data.props, m_data.mask, options);
    if (m_bFirstApply)
        m_nStepAfterFirst = log.m_nStepsRecorded;
    m_bFirstApply = false;
    m_data.SettleDiffers();
    ClearChanges();
    ReloadPages();
    return true;
}

void CCPTabSheet::OnOK()
{
    if (m_data.Pending() && !Apply())
        return;
    CDialog::OnOK();
}
