// The Customize sheet's Style Bar page (columns, button heights, drop-down
// lists of the style bar's rows) and Styles page (the document's styles by
// kind and category, to be dragged onto the style bar).
#include "frame/ui/CCustomizePages.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/CNumEdit.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "frame/CustomizeEdits.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CCustomizeStyleBarLink.h"
#include "frame/ui/CIconListBoxes.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"
#include "shapes/StyleCategoryList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kMinColumns = 1, kMaxColumns = 10, kMinHeight = 12, kMaxHeight = 100;
constexpr int kCategoryRole = Qt::UserRole + 1;

// The style bar can be customized only while it shows a document.
bool StyleBarEditable(const CCustomizeSheet* sheet)
{
    return CollapsedStyleBar == 0 && sheet->ActiveDocument() != nullptr;
}
} // namespace

// ---- Style Bar

CCustomizeSbar::CCustomizeSbar(CCustomizeSheet* sheet) : CCustomizePage(sheet, "Style Bar")
{
    m_layouts[0].PresetLabelButtons();
    m_layouts[1].PresetFigureButtons();
    m_layouts[2].PresetConnectorButtons();
}

void CCustomizeSbar::OnInitPage()
{
    auto* grid = new QGridLayout(this);
    const char* rows[3] = {"Labels:", "Figures:", "Connectors:"};
    grid->addWidget(new QLabel("Button columns", this), 0, 1);
    grid->addWidget(new QLabel("Button height", this), 0, 2);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(rows[i], this), i + 1, 0);
        CNumEditSpec columns, height;
        columns.SetInt(this, kMinColumns, kMaxColumns, &m_layouts[i].Columns, IDS_SBAR_COLUMNS_RANGE, true);
        height.SetInt(this, kMinHeight, kMaxHeight, &m_layouts[i].BtnHeight, IDS_SBAR_HEIGHT_RANGE, true);
        const CNumEditSpec* specs[2] = {&columns, &height};
        for (int k = 0; k < 2; ++k) {
            CNumEdit*& field = m_fields[k * 3 + i];
            field = new CNumEdit(this);
            SetDlgCtrlID(field, (k == 0 ? IDC_SBAR_LBL_COLS : IDC_SBAR_LBL_HEIGHT) + i);
            field->Configure(specs[k]);
            field->Load();
            grid->addWidget(field, i + 1, k + 1);
        }
    }
    m_combos = new QCheckBox("&Drop down lists", this);
    SetDlgCtrlID(m_combos, IDC_CUST_COMBOS);
    m_combos->setChecked(m_bCombos != 0);
    grid->addWidget(m_combos, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    connect(m_combos, &QCheckBox::clicked, this, [this](bool on) {
        m_bCombos = on ? 1 : 0;
        ShowStyleBarCombos = m_bCombos;
        CustRebuildStyleBar(m_sheet->Frame());
    });
    Refresh();
}

void CCustomizeSbar::Refresh()
{
    const bool on = StyleBarEditable(m_sheet);
    for (QWidget* child : findChildren<QWidget*>())
        child->setEnabled(on);
}

bool CCustomizeSbar::event(QEvent* event)
{
    if (event->type() == CDlgCommandEvent::EventType()) {
        if (static_cast<CDlgCommandEvent*>(event)->Code() == kNumEditCommitted)
            ApplyLayouts(-1);
        return true;
    }
    return CCustomizePage::event(event);
}

