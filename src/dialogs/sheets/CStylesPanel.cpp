#include "dialogs/sheets/CStylesPanel.h"

#include "controls/CRightClickListBox.h"
#include "controls/DlgControls.h"
#include "core/MsgBox.h"
#include "dialogs/sheets/StyleNames.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/ui/DlgItems.h"

#include <algorithm>
#include <iterator>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr UINT IDS_ALL = 414, IDS_APPLY_ALL = 468, IDS_APPLY_STYLE = 469;
constexpr UINT IDS_SURE_DELETE = 513, IDS_UNIQUE_NAME = 517;
constexpr int kButtonIds[] = {IDC_STYLE_NEW, IDC_STYLE_COPY, IDC_STYLE_RENAME, IDC_STYLE_DELETE};
constexpr UINT kButtonTexts[] = {635, 636, 638, 637};
// The panel's measures in dialog units, which follow the sheet's font.
constexpr int kPreviewWDlu = 82, kPickerHDlu = 11, kPickerGapDlu = 2;

std::string Res(UINT id)
{
    const char* s = FindResString(id);
    return s ? s : "";
}
} // namespace

CStylesPanel::CStylesPanel(IStylesPanelHost* host, QWidget* parent)
    : QWidget(parent), m_host(host), m_list(new CRightClickListBox(this)), m_column(new QVBoxLayout(this))
{
    // The preview and the picker go above the list as the host gives them.
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(0);
    m_column->addWidget(m_list, 1);
    SetDlgCtrlID(m_list, IDC_STYLE_LIST);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnListChanged(); });
    connect(m_list, &CMenuListBox::commandSent, this, [this](int command) {
        if (command == IDC_STYLE_COPY)
            OnCopy();
        else if (command == IDC_STYLE_RENAME)
            OnRename();
        else if (command == IDC_STYLE_DELETE)
            OnDelete();
    });
}

QWidget* CStylesPanel::CreateButtons()
{
    // New, Copy, Rename and Delete in this order from the left of the sheet's
    // button row, each as wide as its caption needs.
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < std::size(kButtonIds); ++i) {
        auto* b = new QPushButton(AnsiToQString(Res(kButtonTexts[i])), row);
        SetDlgCtrlID(b, kButtonIds[i]);
        b->setAutoDefault(false);
        line->addWidget(b);
        m_buttons.push_back(b);
    }
    connect(m_buttons[0], &QPushButton::clicked, this, [this] { OnNew(); });
    connect(m_buttons[1], &QPushButton::clicked, this, [this] { OnCopy(); });
    connect(m_buttons[2], &QPushButton::clicked, this, [this] { OnRename(); });
    connect(m_buttons[3], &QPushButton::clicked, this, [this] { OnDelete(); });
    UpdateButtons();
    return row;
}

QPushButton* CStylesPanel::Button(int id) const
{
    for (QPushButton* b : m_buttons)
        if (GetDlgCtrlID(b) == id)
            return b;
    return nullptr;
}

void CStylesPanel::SetPreview(QWidget* preview, int heightDlu)
{
    preview->setParent(this);
    preview->setFixedHeight(DlgUnitsToPixelsY(this, heightDlu));
    m_column->insertWidget(0, preview);
    m_column->insertSpacing(1, DlgUnitsToPixelsY(this, kPickerGapDlu));
}

void CStylesPanel::SetPicker(QWidget* picker)
{
    picker->setParent(this);
    SetDlgCtrlID(picker, IDC_STYLE_PICKER);
    picker->setFixedHeight(DlgUnitsToPixelsY(this, kPickerHDlu));
    m_column->insertWidget(m_column->indexOf(m_list), picker);
}

int CStylesPanel::PanelWidth() const
{
    return DlgUnitsToPixelsX(this, kPreviewWDlu);
}

void CStylesPanel::Refill()
{
    m_filling = true;
    m_list->clear();
    for (const StyleListEntry& e : m_host->StyleEntries()) {
        auto* item = new QListWidgetItem(AnsiToQString(e.name), m_list);
        item->setData(Qt::UserRole, e.index);
    }
    if (m_host->OffersAll()) {
        auto* item = new QListWidgetItem(AnsiToQString(Res(IDS_ALL)), m_list);
        item->setData(Qt::UserRole, kStylesPanelAll);
    }
    SelectRowOf(m_host->ShownStyle());
    m_filling = false;
    UpdateButtons();
}

void CStylesPanel::SelectRowOf(int index)
{
    const bool was = m_filling;
    m_filling = true;
    int row = -1;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->data(Qt::UserRole).toInt() == index)
            row = i;
    m_list->setCurrentRow(row);
    m_filling = was;
}

void CStylesPanel::UpdateButtons()
{
    const bool real = m_host->ShownStyle() >= 0;
    for (int id : {IDC_STYLE_COPY, IDC_STYLE_RENAME, IDC_STYLE_DELETE})
        if (QPushButton* b = Button(id))
            b->setEnabled(real);
}

