#include "dialogs/sheets/CFTabSheet.h"

#include "core/MsgBox.h"
#include "dialogs/sheets/CFTabAutoLabel.h"
#include "dialogs/sheets/CFTabBehaviors.h"
#include "dialogs/sheets/CFTabConnect.h"
#include "dialogs/sheets/CFTabFill.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabText.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/ui/DlgItems.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_FIG_PROPS = 643, IDS_LABEL_PROPS = 491, IDS_FORMAT_LOST = 652;

// The page a sheet opened last of each variant and kind.
int g_startPage[2][2] = {};

QString Res(UINT id)
{
    const char* s = FindResString(id);
    return AnsiToQString(s ? s : "");
}
} // namespace

CFTabSheet::CFTabSheet(const FigSheetData& data, QWidget* parent)
    : CDialog(parent), m_data(data), m_tabs(new QTabWidget(this)), m_buttonRow(new QWidget(this))
{
    auto* ok = new QPushButton("OK", m_buttonRow);
    auto* cancel = new QPushButton("Cancel", m_buttonRow);
    auto* apply = new QPushButton("&Apply", m_buttonRow);
    BindButton(ok, IDOK);
    BindButton(cancel, IDCANCEL);
    SetDlgCtrlID(apply, ID_APPLY_NOW);
    ok->setDefault(true);
    for (QPushButton* b : {cancel, apply})
        b->setAutoDefault(false);
    auto* row = new QHBoxLayout(m_buttonRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(apply);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int i) { OnTabChanged(i); });
}

CFTabSheet::~CFTabSheet() = default;

QPushButton* CFTabSheet::Button(int id) const
{
    return qobject_cast<QPushButton*>(GetDlgItem(this, id));
}

int& CFTabSheet::RememberedPage()
{
    return g_startPage[m_data.variant == kFigSheetStyles ? 1 : 0][m_data.label ? 1 : 0];
}

void CFTabSheet::BuildPages()
{
    const bool styles = m_data.variant == kFigSheetStyles;
    m_general = new CFTabGeneral(this);
    m_text = new CFTabText(this);
    m_pages = {m_general, m_text};
    if (!m_data.label) {
        m_connect = new CFTabConnect(this);
        m_pages.push_back(m_connect);
    }
    m_behaviors = new CFTabBehaviors(this);
    m_pages.push_back(m_behaviors);
    if (styles && !m_data.label) {
        m_autoLabel = new CFTabAutoLabel(this);
        m_pages.push_back(m_autoLabel);
    }
    m_fill = new CFTabFill(this);
    m_pages.push_back(m_fill);
}

void CFTabSheet::OnInitDialog()
{
    BuildPages();
    int start = m_data.variant == kFigSheetProps && m_data.label ? 1 : RememberedPage();
    if (start < 0 || start >= PageCount())
        start = 0;
    m_switching = true;
    for (CFigPage* p : m_pages)
        m_tabs->addTab(p, p->Caption());
    m_switching = false;
    m_tabs->setCurrentIndex(start);
    OnTabChanged(start);
    ResetChangeState();
}

void CFTabSheet::OnTabChanged(int index)
{
    if (m_switching || index < 0)
        return;
    if (m_shownTab >= 0 && m_shownTab != index && m_shownTab < PageCount()) {
        // A page with a refused value keeps the focus.
        if (!Page(m_shownTab)->UpdateData(true)) {
            m_switching = true;
            m_tabs->setCurrentIndex(m_shownTab);
            m_switching = false;
            return;
        }
    }
    m_shownTab = index;
    CFigPage* page = Page(index);
    page->EnsureCreated();
    page->OnSetActive();
    page->UpdateData(false);
}

CFigPage* CFTabSheet::ActivePage() const
{
    return m_shownTab >= 0 ? Page(m_shownTab) : nullptr;
}

void CFTabSheet::SetActivePage(CFigPage* page)
{
    const int i = m_tabs->indexOf(page);
    if (i >= 0)
        m_tabs->setCurrentIndex(i);
}

bool CFTabSheet::ValidateActivePage()
{
    CFigPage* page = ActivePage();
    return !page || page->UpdateData(true);
}

void CFTabSheet::ReloadActivePage()
{
    if (CFigPage* page = ActivePage())
        page->UpdateData(false);
}

void CFTabSheet::RefreshCommitButton()
{
    if (QPushButton* b = Button(CommitButtonId()))
        b->setEnabled(m_data.HasChanges());
}

void CFTabSheet::ResetChangeState()
{
    m_data.ResetChanges();
    RefreshCommitButton();
}

void CFTabSheet::RememberPage()
{
    if (m_shownTab >= 0)
        RememberedPage() = m_shownTab;
}

// ---- properties of the selection

CFPTabSheet::CFPTabSheet(const FigSheetData& data, QWidget* parent) : CFTabSheet(data, parent)
{
    setWindowTitle(Res(m_data.label ? IDS_LABEL_PROPS : IDS_FIG_PROPS));
    connect(Button(ID_APPLY_NOW), &QPushButton::clicked, this, [this] { Apply(); });
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_tabs);
    col->addWidget(m_buttonRow);
}

void CFPTabSheet::OnInitDialog()
{
    CFTabSheet::OnInitDialog();
    resize(sizeHint().expandedTo(QSize(460, 420)));
}

bool CFPTabSheet::Apply()
{
    if (!ValidateActivePage())
        return false;
    for (CFigPage* p : m_pages)
        if (p->IsCreated())
            p->OnApply();
    FigSheetData& d = m_data;
    if (d.mask.m_bSheet[kSheetText] && d.hadFormatting && !d.formatAsked) {
        d.formatAsked = 1;
        if (MsgBoxResTexts(MB_YESNO | MB_ICONQUESTION, IDS_FORMAT_LOST, {}) == IDNO) {
            d.mask.m_bSheet[kSheetText] = 0;
            d.changed = 0;
            d.text = d.savedText;
            d.secondText = d.savedSecondText;
            ReloadActivePage();
        }
    }
    ApplySheetToSelection(d, m_stepMark);
    ResetChangeState();
    // One figure shows what it now is (its style may have brought more).
    CFigure* first = nullptr;
    if (!d.label && CollectSheetObjects(*d.doc, false, &first) == 1 && first)
        d.props = first->m_props;
    ReloadActivePage();
    return true;
}

void CFPTabSheet::OnOK()
{
    if (!ValidateActivePage())
        return;
    if (m_data.HasChanges() && !Apply())
        return;
    RememberPage();
    EndDialog(IDOK);
}

void CFPTabSheet::OnCancel()
{
    RememberPage();
    EndDialog(IDCANCEL);
}

int RunFigPropSheet(CKavoDoc& doc, bool labels, QWidget* parent)
{
    FigSheetData data;
    if (!LoadSheetFromSelection(data, doc, labels))
        return IDCANCEL;
    CFPTabSheet sheet(data, parent);
    return sheet.DoModal();
}
