#include "dialogs/symbols/SymbolGalleryDlg.h"

#include "controls/WindowHelpers.h"
#include "platform/Prompt.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/CRightClickListBox.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "document/DocCommandSeams.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolFiles.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
// Cells of about the size the galleries were laid out for.
constexpr int kCellSize = 84;
// The narrowest category list; a list of longer names grows to show them whole.
constexpr int kListWidth = 150;

// The program-wide file sets and the last category of each gallery.
struct GalleryState {
    SymbolFileList figureFiles{false};
    SymbolFileList endFiles{true};
    int figureCategory = 0;
    int endCategory = 0;
    // The line ends the built-in end-symbol file copies.
    ShapeLibrary lineEnds;
};

GalleryState& State()
{
    static GalleryState state;
    return state;
}
} // namespace

CSymbolGalleryDlg::CSymbolGalleryDlg(SymbolFileList& files, const char* extension, int& remembered,
                                     const Layout& layout, QWidget* parent)
    : CDialog(parent), m_files(files), m_extension(extension), m_nRemembered(remembered), m_layout(layout)
{
    setWindowTitle(tr(layout.title));
    InstallContextHelp(this, layout.helpTopic);
}

void CSymbolGalleryDlg::Build(CSymbolGalleryGrid* grid, QWidget* extra)
{
    m_pGrid = grid;
    m_pList = new CGalleryListBox(this);
    SetDlgCtrlID(m_pList, kCategoryListId);
    m_pList->setFixedWidth(kListWidth);
    grid->Create(QRect(0, 0, kCellSize * m_layout.columns + grid->verticalScrollBar()->sizeHint().width() + 4,
                       kCellSize * m_layout.rows + 4),
                 this, m_layout.gridId);
    grid->setFixedSize(grid->size());
    m_pName = new QLabel(this);
    SetDlgCtrlID(m_pName, m_layout.nameId);
    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(QDialogButtonBox::Ok);
    BindButton(m_pOk, IDOK);
    BindButton(buttons->addButton(QDialogButtonBox::Cancel), IDCANCEL);
    buttons->addButton(MakeHelpButton(buttons, m_layout.helpTopic), QDialogButtonBox::HelpRole);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pList, 0, 0, 3, 1);
    layout->addWidget(grid, 0, 1);
    layout->addWidget(m_pName, 1, 1);
    if (extra)
        layout->addWidget(extra, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    // Another category starts without a selected symbol.
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_pGrid->SetSel(-1);
        SelectCategory(row);
    });
    connect(m_pList, &CMenuListBox::commandSent, this, [this](int command) {
        if (command == kRefreshCommand)
            OnRefresh();
    });
    OrderTabsByLayout(this);
}

int CSymbolGalleryDlg::GetCategory() const
{
    return m_pList->currentRow();
}

int CSymbolGalleryDlg::GetSel() const
{
    return m_pGrid->GetSel();
}

void CSymbolGalleryDlg::OnInitDialog()
{
    LoadFileSet();
    FillCategories();
    int row = -1, sel = -1;
    std::string title;
    const int found = m_strStartName.empty() ? -1 : m_files.FindSymbol(m_strStartName, title);
    if (found >= 0)
        for (size_t r = 0; r < m_fileOfRow.size(); ++r)
            if (m_files.GetAt(m_fileOfRow[r])->GetName() == title) {
                row = int(r);
                sel = found;
                break;
            }
    if (row < 0)
        row = m_nRemembered < int(m_fileOfRow.size()) ? m_nRemembered : 0;
    {
        const QSignalBlocker quiet(m_pList);
        m_pList->setCurrentRow(row);
    }
    SelectCategory(row);
    m_pGrid->SetSel(sel);
    m_pGrid->SetGrid(m_layout.columns, m_layout.rows, m_pFile ? m_pFile->GetCount() : 0);
    ShowSelectedName();
    CenterWindow();
}

