#include "controls/CStyleButtons.h"

#include "controls/StyleChoiceSeams.h"
#include "controls/StylePickCategories.h"
#include "core/StringHelpers.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CTextDialog.h"
#include "platform/Ansi.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "render/FigStyleIcon.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"
#include "shapes/CFigStyle.h"

#include <QMenu>

namespace {

constexpr int kLabelsCaption = 489;
constexpr int kCellIconKey = 2, kFaceIconKey = 3;

struct Borders {
    int y, x;
};

Borders BordersOf(StylePickKind kind)
{
    switch (kind) {
    case StylePickKind::Label: return {2, 3};
    case StylePickKind::Figure: return {5, 7};
    case StylePickKind::Connector: break;
    }
    return {6, 4};
}

} // namespace

// ---- CCategoryDropButton

CCategoryDropButton::CCategoryDropButton(QWidget* parent) : CDropPaletteButton(parent) {}

CCategoryDropButton::~CCategoryDropButton() = default;

bool CCategoryDropButton::Create(int ctrlId, QWidget* parent, int cellWidth, int cellHeight, int borderY, int borderX,
                                 int side, int columns, int separatorRow, bool hasMore, bool notifyOnHighlight,
                                 bool showArrow, int textAlign, bool delayedOpen)
{
    (void)textAlign;   // the pickers' faces are drawn samples
    m_nCellWidth = cellWidth;
    m_nCellHeight = cellHeight;
    m_layout = {cellHeight, cellWidth, borderY, borderX, side, columns, separatorRow, hasMore};
    SetNotifyOnHighlight(notifyOnHighlight);
    SetShowArrow(showArrow);
    SetDelayedOpen(delayedOpen);
    DestroyPopup();
    ItemList().Clear();
    FillCategories(ItemList());
    const bool built = BuildCategoryMenus();
    AttachToDialogItem(ctrlId, parent);
    return built;
}

bool CCategoryDropButton::BuildCategoryMenus()
{
    DestroyPopup();
    const CPaletteItemList& list = ItemList();
    const bool byCategories = ShowsCategories(list);
    const int shown = byCategories ? list.CategoryCount() : 1;
    for (int c = 0; c < shown; ++c) {
        const PaletteCategory cat = c < list.CategoryCount() ? list.Category(c) : PaletteCategory{};
        auto popup = std::make_unique<CPalettePopup>(this);
        const int w = m_nCellWidth == -1 ? cat.cellWidth : m_nCellWidth;
        const int h = m_nCellHeight == -1 ? cat.cellHeight : m_nCellHeight;
        const WORD more = !m_layout.hasMore ? kNoMoreEntry : WORD(byCategories ? kMoreId + 1 + UINT(c) : kMoreId);
        popup->Create(kPaletteFirstId + kPaletteCategoryStride * UINT(c), cat.count, h, w, m_layout.borderY,
                      m_layout.borderX, m_layout.side, CategoryColumns(cat, m_layout.columns), m_layout.separatorRow,
                      more);
        m_popups.push_back(std::move(popup));
    }
    if (!byCategories)
        return m_popups[0]->IsBuilt();
    m_topMenu = std::make_unique<QMenu>(this);
    for (int c = 0; c < shown; ++c) {
        QAction* a = m_topMenu->addAction(AnsiToQString(list.Category(c).name));
        connect(a, &QAction::triggered, this, [this, c, a] {
            const QRect r = m_topMenu->actionGeometry(a);
            OpenPalette(m_popups[size_t(c)].get(), m_topMenu->mapToGlobal(r.topRight()));
        });
    }
    if (m_layout.hasMore) {
        QAction* more = m_topMenu->addAction("...");
        connect(more, &QAction::triggered, this, [this] { OnMenuCommand(kMoreId); });
    }
    connect(m_topMenu.get(), &QMenu::aboutToHide, this, [this] { Release(); setDown(false); });
    return true;
}

CPalettePopup* CCategoryDropButton::CategoryPopup(int i) const
{
    return i >= 0 && i < CategoryPopupCount() ? m_popups[size_t(i)].get() : nullptr;
}

