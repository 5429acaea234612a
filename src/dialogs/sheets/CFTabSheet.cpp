#include "dialogs/sheets/CFTabSheet.h"

#include "core/HelpRequest.h"
#include "core/MsgBox.h"
#include "dialogs/sheets/CFTabAutoLabel.h"
#include "dialogs/sheets/CFTabBehaviors.h"
#include "dialogs/sheets/CFTabConnect.h"
#include "dialogs/sheets/CFTabFill.h"
#include "dialogs/sheets/CFTabGeneral.h"
#include "dialogs/sheets/CFTabText.h"
#include "dialogs/sheets/SheetPlacement.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/ViewContextMenu.h"

#include <algorithm>
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/ui/DlgItems.h"

#include <QPushButton>
#include <QKeyEvent>

namespace {
constexpr UINT IDS_FIG_PROPS = 643, IDS_LABEL_PROPS = 491, IDS_FORMAT_LOST = 652;

constexpr uint32_t kHelpFigProps = 306, kHelpLabelProps = 308, kHelpFigStyles = 305, kHelpLabelStyles = 307;

// The page a sheet opened last of each variant and kind.
int g_startPage[2][2] = {};
bool g_sheetOpen = false;

QString Res(UINT id)
{
    const char* s = FindResString(id);
    return AnsiToQString(s ? s : "");
}
} // namespace

CFTabSheet::CFTabSheet(const FigSheetData& data, QWidget* parent) : CPropertySheet(std::string(), parent), m_data(data)
{
}

void CFTabSheet::keyPressEvent(QKeyEvent* event)
{
    // F1, wherever the focus is, asks for the sheet's help as Help does.
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OnHelp();
        return;
    }
    CPropertySheet::keyPressEvent(event);
}

CFTabSheet::~CFTabSheet()
{
    if (GetActiveIndex() >= 0 && GetPageCount() > 0)
        RememberedPage() = GetActiveIndex();
    ReleaseHeldPicture();
    g_sheetOpen = false;
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
    AddPage(m_general);
    AddPage(m_text);
    if (!m_data.label) {
        m_connect = new CFTabConnect(this);
        AddPage(m_connect);
    }
    m_behaviors = new CFTabBehaviors(this);
    AddPage(m_behaviors);
    if (styles && !m_data.label) {
        m_autoLabel = new CFTabAutoLabel(this);
        AddPage(m_autoLabel);
    }
    m_fill = new CFTabFill(this);
    AddPage(m_fill);
}

void CFTabSheet::OnInitDialog()
{
    BuildPages();
    // Label properties always open on their text.
    int start = m_data.variant == kFigSheetProps && m_data.label ? 1 : RememberedPage();
    SetStartPage(start < 0 || start >= PageCount() ? 0 : start);
    CPropertySheet::OnInitDialog();
    ResetChangeState();
    g_sheetOpen = true;
}

void CFTabSheet::OnHelp()
{
    const bool styles = m_data.variant == kFigSheetStyles;
    ShowContextHelp(styles ? (m_data.label ? kHelpLabelStyles : kHelpFigStyles)
                           : (m_data.label ? kHelpLabelProps : kHelpFigProps));
}

CFigPage* CFTabSheet::Page(int i) const
{
    return static_cast<CFigPage*>(GetPage(i));
}

CFigPage* CFTabSheet::ActivePage() const
{
    return static_cast<CFigPage*>(GetActivePage());
}

void CFTabSheet::SetActivePage(CFigPage* page)
{
    CPropertySheet::SetActivePage(GetPageIndex(page));
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

void CFTabSheet::HoldPicture(HGLOBAL picture)
{
    if (picture == m_data.heldPicture)
        return;
    ReleaseHeldPicture();
    m_data.heldPicture = picture;
}

void CFTabSheet::ReleaseHeldPicture()
{
    // The working copy never keeps pointing at a freed block.
    if (m_data.heldPicture && m_data.props.Graphic == m_data.heldPicture) {
        m_data.props.Graphic = nullptr;
        m_data.props.m_nGraphicType = 0;
    }
    if (m_data.heldPicture)
        GlobalFree(m_data.heldPicture);
    m_data.heldPicture = nullptr;
}

bool IsFigSheetOpen()
{
    return g_sheetOpen;
}

// ---- properties of the selection

CFPTabSheet::CFPTabSheet(const FigSheetData& data, QWidget* parent) : CFTabSheet(data, parent)
{
    setWindowTitle(Res(m_data.label ? IDS_LABEL_PROPS : IDS_FIG_PROPS));
}

void CFPTabSheet::OnInitDialog()
{
    CFTabSheet::OnInitDialog();
    resize(size().expandedTo(QSize(460, 420)));
    // One object stays in sight: the sheet opens beside it. Several open
    // where the user last right-clicked.
    if (m_data.several)
        PlacePropertySheet(*this, nullptr);
    else if (!m_data.selScreenRect.IsRectEmpty())
        PlacePropertySheet(*this, &m_data.selScreenRect);
}

void CFPTabSheet::OnApplied()
{
    FigSheetData& d = m_data;
    if (!d.HasChanges())
        return;
    // The document shares the picture from here on.
    if (d.heldPicture && d.heldPicture == d.props.Graphic)
        d.heldPicture = nullptr;
    ReleaseHeldPicture();
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
}

int RunFigPropSheet(CKavoDoc& doc, bool labels, QWidget* parent)
{
    FigSheetData data;
    if (!LoadSheetFromSelection(data, doc, labels))
        return IDCANCEL;
    CFigure* first = nullptr;
    CKavoView* view = GetActiveKavoView();
    if (!data.several && view && view->GetDocument() == &doc && CollectSheetObjects(doc, labels, &first) == 1) {
        const CRect client = view->LogicalRectToClient(first->m_rect);
        const QPoint origin = view->viewport()->mapToGlobal(QPoint(0, 0));
        data.selScreenRect = client;
        data.selScreenRect.OffsetRect(origin.x(), origin.y());
        // A right click on one of its text boxes opens the Text page there.
        const CPoint click = GetRightClickPoint();
        if (click.x != 0 || click.y != 0) {
            const QPoint local = view->viewport()->mapFromGlobal(QPoint(click.x, click.y));
            data.startBox = std::max(EditableAreaFromPoint(*first, view->ClientPtToLogical(CPoint(local.x(), local.y()))), 0);
        }
    }
    CFPTabSheet sheet(data, parent);
    return sheet.DoModal();
}
