#include "dialogs/sheets/CConTabSheet.h"

#include "core/HelpRequest.h"
#include "core/StringHelpers.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabEnds.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "dialogs/sheets/SheetPlacement.h"
#include "document/CKavoDoc.h"
#include "document/ConPropsApply.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "undo/UndoCodes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
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

namespace {
constexpr uint32_t kStylesHelpTopic = 309, kPropsHelpTopic = 310;

std::string Caption(UINT id)
{
    std::string text;
    return LoadCStringRes(text, id);
}
} // namespace

CCTabSheet::CCTabSheet(QWidget* parent, CKavoDoc* doc, int type, UINT captionId)
    : CPropertySheet(Caption(captionId), parent), m_left(new QWidget(this))
{
    m_data.doc = doc;
    m_data.type = type;
    SetStartPage(RememberedPage());
    // Room on the left for the styles sheet's column, beside the pages.
    QTabWidget* tabs = GetTabControl();
    tabs->setUsesScrollButtons(false);
    if (auto* col = qobject_cast<QVBoxLayout*>(layout())) {
        col->removeWidget(tabs);
        auto* row = new QHBoxLayout;
        row->addWidget(m_left);
        row->addWidget(tabs, 1);
        col->insertLayout(0, row, 1);
    }
    m_left->hide();
}

CCTabSheet::~CCTabSheet()
{
    RememberedPage() = GetActiveIndex() >= 0 ? GetActiveIndex() : RememberedPage();
}

int CCTabSheet::exec()
{
    return m_bCancelledAtInit ? int(QDialog::Rejected) : CPropertySheet::exec();
}

void CCTabSheet::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OnHelp();
        return;
    }
    CPropertySheet::keyPressEvent(event);
}

void CCTabSheet::OnHelp()
{
    ShowContextHelp(m_data.IsStyles() ? kStylesHelpTopic : kPropsHelpTopic);
}

int& CCTabSheet::RememberedPage()
{
    return m_data.IsStyles() ? LastConStylesPage() : LastConPropsPage();
}

void CCTabSheet::AddConPage(CConPage* page)
{
    page->onChanged = [this] { UpdateApplyState(); };
    AddPage(page);
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
    for (int i = 0; i < GetPageCount(); ++i)
        if (CPropertyPage* page = GetPage(i); page->IsInitialized())
            page->UpdateData(false);
}

CCPTabSheet::CCPTabSheet(QWidget* parent, CKavoDoc* doc, int style, const CConProps& props, bool several,
                         const int differs[kDiffCount], const CRect* ends)
    : CCTabSheet(parent, doc, CConSheetData::kProperties, 647)
{
    if (ends) {
        m_rcEnds = *ends;
        m_bHasEnds = true;
    }
    m_data.curStyle = style;
    m_data.props = props;
    m_data.several = several;
    for (int i = 0; i < kDiffCount; ++i)
        m_data.differs[i] = differs ? differs[i] : 0;
    AddConPage(new CCTabGeneral(m_data, this));
    AddConPage(new CCTabLine(m_data, this));
    AddConPage(new CCTabEnds(m_data, this));
    AddConPage(new CCTabBehaviors(m_data, this));
}

void CCPTabSheet::OnInitDialog()
{
    if (!m_data.doc || !m_data.Library()) {
        CancelAtInit();
        return;
    }
    ClearChanges();
    CPropertySheet::OnInitDialog();
    PlaceSheet();
}

void CCPTabSheet::PlaceSheet()
{
    PlacePropertySheet(*this, m_bHasEnds ? &m_rcEnds : nullptr);
}

// The pages' values have passed their checks (a refusal keeps the sheet
// open on the page that refused).
void CCPTabSheet::OnApplied()
{
    CKavoDoc* doc = m_data.doc;
    if (!doc || !m_data.Pending())
        return;
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
}
