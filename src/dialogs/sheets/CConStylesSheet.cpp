#include "dialogs/sheets/CConStylesSheet.h"

#include "controls/CFillPreviewWnd.h"
#include "controls/CStyleButtons.h"
#include "core/MsgBox.h"
#include "core/StringHelpers.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConTabAutoLabel.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabEnds.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "document/CKavoDoc.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CConStylesLibrary.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr UINT IDS_CATEGORY_FULL = 408, IDS_NEW_NAME = 511, IDS_ALL_DELETED = 495;
constexpr UINT IDS_CLOSE = 634, IDS_STYLES = 639, IDS_NO_CATEGORY = 412;
constexpr int kNewLineWidth = 3;
constexpr int kPreviewHeightDlu = 30;   // a line needs less room than a figure

QString Res(UINT id)
{
    std::string text;
    return AnsiToQString(LoadCStringRes(text, id));
}
} // namespace

CCSTabSheet::CCSTabSheet(QWidget* parent, CKavoDoc* doc, int style)
    : CCTabSheet(parent, doc, CConSheetData::kStyles, 646), m_panel(new CStylesPanel(this, m_left)),
      m_preview(new CConPreviewButton(doc, nullptr)), m_picker(new CConStyleButton()), m_barWatch(doc)
{
    CConStylesLibrary* lib = m_data.Library();
    if (lib && (style >= 0 || lib->GetCount() == 0)) {
        LoadConSheetStyle(m_data, style);
        if (style < 0) {
            m_data.props = CConProps();
            m_data.props.BindToStyle = 1;
            m_data.props.End1 = m_data.props.End2 = 0;
        }
    }
    AddConPage(new CCTabGeneral(m_data, this));
    AddConPage(new CCTabLine(m_data, this));
    AddConPage(new CCTabEnds(m_data, this));
    AddConPage(new CCTabBehaviors(m_data, this));
    AddConPage(new CCTabAutoLabel(m_data, this));
    AddConPage(new CCTabFragment(m_data, this));

    // The style column: preview, caption and list; the style buttons join
    // the sheet's button row once it is laid out.
    SetDlgCtrlID(m_preview, kPreview);
    m_preview->setEnabled(false);
    m_panel->SetPreview(m_preview, kPreviewHeightDlu);
    m_picker->setText(Res(IDS_STYLES));
    m_picker->Create(kStylesLabel, m_panel, 0, doc, false);
    m_panel->SetPicker(m_picker);
    connect(m_picker, &CStylePickerButton::styleChosen, this, [this](int index) {
        // Kept on the shown style when the pending question says so.
        if (!m_panel->SelectStyle(index))
            m_picker->SetSample(m_data.curStyle);
    });
    m_panel->setFixedWidth(m_panel->PanelWidth());
    auto* col = new QVBoxLayout(m_left);
    col->setContentsMargins(0, 0, 0, 0);
    col->addWidget(m_panel);
    m_left->show();
    // OK applies and stays: it takes Apply's caption, and Cancel closes.
    HideApplyButton();
    Button(IDOK)->setText("&Apply");
    Button(IDCANCEL)->setText(Res(IDS_CLOSE));
}

void CCSTabSheet::OnInitDialog()
{
    CConStylesLibrary* lib = m_data.Library();
    if (!lib || !m_data.doc || (m_data.curStyle < 0 && lib->GetCount() > 0)) {
        CancelAtInit();
        return;
    }
    PlaceBesideButtons(m_panel->CreateButtons());
    CPropertySheet::OnInitDialog();
    m_panel->Refill();
    m_picker->SetSample(m_data.curStyle);
    ClearChanges();
    if (lib->GetCount() == 0)
        m_panel->OnNew();
}

std::vector<StyleListEntry> CCSTabSheet::StyleEntries() const
{
    std::vector<StyleListEntry> out;
    if (const CConStylesLibrary* lib = m_data.Library())
        for (int i = 0; i < lib->GetCount(); ++i)
            out.push_back({lib->GetAt(i)->m_strName, i});
    return out;
}

void CCSTabSheet::UpdateApplyState()
{
    QPushButton* ok = Button(IDOK);
    const bool pending = m_data.Pending();
    if (ok && ok->isEnabled() != pending)
        ok->setEnabled(pending);
    m_preview->SetStyle(m_data.props);
    const CConStylesLibrary* lib = m_data.Library();
    m_picker->setEnabled(lib && lib->GetCount() > 0);
}

void CCSTabSheet::ShowStyle(int index)
{
    LoadConSheetStyle(m_data, index);
    if (index >= 0 && m_data.doc)
        m_data.doc->m_nLastConStyleShown = index;
    // "<All>" shows as no style.
    m_picker->SetSample(index >= 0 ? index : -1);
    if (!m_data.CurrentStyle())
        m_data.props.BindToStyle = 0;
    ReloadPages();
    ClearChanges();
    m_panel->UpdateButtons();
}