void CCategoryDropButton::DestroyPopup()
{
    m_topMenu.reset();
    m_popups.clear();
    CDropPaletteButton::DestroyPopup();
}

int CCategoryDropButton::ValueOfCommand(UINT id) const
{
    return CategoryValueOfCommand(ItemList(), id);
}

void CCategoryDropButton::OpenPalette(CPalettePopup* popup, const QPoint& screen)
{
    if (!popup || !popup->IsBuilt() || popup->IsEmpty())
        return;
    Press();
    popup->Track(screen, [this](UINT id) {
        Release();
        setDown(false);
        // Choosing from the palette must not end the in-place text edit.
        if (CTextDialog* editor = ActiveTextEditor())
            editor->TakeFocus();
        if (id != 0)
            OnMenuCommand(id);
    });
}

void CCategoryDropButton::Drop()
{
    BeforeDrop();
    if (!m_topMenu) {
        const CPalettePopup* popup = CategoryPopup(0);
        const QPoint corner = popup && popup->Side() == CPaletteMenuBase::kSideRight ? QPoint(width(), 0)
                                                                                      : QPoint(0, height());
        OpenPalette(CategoryPopup(0), mapToGlobal(corner));
        return;
    }
    Press();
    // Right-aligned under the button.
    const QPoint corner = mapToGlobal(QPoint(width(), height()));
    m_topMenu->popup(corner - QPoint(m_topMenu->sizeHint().width(), 0));
}

// ---- CStylePickerButton

CStylePickerButton::CStylePickerButton(StylePickKind kind, Variant variant, QWidget* parent)
    : CCategoryDropButton(parent), m_core(kind, variant != Variant::Plain), m_variant(variant)
{
}

bool CStylePickerButton::Create(int ctrlId, QWidget* parent, int side, CKavoDoc* doc, bool delayedOpen)
{
    m_nSide = side;
    m_bDelayed = delayedOpen;
    m_core.SetDocument(doc);
    const Borders b = BordersOf(Kind());
    return CCategoryDropButton::Create(ctrlId, parent, -1, -1, b.y, b.x, side, 0, 0, true, true, true,
                                       kAlignCenter, delayedOpen);
}

bool CStylePickerButton::FillCategories(CPaletteItemList& list)
{
    list = m_core.Categories();
    return true;
}

void CStylePickerButton::Refresh()
{
    if (!GetDocument())
        return;
    m_core.Refresh();
    ItemList().Clear();
    FillCategories(ItemList());
    BuildCategoryMenus();
}

void CStylePickerButton::SetDocument(CKavoDoc* doc)
{
    if (!m_core.SetDocument(doc))
        return;
    ItemList().Clear();
    FillCategories(ItemList());
    BuildCategoryMenus();
    update();
    if (doc && Kind() == StylePickKind::Connector)
        BeforeDrop();
}

void CStylePickerButton::SetSample(int index)
{
    if (m_core.SetCurrent(index))
        update();
}

int CStylePickerButton::SelectDefault()
{
    const int before = m_core.GetCurrent();
    if (m_core.SelectDefault() != before)
        update();
    return m_core.GetCurrent();
}

void CStylePickerButton::BeforeDrop()
{
    bool rebuild = m_core.FollowActiveDoc(GetActiveKavoDoc());
    if (GetDocument()) {
        // The owner hears of the drop first: what it changes in the styles
        // (or the current style) shows in the palette about to drop.
        CDropPaletteButton::BeforeDrop();
        rebuild = m_core.RefreshIfStale() || rebuild;
    }
    if (rebuild) {
        ItemList().Clear();
        FillCategories(ItemList());
        BuildCategoryMenus();
    }
    SetCurrentValue(m_core.GetCurrent() < 0 ? kNone : WORD(m_core.GetCurrent()));
}

void CStylePickerButton::Select(WORD value)
{
    if (IsMoreEntryId(value)) {
        if (!m_core.Choose(value, mapToGlobal(QPoint(width(), 0))))
            return;
        value = WORD(m_core.GetCurrent());
    } else {
        m_core.SetCurrent(value);
    }
    CDropPaletteButton::Select(value);
    emit styleChosen(m_core.GetCurrent());
}

