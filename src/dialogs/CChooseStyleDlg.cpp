#include "dialogs/CChooseStyleDlg.h"

#include "controls/WindowHelpers.h"
#include "controls/CStylePickList.h"
#include "core/HelpRequest.h"
#include "core/StringHelpers.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "graphics/DrawHelpers.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "shapes/StyleCategoryList.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace {

constexpr int kComboVisibleItems = 16;
constexpr int kListRows = 7;

struct VariantInfo {
    int caption, editCmd, help;
};

VariantInfo InfoOf(StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return {650, 33121, 304};
    case StylePickKind::Figure: return {648, 33055, 302};
    case StylePickKind::Connector: break;
    }
    return {649, 33065, 303};
}

// The categories of the kind's styles in byte order, without the name that
// stands for none; no limit on their number, unlike the menus.
std::set<std::string> KindCategories(CKavoDoc& doc, StylePickKind kind)
{
    std::set<std::string> names;
    const StyleLibRef lib = KindLibrary(doc, kind);
    const std::string none = NoCategoryName();
    for (int i = 0; i < lib.Count(); ++i)
        if (const CStyle* s = KindStyleAt(&doc, kind, i); s && !s->Category.empty() && s->Category != none)
            names.insert(s->Category);
    return names;
}

} // namespace

CChooseStyleDlg::CChooseStyleDlg(StylePickKind kind, int selected, int x, int y, const std::string& category,
                                 QWidget* parent)
    : CDialog(parent),
      m_x(x),
      m_y(y),
      m_nSelected(selected),
      m_nEditCmd(InfoOf(kind).editCmd),
      m_nCaptionId(InfoOf(kind).caption),
      m_nHelpId(InfoOf(kind).help),
      m_bShowCategory(kind != StylePickKind::Label),
      m_strCategory(category),
      m_kind(kind),
      m_list(new CStylePickList(kind, this)),
      m_combo(new QComboBox(this)),
      m_comboLabel(new QLabel("&Category:", this)),
      m_edit(new QPushButton("&Edit / Add / Remove Styles", this))
{
    if (m_strCategory.empty() || m_strCategory == NoCategoryName())
        m_strCategory = kStylesWithoutCategory;
    SetDlgCtrlID(m_list, kListId);
    SetDlgCtrlID(m_combo, kCategoryComboId);
    SetDlgCtrlID(m_comboLabel, kCategoryLabelId);
    SetDlgCtrlID(m_edit, kEditButtonId);
    m_comboLabel->setBuddy(m_combo);
    m_combo->setMaxVisibleItems(kComboVisibleItems);
    // The list shows whole rows only, so that a row is hit where it is drawn.
    m_list->setFixedHeight(m_list->IntegralClientHeight(kListRows * m_list->ItemHeight()) + 2 * m_list->frameWidth());
    m_list->setMinimumWidth(380);

    auto* top = new QHBoxLayout;
    top->addWidget(m_comboLabel);
    top->addWidget(m_combo, 1);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_edit);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* col = new QVBoxLayout(this);
    col->addLayout(top);
    col->addWidget(m_list, 1);
    col->addLayout(bottom);

    connect(m_edit, &QPushButton::clicked, this, &CChooseStyleDlg::OnEdit);
    connect(m_list, &CStylePickList::chosen, this, [this] { OnOK(); });
    OrderTabsByLayout(this);
}

void CChooseStyleDlg::OnInitDialog()
{
    std::string caption;
    setWindowTitle(AnsiToQString(LoadCStringRes(caption, UINT(m_nCaptionId))));
    FitToContents();
    CRect rc(m_x, m_y, m_x + width(), m_y + height());
    KeepRectInMainWnd(rc);
    move(rc.left, rc.top);
    if (!m_pDoc)
        m_pDoc = GetActiveKavoDoc();
    m_list->SetDocument(m_pDoc);
    // Data exchange: the Edit button by its flag, the filter by the kind.
    m_edit->setEnabled(m_bEditEnabled != 0);
    m_combo->setVisible(m_bShowCategory != 0);
    m_comboLabel->setVisible(m_bShowCategory != 0);
    if (m_bShowCategory)
        FillCategoryCombo();
    m_list->Fill(m_strCategory);
    m_nItems = m_list->GetCount();
    m_list->SetCurSel(m_list->FindStyle(m_nSelected));
    if (m_memory.topIndex >= 0 && m_memory.doc == m_pDoc && m_memory.category == ListKey())
        m_list->SetTopIndex(m_memory.topIndex);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &CChooseStyleDlg::OnCategoryChange);
    m_list->setFocus();
}

void CChooseStyleDlg::FillCategoryCombo()
{
    m_combo->clear();
    if (m_pDoc)
        for (const std::string& name : KindCategories(*m_pDoc, m_kind))
            m_combo->addItem(AnsiToQString(name));
    m_combo->addItem(kAllCategories);
    m_combo->addItem(kStylesWithoutCategory);
    int current = m_combo->findText(AnsiToQString(m_strCategory), Qt::MatchExactly);
    // A category the library no longer has would list nothing: all styles instead.
    if (current < 0) {
        m_strCategory = kAllCategories;
        current = m_combo->findText(kAllCategories, Qt::MatchExactly);
    }
    m_combo->setCurrentIndex(current);
}

void CChooseStyleDlg::ApplyChanges()
{
    bool barChanged = false;
    if (m_list->ApplyChanges(barChanged))
        m_bChanged = 1;
    if (barChanged)
        m_bBarChanged = 1;
}

void CChooseStyleDlg::OnCategoryChange(int index)
{
    if (index < 0)
        return;
    m_strCategory = QStringToAnsi(m_combo->itemText(index));
    ApplyChanges();
    const int selected = m_list->Item(m_list->GetCurSel()) ? m_list->Item(m_list->GetCurSel())->style : m_nSelected;
    m_list->Fill(m_strCategory);
    m_nItems = m_list->GetCount();
    m_list->SetCurSel(m_list->FindStyle(selected));
}

void CChooseStyleDlg::OnOK()
{
    ApplyChanges();
    if (const StylePickItem* item = m_list->Item(m_list->GetCurSel()))
        m_nSelected = item->style;
    m_memory = ChooseStyleMemory{m_list->GetTopIndex(), m_pDoc, ListKey()};
    CDialog::OnOK();
}

void CChooseStyleDlg::OnEdit()
{
    if (GetActiveKavoView() && GetTextEntrySeams().sendCommand) {
        // Posted: the style sheet opens once this dialog has gone.
        QTimer::singleShot(0, [send = GetTextEntrySeams().sendCommand, id = m_nEditCmd] { send(id); });
    }
    OnOK();
}

void CChooseStyleDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        ShowContextHelp(uint32_t(m_nHelpId));
        return;
    }
    CDialog::keyPressEvent(event);
}

ChooseStyleMemory& RememberedStyleChoice(StylePickKind kind)
{
    static ChooseStyleMemory memories[3];
    return memories[int(kind)];
}

bool RunChooseStyleDlg(StyleChoiceRequest& request)
{
    CChooseStyleDlg dlg(request.kind, request.selected, request.at.x(), request.at.y(), request.category);
    dlg.SetDocument(request.doc);
    dlg.m_memory = RememberedStyleChoice(request.kind);
    if (dlg.DoModal() != IDOK)
        return false;
    RememberedStyleChoice(request.kind) = dlg.m_memory;
    request.selected = dlg.m_nSelected;
    request.rebuildBar = dlg.m_bBarChanged != 0;
    return true;
}