// No to the pending question: the shown entry is loaded again.
void CCSTabSheet::DiscardPending(bool)
{
    ShowStyle(m_data.curStyle);
}

ConStyleValues CCSTabSheet::ValuesFromSheet() const
{
    const CConStyleAttrs& a = m_data.attrs;
    ConStyleValues v;
    v.props = m_data.props;
    v.description = a.description;
    v.category = a.category;
    v.hasButton = a.styleBarButton;
    v.inMenu = a.inDropMenu;
    v.autoLabel = a.autoLabel;
    v.labelText = a.autoLabelText;
    v.labelPosition = a.labelPosition;
    v.stamp = a.stamp;
    v.stampLength = int(std::lround(a.stampLength));
    v.stampAngle = a.stampAngle;
    return v;
}

// A refused value keeps everything: the user sees the page that refused
// it, the changes stay pending and whatever asked for the apply stops.
bool CCSTabSheet::ApplyStyles()
{
    if (!m_data.Pending())
        return true;
    CConStylesLibrary* lib = m_data.Library();
    const std::string& category = m_data.attrs.category;
    if (lib && !category.empty()) {
        lib->SetChanged();
        const StyleCategoryList& list = lib->GetCategories(0);
        bool known = false;
        for (int i = 0; i < list.m_nCount; ++i)
            known = known || list.m_cat[i].m_strName == category;
        if (!known && list.m_nCount >= StyleCategoryList::kMaxCategories) {
            MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_CATEGORY_FULL);
            SetActivePage(0);
            return false;
        }
    }
    // The checks of the shown page, then OnApplied writes.
    return Apply();
}

void CCSTabSheet::OnApplied()
{
    if (!m_data.Pending())
        return;
    if (m_data.curStyle == kConStyleAll)
        ModifyAllConStyles(*m_data.doc, kConStyleAll, ValuesFromSheet(), m_data.mask);
    else
        ModifyConStyle(*m_data.doc, m_data.curStyle, ValuesFromSheet());
    m_barWatch.Check();
    ClearChanges();
    if (auto* general = dynamic_cast<CCTabGeneral*>(GetActivePage()))
        general->FillCategories();
}

std::string CCSTabSheet::NewNameBase() const
{
    return QStringToAnsi(Res(IDS_NEW_NAME));
}

bool CCSTabSheet::AskStyleName(std::string& name, StyleNameMode mode)
{
    CConStyleNameDlg dlg(this);
    dlg.m_bCopy = mode == StyleNameMode::Copy;
    dlg.m_bRename = mode == StyleNameMode::Rename;
    dlg.m_strName = name;
    if (dlg.DoModal() != IDOK)
        return false;
    name = dlg.m_strName;
    return true;
}

int CCSTabSheet::AddStyle(const std::string& name, bool copy)
{
    ConStyleValues v;
    v.name = name;
    v.stampAngle = 0;
    if (copy) {
        v.props = m_data.props;
        v.hasButton = m_data.attrs.styleBarButton;
        v.inMenu = m_data.attrs.inDropMenu;
        v.category =
            m_data.attrs.category == QStringToAnsi(Res(IDS_NO_CATEGORY)) ? std::string() : m_data.attrs.category;
    } else {
        v.props.LineWidth = kNewLineWidth;
        v.hasButton = v.inMenu = 1;
        v.description = m_data.attrs.description;
    }
    if (!AddConStyle(*m_data.doc, v))
        return -1;
    m_barWatch.Check();
    // A new style is filled in from its first page.
    if (!copy)
        SetActivePage(0);
    return m_data.Library()->GetCount() - 1;
}

bool CCSTabSheet::RenameStyle(int index, const std::string& name)
{
    const bool ok = RenameConStyle(*m_data.doc, index, name);
    m_barWatch.Check();
    return ok;
}

bool CCSTabSheet::DeleteStyle(int index)
{
    if (!DeleteConStyle(*m_data.doc, index))
        return false;
    m_barWatch.Check();
    ClearChanges();
    return true;
}

void CCSTabSheet::NoStylesLeft(bool afterDelete)
{
    if (afterDelete)
        MsgBoxResPrintf(MB_ICONINFORMATION, IDS_ALL_DELETED);
    // The first New runs while the sheet opens: cancelling it must keep the
    // empty sheet from showing at all.
    if (!isVisible())
        CancelAtInit();
    EndDialog(IDCANCEL);
}

void CCSTabSheet::OnOK()
{
    ApplyStyles();
}

void CCSTabSheet::OnCancel()
{
    if (!m_panel->AskKeepChanges())
        return;
    CPropertySheet::OnCancel();
}