void CStylesPanel::OnListChanged()
{
    if (m_filling)
        return;
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    if (!SelectStyle(item->data(Qt::UserRole).toInt()))
        SelectRowOf(m_host->ShownStyle());
}

bool CStylesPanel::SelectStyle(int index)
{
    if (index == m_host->ShownStyle())
        return true;
    // The question may drop an entry and renumber the others: the choice is
    // found again by its name.
    const std::string name = NameOf(index);
    if (!AskKeepChanges())
        return false;
    if (index != kStylesPanelAll) {
        index = -1;
        for (const StyleListEntry& e : m_host->StyleEntries())
            if (e.name == name)
                index = e.index;
        if (index < 0)
            return false;
    }
    m_host->ShowStyle(index);
    SelectRowOf(m_host->ShownStyle());
    UpdateButtons();
    return true;
}

bool CStylesPanel::AskKeepChanges()
{
    if (!m_host->HasPendingChanges())
        return true;
    const int shown = m_host->ShownStyle();
    const std::string name = NameOf(shown);
    const int answer = shown == kStylesPanelAll ? MsgBoxResTexts(MB_YESNOCANCEL | MB_ICONQUESTION, IDS_APPLY_ALL, {})
                                                : MsgBoxResTexts(MB_YESNOCANCEL | MB_ICONQUESTION, IDS_APPLY_STYLE, {name});
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        return m_host->CommitPending();
    m_host->DiscardPending(WasMadeByNew(name));
    Refill();
    return true;
}

std::string CStylesPanel::NameOf(int index) const
{
    for (const StyleListEntry& e : m_host->StyleEntries())
        if (e.index == index)
            return e.name;
    return {};
}

bool CStylesPanel::NameExists(const std::string& name) const
{
    for (const StyleListEntry& e : m_host->StyleEntries())
        if (e.name == name)
            return true;
    return false;
}

bool CStylesPanel::AskUniqueName(std::string& name, StyleNameMode mode, const std::string& unchanged)
{
    for (;;) {
        if (!m_host->AskStyleName(name, mode))
            return false;
        if (mode == StyleNameMode::Rename && name == unchanged)
            return false;
        if (!NameExists(name))
            return true;
        MsgBoxResTexts(MB_ICONEXCLAMATION, IDS_UNIQUE_NAME, {});
    }
}

void CStylesPanel::OnNew()
{
    if (!AskKeepChanges())
        return;
    const size_t count = m_host->StyleEntries().size();
    std::string name = ProposeUniqueStyleName(m_host->NewNameBase() + " " + std::to_string(count + 1),
                                              [this](const std::string& n) { return NameExists(n); });
    if (!AskUniqueName(name, StyleNameMode::New, {})) {
        if (m_host->StyleEntries().empty())
            m_host->NoStylesLeft(false);
        return;
    }
    const int index = m_host->AddStyle(name, false);
    if (index < 0)
        return;
    m_madeByNew.insert(name);
    m_host->ShowStyle(index);
    Refill();
}

void CStylesPanel::OnCopy()
{
    const int shown = m_host->ShownStyle();
    if (shown < 0 || !AskKeepChanges())
        return;
    const std::string current = NameOf(shown);
    // The current name exists, so the proposal counts its number up.
    std::string name = ProposeUniqueStyleName(current, [this](const std::string& n) { return NameExists(n); });
    if (!AskUniqueName(name, StyleNameMode::Copy, {}))
        return;
    const int index = m_host->AddStyle(name, true);
    if (index < 0)
        return;
    m_host->ShowStyle(index);
    Refill();
}

void CStylesPanel::OnRename()
{
    const int shown = m_host->ShownStyle();
    if (shown < 0)
        return;
    const std::string current = NameOf(shown);
    std::string name = current;
    if (!AskUniqueName(name, StyleNameMode::Rename, current) || !m_host->RenameStyle(shown, name))
        return;
    if (m_madeByNew.erase(current))
        m_madeByNew.insert(name);
    Refill();
}

void CStylesPanel::OnDelete()
{
    const int shown = m_host->ShownStyle();
    if (shown < 0)
        return;
    const std::string current = NameOf(shown);
    if (MsgBoxResTexts(MB_YESNO | MB_ICONQUESTION, IDS_SURE_DELETE, {current}) != IDYES)
        return;
    const int row = m_list->currentRow();
    if (!m_host->DeleteStyle(shown)) {
        MsgBoxResTexts(MB_ICONEXCLAMATION, m_host->DeleteRefusedText(), {});
        return;
    }
    m_madeByNew.erase(current);
    const std::vector<StyleListEntry> left = m_host->StyleEntries();
    if (left.empty()) {
        m_host->NoStylesLeft(true);
        return;
    }
    // The line at the old position, or the last real one.
    m_host->ShowStyle(left[std::min<size_t>(size_t(std::max(row, 0)), left.size() - 1)].index);
    Refill();
}
