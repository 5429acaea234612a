#include "dialogs/sheets/CConStylesSheet.h"

#include "controls/CFillPreviewWnd.h"
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

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr UINT IDS_ALL = 414, IDS_APPLY_ALL = 468, IDS_APPLY_STYLE = 469, IDS_CATEGORY_FULL = 408;
constexpr UINT IDS_NEW_NAME = 511, IDS_NOT_UNIQUE = 517, IDS_DELETE_QUESTION = 513, IDS_ALL_DELETED = 495;
constexpr UINT IDS_CLOSE = 634, IDS_NEW = 635, IDS_COPY = 636, IDS_DELETE = 637, IDS_RENAME = 638;
constexpr UINT IDS_STYLES = 639, IDS_NO_CATEGORY = 412;
constexpr int kNewLineWidth = 3;

QString Res(UINT id)
{
    std::string text;
    return AnsiToQString(LoadCStringRes(text, id));
}
} // namespace

CCSTabSheet::CCSTabSheet(QWidget* parent, CKavoDoc* doc, int style)
    : CCTabSheet(parent, doc, CConSheetData::kStyles, 646), m_preview(new CConPreviewButton(doc, m_left)),
      m_list(new QListWidget(m_left))
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

    // The style column: preview, caption, list, and the style buttons.
    SetDlgCtrlID(m_preview, kPreview);
    m_preview->setEnabled(false);
    m_preview->setFixedSize(140, 50);
    SetDlgCtrlID(m_list, kList);
    m_list->setSortingEnabled(true);
    auto* col = new QVBoxLayout(m_left);
    col->setContentsMargins(0, 0, 0, 0);
    col->addWidget(m_preview);
    auto* caption = new QLabel(Res(IDS_STYLES), m_left);
    SetDlgCtrlID(caption, kStylesLabel);
    col->addWidget(caption);
    col->addWidget(m_list, 1);
    m_left->setFixedWidth(140);
    m_left->show();
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SelectStyle(item->data(Qt::UserRole).toInt()); });

    auto* buttons = new QGridLayout;
    int at = 0;
    for (auto [id, text] : {std::pair{kNew, IDS_NEW}, {kCopy, IDS_COPY}, {kRename, IDS_RENAME},
                            {kDelete, IDS_DELETE}}) {
        auto* b = new QPushButton(Res(text), m_left);
        b->setAutoDefault(false);
        SetDlgCtrlID(b, id);
        buttons->addWidget(b, at / 2, at % 2);
        ++at;
    }
    col->addLayout(buttons);
    connect(StyleButton(kNew), &QPushButton::clicked, this, [this] { OnNew(); });
    connect(StyleButton(kCopy), &QPushButton::clicked, this, [this] { OnCopy(); });
    connect(StyleButton(kRename), &QPushButton::clicked, this, [this] { OnRename(); });
    connect(StyleButton(kDelete), &QPushButton::clicked, this, [this] { OnDelete(); });
    // OK applies and stays: it takes Apply's caption, and Cancel closes.
    HideApplyButton();
    Button(IDOK)->setText("&Apply");
    Button(IDCANCEL)->setText(Res(IDS_CLOSE));
}

QPushButton* CCSTabSheet::StyleButton(int id) const
{
    return qobject_cast<QPushButton*>(GetDlgItem(m_left, id));
}

void CCSTabSheet::OnInitDialog()
{
    CConStylesLibrary* lib = m_data.Library();
    if (!lib || !m_data.doc || (m_data.curStyle < 0 && lib->GetCount() > 0)) {
        EndDialog(IDCANCEL);
        return;
    }
    FillList();
    SelectListEntry(m_data.curStyle);
    EnableStyleButtons();
    CPropertySheet::OnInitDialog();
    ClearChanges();
    if (lib->GetCount() == 0)
        OnNew();
}

void CCSTabSheet::FillList()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    if (const CConStylesLibrary* lib = m_data.Library())
        for (int i = 0; i < lib->GetCount(); ++i) {
            auto* item = new QListWidgetItem(AnsiToQString(lib->GetAt(i)->m_strName));
            item->setData(Qt::UserRole, i);
            m_list->addItem(item);
        }
    auto* all = new QListWidgetItem(Res(IDS_ALL));
    all->setData(Qt::UserRole, kConStyleAll);
    m_list->addItem(all);
}

void CCSTabSheet::SelectListEntry(int index)
{
    const QSignalBlocker block(m_list);
    m_list->clearSelection();
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->data(Qt::UserRole).toInt() == index) {
            m_list->setCurrentRow(row);
            return;
        }
}

void CCSTabSheet::EnableStyleButtons()
{
    const bool style = m_data.curStyle != kConStyleAll && m_data.curStyle >= 0;
    for (int id : {kCopy, kRename, kDelete})
        StyleButton(id)->setEnabled(style);
}

void CCSTabSheet::UpdateApplyState()
{
    QPushButton* ok = Button(IDOK);
    const bool pending = m_data.Pending();
    if (ok && ok->isEnabled() != pending)
        ok->setEnabled(pending);
    m_preview->SetStyle(m_data.props);
}

