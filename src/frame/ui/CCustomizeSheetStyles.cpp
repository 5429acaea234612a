// The Customize sheet's drags on the style bar: its width dragged at the
// grip, style buttons moved within their row or off it, and styles added
// from the Styles page. Every change goes into the active document's
// layouts after it kept its copy for Reset to Default.
#include "frame/ui/CCustomizeSheet.h"

#include "document/CKavoDoc.h"
#include "frame/CustomizeEdits.h"
#include "frame/ui/CCustomizePages.h"
#include "frame/ui/CCustomizeStyleBarLink.h"
#include "frame/ui/CIconListBoxes.h"
#include "frame/ui/CMainFrame.h"

namespace {
// The style-bar row of a style list's kind.
int RowOfKind(int kind)
{
    switch (kind) {
    case kStyleKindLabels: return 0;
    case kStyleKindFigures: return 1;
    case kStyleKindConnectors: return 2;
    default: return -1;
    }
}

const std::string* StyleName(CKavoDoc& doc, int row, int style)
{
    if (row == 2) {
        const CConStyle* s = doc.m_conStyles.GetAt(style);
        return s ? &s->m_strName : nullptr;
    }
    const CFigStyle* s = doc.m_figStyles.GetAt(style);
    return s ? &s->m_strName : nullptr;
}
} // namespace

// A press outside the sheet that missed the toolbars: the width grip, or a
// style button to select. False when it hit neither.
bool CCustomizeSheet::StyleBarDown(const QPoint& screen)
{
    CKavoDoc* doc = ActiveDocument();
    if (!CustStyleBar(m_frame) || !doc)
        return false;
    if (CustStyleBarGripAt(m_frame, screen)) {
        m_bResizing = true;
        m_resizeStart = screen;
        m_nResizeStartWidth = doc->m_nSBarWidth;
        m_bCapture = true;
        SetDragCursor(Qt::SizeHorCursor);
        return true;
    }
    const StyleBarHit hit = CustStyleButtonAt(m_frame, screen);
    if (hit.row < 0 || hit.style < 0)
        return false;
    ShowStyleSelection(false);
    m_nSelRow = hit.row;
    m_nSelStyle = hit.style;
    ShowStyleSelection(true);
    return true;
}

// A press on the Styles list: a style the row's layout holds already (shown
// or scrolled out of view) is moved, any other is added.
void CCustomizeSheet::StartStyleDrag(const QPoint& screen)
{
    CStyleIconListBox* list = m_styles->Styles();
    CKavoDoc* doc = ActiveDocument();
    const int row = list ? RowOfKind(list->Kind()) : -1;
    if (!doc || row < 0 || !CustStyleBar(m_frame) || !list->currentItem()
        || !QRect(list->mapToGlobal(QPoint(0, 0)), list->size()).contains(screen))
        return;
    const int style = list->ItemData(list->currentRow());
    m_nStyleRow = row;
    if (StyleBarLayouts(*doc)[size_t(row)]->FindIndex(style) >= 0) {
        ShowStyleSelection(false);
        m_nSelRow = row;
        m_nSelStyle = style;
        ShowStyleSelection(true);
        m_bMovingStyle = true;
    } else {
        m_bAddingStyle = true;
        m_nAddStyle = style;
    }
    m_bCapture = true;
    UpdateStyleTarget(screen);
}

// The style-bar part of a move; false when the move is not the style bar's.
bool CCustomizeSheet::StyleBarMove(const QPoint& screen)
{
    if (m_bResizing) {
        CKavoDoc* doc = ActiveDocument();
        const int width = DraggedStyleBarWidth(m_nResizeStartWidth, screen.x() - m_resizeStart.x());
        if (doc && width != doc->m_nSBarWidth)
            m_sbar->ApplyLayouts(width);
        return true;
    }
    if (m_bMovingStyle || m_bAddingStyle) {
        UpdateStyleTarget(screen);
        return true;
    }
    if (!m_bButtonDown || InClientArea(screen))
        return false;
    if (m_nSelRow >= 0 && !m_selBar) {
        m_nStyleRow = m_nSelRow;
        m_bMovingStyle = true;
        m_bCapture = true;
        UpdateStyleTarget(screen);
        return true;
    }
    if (CustStyleBarGripAt(m_frame, screen)) {
        SetDragCursor(Qt::SizeHorCursor);
        return true;
    }
    return false;
}

void CCustomizeSheet::UpdateStyleTarget(const QPoint& screen)
{
    const int index = CustStyleDropIndex(m_frame, m_nStyleRow, screen);
    if (index != m_nStyleTarget) {
        DrawStyleBeam(false);
        m_nStyleTarget = index;
        DrawStyleBeam(true);
    }
    if (index < 0)
        SetDragCursor(Qt::ForbiddenCursor);
    else
        SetDragCursor(m_bAddingStyle ? Qt::DragCopyCursor : Qt::DragMoveCursor);
}

// No mark where the drop would leave the button where it is.
void CCustomizeSheet::DrawStyleBeam(bool draw)
{
    if (!draw) {
        if (m_nBeamRow >= 0)
            CustDrawStyleBeam(m_frame, m_nBeamRow, m_nStyleBeamIndex);
        m_nBeamRow = m_nStyleBeamIndex = -1;
        return;
    }
    CKavoDoc* doc = ActiveDocument();
    if (!doc || m_nStyleRow < 0 || m_nStyleTarget < 0)
        return;
    if (m_bMovingStyle) {
        const int own = StyleBarLayouts(*doc)[size_t(m_nStyleRow)]->FindIndex(m_nSelStyle)
                        - CustStyleRowFirstVisible(m_frame, m_nStyleRow);
        if (m_nStyleTarget == own || m_nStyleTarget == own + 1)
            return;
    }
    m_nBeamRow = m_nStyleRow;
    m_nStyleBeamIndex = m_nStyleTarget;
    CustDrawStyleBeam(m_frame, m_nBeamRow, m_nStyleBeamIndex);
}

void CCustomizeSheet::DropStyleButton()
{
    CKavoDoc* doc = ActiveDocument();
    if (!doc || m_nStyleRow < 0)
        return;
    CStyleMenuLayout& layout = *StyleBarLayouts(*doc)[size_t(m_nStyleRow)];
    const int style = m_bAddingStyle ? m_nAddStyle : m_nSelStyle;
    const std::string* name = StyleName(*doc, m_nStyleRow, style);
    if (!name)
        return;
    // Worked on a copy, so that the document keeps its snapshot of the
    // layouts as they were before this drop.
    CStyleMenuLayout edited = layout;
    bool changed = false;
    if (m_nStyleTarget >= 0)
        changed = DropStyleInLayout(edited, style, *name,
                                    CustStyleRowFirstVisible(m_frame, m_nStyleRow) + m_nStyleTarget);
    else if (m_bMovingStyle)
        changed = RemoveStyleFromLayout(edited, style);
    if (!changed)
        return;
    SnapshotStyleBar(*doc);
    layout = edited;
    doc->SetModifiedFlag();
    CustRebuildStyleBar(m_frame);
}
