// The Customize sheet's Toolbars, Commands and Options pages.
#include "frame/ui/CCustomizePages.h"

#include "controls/CCheckListCtrl.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/CWrapCheckBox.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "frame/CustomizeCatalogue.h"
#include "frame/CustomizeEdits.h"
#include "frame/ToolBarButtons.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CCustomizeStyleBarLink.h"
#include "frame/ui/CIconListBoxes.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ui/DlgItems.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int IDB_BARS_PREVIEW = 312;
constexpr int kPreviewWidth = 220, kPreviewHeight = 90;
// The Options page's sentence wraps at about this many characters.
constexpr int kOptionLineChars = 48;

// The picture beside the bar list: all three bars (312), or the one chosen
// (313 standard toolbar, 314 property bar, 315 style bar), drawn from the
// bars' default buttons.
QPixmap BarPreview(int id)
{
    QPixmap pm(kPreviewWidth, kPreviewHeight);
    pm.fill(QGuiApplication::palette().color(QPalette::Button));
    QPainter p(&pm);
    auto strip = [&](std::span<const unsigned> buttons, int y) {
        int x = id == IDB_BARS_PREVIEW ? 40 : 4;
        for (unsigned command : buttons) {
            if (x + kToolBarImageCx > kPreviewWidth)
                break;
            if (command == 0) {
                x += 4;
                continue;
            }
            p.drawPixmap(x, y, ToolBarImage(CommandImageIndex(command)));
            x += kToolBarImageCx + 2;
        }
    };
    auto styleColumn = [&](int x, int width) {
        p.setPen(QGuiApplication::palette().color(QPalette::Dark));
        for (int y = id == IDB_BARS_PREVIEW ? 50 : 4; y + 16 < kPreviewHeight; y += 18)
            p.drawRect(x, y, width, 16);
    };
    if (id == IDB_BARS_PREVIEW || id == IDB_BARS_PREVIEW + 1)
        strip(DefaultStandardButtons(), 4);
    if (id == IDB_BARS_PREVIEW || id == IDB_BARS_PREVIEW + 2)
        strip(DefaultPropertyButtons(), id == IDB_BARS_PREVIEW ? 26 : 4);
    if (id == IDB_BARS_PREVIEW)
        styleColumn(4, 30);
    else if (id == IDB_BARS_PREVIEW + 3)
        styleColumn(4, 60);
    return pm;
}
} // namespace

CCustomizePage::CCustomizePage(CCustomizeSheet* sheet, const std::string& caption)
    : CPropertyPage(caption), m_sheet(sheet)
{
}

// ---- Toolbars

CCustomizeTbars::CCustomizeTbars(CCustomizeSheet* sheet) : CCustomizePage(sheet, "Toolbars") {}

void CCustomizeTbars::OnInitPage()
{
    m_list = new CCheckListCtrl(this);
    m_list->Init(IDC_CUST_BARLIST, this);
    m_list->AddItem(0, "Show standard toolbar", m_bStdBar != 0, true);
    m_list->AddItem(1, "Show property bar", m_bPropBar != 0, true);
    m_list->AddItem(2, "Show style bar", m_bStyleBar != 0, true);
    m_picture = new QLabel(this);
    SetDlgCtrlID(m_picture, IDC_CUST_PICTURE);
    m_picture->setPixmap(BarPreview(IDB_BARS_PREVIEW));
    m_reset = new QPushButton("&Reset to Default", this);
    SetDlgCtrlID(m_reset, IDC_CUST_RESET);
    m_reset->setEnabled(false);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_list, 0, 0, 2, 1);
    grid->addWidget(m_picture, 0, 1);
    grid->addWidget(m_reset, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelChanged(); });
    connect(m_reset, &QPushButton::clicked, this, [this] { ResetSelected(); });
}

void CCustomizeTbars::OnSelChanged()
{
    const int row = m_list->currentRow();
    m_reset->setEnabled(row >= 0);
    if (row >= 0)
        m_picture->setPixmap(BarPreview(IDB_BARS_PREVIEW + 1 + row));
}

bool CCustomizeTbars::event(QEvent* event)
{
    if (event->type() == CDlgCommandEvent::EventType()) {
        const auto* command = static_cast<CDlgCommandEvent*>(event);
        if (command->ControlId() == IDC_CUST_BARLIST && command->Code() == CCheckListCtrl::kNotifyToggled)
            OnChecksChanged();
        return true;
    }
    return CCustomizePage::event(event);
}