bool CCSTabSheet::AskApplyPending()
{
    if (!m_data.Pending())
        return true;
    int answer;
    if (m_data.curStyle == kConStyleAll) {
        answer = MsgBoxResPrintf(MB_YESNOCANCEL | MB_ICONQUESTION, IDS_APPLY_ALL);
    } else {
        const CConStyle* style = m_data.CurrentStyle();
        answer = MsgBoxResPrintf(MB_YESNOCANCEL | MB_ICONQUESTION, IDS_APPLY_STYLE,
                                 style ? style->m_strName.c_str() : "");
    }
    if (answer == IDCANCEL) {
        SelectListEntry(m_data.curStyle);
        return false;
    }
    if (answer == IDYES) {
        if (!ApplyStyles()) {
            SelectListEntry(m_data.curStyle);
            return false;
        }
        return true;
    }
    ClearChanges();
    return true;
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
    ClearChanges();
    if (auto* general = dynamic_cast<CCTabGeneral*>(GetActivePage()))
        general->FillCategories();
}

bool CCSTabSheet::SelectStyle(int index)
{
    if (index == m_data.curStyle)
        return true;
    if (!AskApplyPending())
        return false;
    LoadConSheetStyle(m_data, index);
    if (!m_data.CurrentStyle())
        m_data.props.BindToStyle = 0;
    SelectListEntry(index);
    EnableStyleButtons();
    ReloadPages();
    ClearChanges();
    return true;
}

std::string CCSTabSheet::AskName(const std::string& start, bool copy, bool rename)
{
    const CConStylesLibrary* lib = m_data.Library();
    std::string name = start;
    for (;;) {
        CConStyleNameDlg dlg(this);
        dlg.m_bCopy = copy;
        dlg.m_bRename = rename;
        dlg.m_strName = name;
        if (dlg.DoModal() != IDOK)
            return std::string();
        name = dlg.m_strName;
        if (rename && name == start)
            return name;
        if (!lib || lib->FindByName(name) < 0)
            return name;
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_NOT_UNIQUE);
    }
}

bool CCSTabSheet::AddAndSelect(const ConStyleValues& values, bool showGeneral)
{
    if (!AddConStyle(*m_data.doc, values))
        return false;
    const int index = m_data.Library()->GetCount() - 1;
    FillList();
    ClearChanges();
    m_data.curStyle = -1;
    SelectStyle(index);
    if (showGeneral)
        SetActivePage(0);
    return true;
}

void CCSTabSheet::OnNew()
{
    if (!AskApplyPending())
        return;
    CConStylesLibrary* lib = m_data.Library();
    const std::string start = QStringToAnsi(Res(IDS_NEW_NAME)) + " " + std::to_string(lib->GetCount() + 1);
    const std::string name = AskName(ProposeConStyleName(start, *lib), false, false);
    if (name.empty()) {
        if (lib->GetCount() == 0)
            EndDialog(IDCANCEL);
        return;
    }
    ConStyleValues v;
    v.props.LineWidth = kNewLineWidth;
    v.name = name;
    v.hasButton = v.inMenu = 1;
    v.description = m_data.attrs.description;
    v.stampAngle = 0;
    AddAndSelect(v, true);
}

void CCSTabSheet::OnCopy()
{
    const CConStyle* style = m_data.CurrentStyle();
    if (!style || !AskApplyPending())
        return;
    const std::string name = AskName(ProposeConStyleName(style->m_strName, *m_data.Library()), true, false);
    if (name.empty())
        return;
    ConStyleValues v;
    v.props = m_data.props;
    v.name = name;
    v.hasButton = m_data.attrs.styleBarButton;
    v.inMenu = m_data.attrs.inDropMenu;
    v.category = m_data.attrs.category == QStringToAnsi(Res(IDS_NO_CATEGORY)) ? std::string() : m_data.attrs.category;
    v.stampAngle = 0;
    AddAndSelect(v, false);
}

void CCSTabSheet::OnRename()
{
    const CConStyle* style = m_data.CurrentStyle();
    if (!style)
        return;
    const std::string old = style->m_strName;
    const std::string name = AskName(old, false, true);
    if (name.empty() || name == old || !RenameConStyle(*m_data.doc, m_data.curStyle, name))
        return;
    FillList();
    SelectListEntry(m_data.curStyle);
}

void CCSTabSheet::OnDelete()
{
    const CConStyle* style = m_data.CurrentStyle();
    if (!style)
        return;
    const std::string name = style->m_strName;
    if (MsgBoxResPrintf(MB_YESNO | MB_ICONQUESTION, IDS_DELETE_QUESTION, name.c_str()) != IDYES)
        return;
    const int row = m_list->currentRow();
    if (!DeleteConStyle(*m_data.doc, m_data.curStyle)) {
        // The document kept the style: say so, not that none was chosen.
        MsgBoxPrintf(MB_ICONEXCLAMATION, "The style \"%s\" could not be deleted.", name.c_str());
        return;
    }
    ClearChanges();
    const CConStylesLibrary* lib = m_data.Library();
    if (lib->GetCount() == 0) {
        MsgBoxResPrintf(MB_ICONINFORMATION, IDS_ALL_DELETED);
        EndDialog(IDCANCEL);
        return;
    }
    FillList();
    const int keep = std::min(row, m_list->count() - 1);
    m_data.curStyle = -1;
    SelectStyle(m_list->item(keep)->data(Qt::UserRole).toInt());
}

void CCSTabSheet::OnOK()
{
    ApplyStyles();
}

void CCSTabSheet::OnCancel()
{
    if (!AskApplyPending())
        return;
    CPropertySheet::OnCancel();
}