void CSymbolGalleryDlg::FillCategories()
{
    m_fileOfRow.clear();
    std::vector<std::string> listed;
    for (int i = 0; i < m_files.GetCount(); ++i) {
        const std::string& name = m_files.GetAt(i)->GetName();
        if (std::find(listed.begin(), listed.end(), name) != listed.end())
            continue;
        listed.push_back(name);
        m_fileOfRow.push_back(i);
        m_pList->addItem(AnsiToQString(name));
    }
    FitListToNames();
}

void CSymbolGalleryDlg::FitListToNames()
{
    const QFontMetrics metrics(m_pList->font());
    int widest = 0;
    for (int i = 0; i < m_pList->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(m_pList->item(i)->text()));
    // An item draws its text inside a margin on each side; the frame and the
    // scroll bar a longer list shows take their room beside the items.
    const int margin = m_pList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_pList) + 1;
    const int width = widest + 2 * margin + 2 * m_pList->frameWidth() + m_pList->verticalScrollBar()->sizeHint().width();
    m_pList->setFixedWidth(std::max(kListWidth, width));
}

void CSymbolGalleryDlg::SelectCategory(int row)
{
    m_pFile = row >= 0 && row < int(m_fileOfRow.size()) ? m_files.GetAt(m_fileOfRow[size_t(row)]) : nullptr;
    if (m_pFile && m_pFile->GetCount() == 0)
        m_pFile->Load(false, m_extension);
    ShowFile(m_pFile);
    m_pGrid->SetGrid(m_layout.columns, m_layout.rows, m_pFile ? m_pFile->GetCount() : 0);
    if (row >= 0)
        m_nRemembered = row;
    ShowSelectedName();
}

void CSymbolGalleryDlg::ShowSelectedName()
{
    m_pName->setText(AnsiToQString(NameAt(m_pGrid->GetSel())));
    // Nothing to pick (no cell chosen, an empty or missing library): OK
    // would insert nothing, so it waits for a choice.
    m_pOk->setEnabled(m_pGrid->GetSel() >= 0);
}

void CSymbolGalleryDlg::OnRefresh()
{
    if (!m_pFile)
        return;
    const std::string name = NameAt(m_pGrid->GetSel());
    m_pFile->Load(true, m_extension);
    int sel = m_pFile->FindByName(name);
    if (sel < 0 && m_pFile->GetCount() > 0)
        sel = 0;
    ShowFile(m_pFile);
    m_pGrid->SetSel(sel);
    m_pGrid->SetGrid(m_layout.columns, m_layout.rows, m_pFile->GetCount());
    m_pGrid->viewport()->update();
    ShowSelectedName();
}

bool CSymbolGalleryDlg::event(QEvent* event)
{
    if (event->type() != CDlgCommandEvent::EventType())
        return CDialog::event(event);
    const auto* command = static_cast<CDlgCommandEvent*>(event);
    if (command->ControlId() == m_layout.gridId) {
        if (command->Code() == CScrollGridWnd::kNotifySelChange)
            ShowSelectedName();
        else if (command->Code() == CScrollGridWnd::kNotifyDoubleClick && m_pGrid->GetSel() >= 0)
            OnOK();
    }
    return true;
}

// ---- figure symbols

CFigureSymbolGalleryDlg::CFigureSymbolGalleryDlg(QWidget* parent)
    : CSymbolGalleryDlg(State().figureFiles, kFigureSymbolFileExt, State().figureCategory,
                        {"Figure Symbol Gallery", kGridId, kNameId, 4, 3, kHelpTopic}, parent)
{
    m_pFigGrid = new CFigureSymbolGrid(this);
    m_pShowText = new QCheckBox(tr("Show &text areas"), this);
    SetDlgCtrlID(m_pShowText, kShowTextId);
    connect(m_pShowText, &QCheckBox::toggled, this, [this](bool on) {
        m_pFigGrid->SetShowTextAreas(on);
        m_pFigGrid->viewport()->update();
    });
    Build(m_pFigGrid, m_pShowText);
}