void CStylePickerButton::DrawSample(CDC* dc, const CRect& rect, int index, int cacheKey)
{
    CKavoDoc* doc = GetDocument();
    if (!doc || !KindStyleAt(doc, Kind(), index) || rect.IsRectEmpty())
        return;
    const bool fullColour = doc->UseFullColorIcons();
    switch (Kind()) {
    case StylePickKind::Label:
        DrawTextSample(dc, rect, index, doc, fullColour);
        break;
    case StylePickKind::Figure: {
        CGraphics graphics(dc);
        DrawFigStyleIcon(*doc->m_figStyles.GetAt(index), doc, &graphics, rect, true, cacheKey);
        break;
    }
    case StylePickKind::Connector:
        DrawConStyleSample(dc, index, doc, rect, !fullColour, false, false);
        break;
    }
}

void CStylePickerButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    if (value != kNone)
        DrawSample(dc, rect, value, kCellIconKey);
}

void CStylePickerButton::DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled)
{
    if (m_variant != Variant::ToolBar) {
        CDropPaletteButton::DrawFace(dc, rect, notPressed, disabled);
        return;
    }
    CRect face = rect;
    switch (Kind()) {
    case StylePickKind::Label: face.DeflateRect(3, 3); break;
    case StylePickKind::Figure: face.DeflateRect(7, 3); break;
    case StylePickKind::Connector: face.DeflateRect(6, 3); break;
    }
    face.top += 1;
    if (face.Width() < 5)
        return;
    if (!GetDocument()) {
        DrawFallbackFace(dc, face, disabled);
        return;
    }
    if (GetCurSel() >= 0)
        DrawSample(dc, face, GetCurSel(), kFaceIconKey);
}

void CStylePickerButton::DrawFallbackFace(CDC* dc, const CRect& face, bool disabled)
{
    // Disabled: a white copy one pixel down and right, then button shadow.
    const int passes = disabled ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const bool highlight = disabled && pass == 0;
        const COLORREF colour = highlight ? RGB(255, 255, 255) : disabled ? GetSysColor(COLOR_BTNSHADOW)
                                                                           : GetSysColor(COLOR_BTNTEXT);
        CRect r = face;
        if (highlight)
            r.OffsetRect(1, 1);
        CPen pen(PS_SOLID, 1, colour);
        CBrush brush(colour);
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(&brush);
        switch (Kind()) {
        case StylePickKind::Label: {
            std::string text;
            LoadCStringRes(text, kLabelsCaption);
            dc->SelectStockObject(DEFAULT_GUI_FONT);
            dc->SetBkMode(TRANSPARENT);
            dc->SetTextColor(colour);
            TEXTMETRIC tm;
            dc->GetTextMetrics(&tm);
            dc->SetTextAlign(TA_CENTER | TA_BASELINE);
            dc->TextOut(r.left + r.Width() / 2, r.top + r.Height() / 2 + (tm.tmAscent - tm.tmInternalLeading) / 2, text);
            break;
        }
        case StylePickKind::Figure:
            dc->FrameRect(&r, &brush);
            break;
        case StylePickKind::Connector: {
            const int y = r.top + r.Height() / 2;
            dc->MoveTo(r.left, y);
            dc->LineTo(r.right - 9, y);
            const POINT head[3] = {{r.right - 9, y - 4}, {r.right, y}, {r.right - 9, y + 4}};
            dc->Polygon(head, 3);
            break;
        }
        }
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
    }
}

CStylePickerButton* MakeToolBarStylePicker(unsigned command, QWidget* parent)
{
    CStylePickerButton* picker = nullptr;
    switch (command) {
    case 36565: picker = new CFigStyleButton(CStylePickerButton::Variant::ToolBar, parent); break;
    case 36566: picker = new CConStyleButton(CStylePickerButton::Variant::ToolBar, parent); break;
    case 36567: picker = new CLblStyleButton(CStylePickerButton::Variant::ToolBar, parent); break;
    default: return nullptr;
    }
    picker->Create(int(command), parent, 0, GetActiveKavoDoc(), false);
    return picker;
}