// A ticked or cleared box shows or hides its bar at once.
void CCustomizeTbars::OnChecksChanged()
{
    m_bStdBar = m_list->GetCheck(0);
    m_bPropBar = m_list->GetCheck(1);
    m_bStyleBar = m_list->GetCheck(2);
    const int toggled = m_list->GetLastToggled();
    if (toggled >= 0) {
        m_list->setCurrentRow(toggled);
        m_list->setFocus();
    }
    CMainFrame* frame = m_sheet->Frame();
    if (!frame)
        return;
    if ((m_bStdBar != 0) != (ShowStdToolBar != 0))
        frame->Commands().Execute(32826);
    if ((m_bPropBar != 0) != (ShowPropertyBar != 0))
        frame->Commands().Execute(32824);
    if ((m_bStyleBar != 0) != (CollapsedStyleBar == 0))
        frame->Commands().Execute(32825);
    for (CCustomizePage* page : m_sheet->findChildren<CCustomizePage*>())
        page->Refresh();
}

void CCustomizeTbars::ResetSelected()
{
    CMainFrame* frame = m_sheet->Frame();
    const int row = m_list ? m_list->currentRow() : -1;
    if (!frame || row < 0)
        return;
    auto resetBar = [&](CCustomToolBar* bar, int& shown, int toggle, std::span<const unsigned> defaults) {
        if (!shown)
            frame->Commands().Execute(toggle);
        if (!bar)
            return;
        bar->EditButtons().Setup(defaults.data(), int(defaults.size()), IDB_TOOLBAR_STRIP, ToolBarImageTable(),
                                 kToolBarButtonCx, kToolBarButtonCy, kToolBarImageCx, kToolBarImageCy);
        bar->Rebuild();
    };
    if (row == 0)
        resetBar(frame->StdToolBar(), ShowStdToolBar, 32826, DefaultStandardButtons());
    else if (row == 1)
        resetBar(frame->PropertyBar(), ShowPropertyBar, 32824, DefaultPropertyButtons());
    else if (row == 2) {
        bool changed = !ShowStyleBarCombos;
        if (CollapsedStyleBar)
            frame->Commands().Execute(32825);
        ShowStyleBarCombos = 1;
        CKavoDoc* doc = m_sheet->ActiveDocument();
        if (doc && RestoreStyleBar(*doc)) {
            changed = true;
            if (CustStyleBar(frame))
                CustApplyStyleBarWidth(frame, doc->m_nSBarWidth);
        }
        if (changed)
            CustRebuildStyleBar(frame);
    }
    m_list->SetCheck(0, ShowStdToolBar != 0);
    m_list->SetCheck(1, ShowPropertyBar != 0);
    m_list->SetCheck(2, CollapsedStyleBar == 0);
}

// ---- Commands

CCustomizeCmds::CCustomizeCmds(CCustomizeSheet* sheet) : CCustomizePage(sheet, "Commands") {}

void CCustomizeCmds::OnInitPage()
{
    m_categories = new QListWidget(this);
    SetDlgCtrlID(m_categories, IDC_CUST_CATEGORIES);
    m_commands = new CCmdIconListBox(this);
    SetDlgCtrlID(m_commands, IDC_CUST_COMMANDS);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Categories:", this), 0, 0);
    grid->addWidget(new QLabel("Commands:", this), 0, 1);
    grid->addWidget(m_categories, 1, 0);
    grid->addWidget(m_commands, 1, 1);
    grid->setColumnStretch(1, 2);
    for (int category : CollectCommandCategories()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(CommandCategoryName(category)), m_categories);
        item->setData(Qt::UserRole, category);
    }
    connect(m_categories, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem* item = m_categories->item(row))
            m_commands->Build(item->data(Qt::UserRole).toInt());
    });
    m_categories->setCurrentRow(0);
    connect(m_commands, &CIconListBox::leftPressed, m_sheet, &CCustomizeSheet::OnLButtonDown);
}

// ---- Options

CCustomizeOptions::CCustomizeOptions(CCustomizeSheet* sheet) : CCustomizePage(sheet, "Options") {}

void CCustomizeOptions::OnInitPage()
{
    // The long sentence wraps: the sheet keeps the width of its other pages.
    m_check = new CWrapCheckBox("&Add style selection controls to right of Collapse/Expand Style Bar button when "
                                "style bar is not visible.",
                                kOptionLineChars, this);
    SetDlgCtrlID(m_check, IDC_CUST_AUTOSTYLES);
    m_check->setChecked(m_bAutoStyles != 0);
    auto* col = new QVBoxLayout(this);
    col->addWidget(m_check);
    col->addStretch();
    // Takes effect the next time the style bar collapses or expands.
    connect(m_check, &QCheckBox::clicked, this, [this](bool on) {
        m_bAutoStyles = on ? 1 : 0;
        AutoStyleButtons = m_bAutoStyles;
    });
}