void CFigureSymbolGalleryDlg::LoadFileSet()
{
    State().figureFiles.Scan(false, kFigureSymbolFileExt);
}

void CFigureSymbolGalleryDlg::ShowFile(SymbolFile* file)
{
    m_pFigGrid->SetFile(static_cast<FigureSymbolFile*>(file));
}

const CFigSymbol* CFigureSymbolGalleryDlg::GetSelected() const
{
    const auto* file = static_cast<const FigureSymbolFile*>(CurrentFile());
    const CFigSymbolEntry* entry = file ? file->GetAt(GetSel()) : nullptr;
    return entry ? &entry->symbol : nullptr;
}

std::string CFigureSymbolGalleryDlg::NameAt(int index) const
{
    const auto* file = static_cast<const FigureSymbolFile*>(CurrentFile());
    const CFigSymbolEntry* entry = file ? file->GetAt(index) : nullptr;
    return entry ? entry->Name() : std::string();
}

// ---- end symbols

CEndSymbolGalleryDlg::CEndSymbolGalleryDlg(QWidget* parent)
    : CSymbolGalleryDlg(State().endFiles, kEndSymbolFileExt, State().endCategory,
                        {"End Symbol Gallery", kGridId, kNameId, 4, 4, kHelpTopic}, parent)
{
    m_pEndGrid = new CEndSymbolGrid(this);
    Build(m_pEndGrid, nullptr);
}

void CEndSymbolGalleryDlg::LoadFileSet()
{
    GalleryState& state = State();
    if (state.lineEnds.GetCount() == 0)
        state.lineEnds.BuildLineEnds();
    state.endFiles.LoadEndSymbols(false, state.lineEnds);
}

void CEndSymbolGalleryDlg::ShowFile(SymbolFile* file)
{
    m_pEndGrid->SetFile(static_cast<EndSymbolFile*>(file));
}

const CShapeDef* CEndSymbolGalleryDlg::GetSelected() const
{
    const auto* file = static_cast<const EndSymbolFile*>(CurrentFile());
    const CEndSymbolEntry* entry = file ? file->GetAt(GetSel()) : nullptr;
    return entry ? &entry->symbol : nullptr;
}

std::string CEndSymbolGalleryDlg::NameAt(int index) const
{
    const auto* file = static_cast<const EndSymbolFile*>(CurrentFile());
    const CEndSymbolEntry* entry = file ? file->GetAt(index) : nullptr;
    return entry ? entry->Name() : std::string();
}

// ---- running

bool RunFigureSymbolGallery(QWidget* parent, const std::string& startName, CFigSymbol& chosen)
{
    CFigureSymbolGalleryDlg dlg(parent);
    dlg.m_strStartName = startName;
    if (dlg.DoModal() != IDOK || !dlg.GetSelected())
        return false;
    chosen = *dlg.GetSelected();
    return true;
}

bool RunEndSymbolGallery(QWidget* parent, const std::string& startName, CShapeDef& chosen)
{
    CEndSymbolGalleryDlg dlg(parent);
    dlg.m_strStartName = startName;
    if (dlg.DoModal() != IDOK || !dlg.GetSelected())
        return false;
    chosen = *dlg.GetSelected();
    return true;
}

void InstallSymbolGallerySeam()
{
    GetDocCommandSeams().symbolGallery = [](CFigSymbol& chosen) {
        return RunFigureSymbolGallery(QApplication::activeWindow(), std::string(), chosen);
    };
}

void ResetSymbolGalleries(bool forgetCategories)
{
    GalleryState& state = State();
    state.figureFiles = SymbolFileList(false);
    state.endFiles = SymbolFileList(true);
    if (forgetCategories) {
        state.figureCategory = 0;
        state.endCategory = 0;
    }
}