void CCustomizeSbar::ApplyLayouts(int width)
{
    CKavoDoc* doc = m_sheet->ActiveDocument();
    if (!doc)
        return;
    // The page holds only sizes: the entries are the document's, which
    // drags on the style bar may have changed since the sheet opened.
    CStyleMenuLayout applied[3];
    const CStyleMenuLayout* layouts[3];
    const auto current = StyleBarLayouts(*doc);
    for (int i = 0; i < 3; ++i) {
        applied[i] = *current[size_t(i)];
        // A row not laid out yet is the document's to lay out first.
        if (applied[i].IsDefined()) {
            applied[i].Columns = m_layouts[i].Columns;
            applied[i].BtnHeight = m_layouts[i].BtnHeight;
        }
        layouts[i] = &applied[i];
    }
    if (!ApplyStyleBarLayouts(*doc, layouts, width))
        return;
    if (CustStyleBar(m_sheet->Frame())) {
        CustApplyStyleBarWidth(m_sheet->Frame(), doc->m_nSBarWidth);
        CustRebuildStyleBar(m_sheet->Frame());
    }
}

// ---- Styles

CCustomizeStyles::CCustomizeStyles(CCustomizeSheet* sheet) : CCustomizePage(sheet, "Styles") {}

void CCustomizeStyles::OnInitPage()
{
    m_tree = new QTreeWidget(this);
    SetDlgCtrlID(m_tree, IDC_CUST_STYLETREE);
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(0);
    m_styles = new CStyleIconListBox(this);
    SetDlgCtrlID(m_styles, IDC_CUST_STYLES);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_tree, 0, 0);
    grid->addWidget(m_styles, 0, 1);
    grid->setColumnStretch(1, 2);
    BuildCatTree();
    m_styles->SetDocument(m_sheet->ActiveDocument());
    m_styles->Build(kStyleKindFigures, nullptr);
    if (m_tree->topLevelItemCount() > 1)
        m_tree->setCurrentItem(m_tree->topLevelItem(1));
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { OnTreeSelection(); });
    connect(m_styles, &CIconListBox::leftPressed, m_sheet, &CCustomizeSheet::OnLButtonDown);
    Refresh();
}

void CCustomizeStyles::BuildCatTree()
{
    DiagPrintf("CUSTDLG  CCustomizeStyles::BuildCatTree() Enter\n");
    m_tree->clear();
    if (CKavoDoc* doc = m_sheet->ActiveDocument()) {
        struct Root {
            const char* name;
            int kind;
        } roots[3] = {{"Labels", kStyleKindLabels}, {"Figures", kStyleKindFigures}, {"Connectors", kStyleKindConnectors}};
        for (const Root& r : roots) {
            auto* root = new QTreeWidgetItem(m_tree, QStringList(r.name));
            root->setData(0, Qt::UserRole, r.kind);
            StyleCategoryList cats;
            if (r.kind == kStyleKindConnectors)
                doc->m_conStyles.BuildCategories(cats, 0);
            else
                doc->m_figStyles.BuildCategories(cats, r.kind == kStyleKindLabels ? 1 : 0);
            // A single category adds nothing to its kind.
            for (int c = 0; cats.m_nCount > 1 && c < cats.m_nCount; ++c) {
                const std::string& name = cats.m_cat[c].m_strName;
                auto* child = new QTreeWidgetItem(root, QStringList(AnsiToQString(name)));
                child->setData(0, Qt::UserRole, r.kind);
                child->setData(0, kCategoryRole, QByteArray::fromStdString(name));
            }
            root->setExpanded(true);
        }
    }
    DiagPrintf("CUSTDLG  CCustomizeStyles::BuildCatTree() Exit\n");
}

void CCustomizeStyles::OnTreeSelection()
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;
    const int kind = item->data(0, Qt::UserRole).toInt();
    if (!item->parent()) {
        m_styles->Build(kind, nullptr);
        return;
    }
    const std::string category = item->data(0, kCategoryRole).toByteArray().toStdString();
    DiagPrintf("CUSTDLG  calling m_listStyles.Build(%d, %s)\n", kind, category.c_str());
    m_styles->Build(kind, &category);
}

void CCustomizeStyles::Refresh()
{
    if (!m_tree)
        return;
    const bool on = StyleBarEditable(m_sheet);
    m_tree->setEnabled(on);
    m_styles->setEnabled(on);
}
