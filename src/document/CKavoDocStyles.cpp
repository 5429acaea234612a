// Adding, replacing, renaming and deleting the document's figure and label
// styles, and re-applying a style to the figures that follow it. Style edits
// are not undoable: each resets the undo log.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/FigPictureOutline.h"
#include "document/FigTextServices.h"
#include "platform/Prompt.h"
#include "shapes/CFigSymbol.h"
#include "shapes/StyleCategoryList.h"

namespace {

constexpr unsigned IDS_STYLE_LIBRARY_FULL = 438;

// The stored form of a category: "(no category)" is kept empty.
std::string StoredCategory(const std::string& category)
{
    return category == NoCategoryName() ? std::string() : category.substr(0, CStyle::kMaxCategory);
}

// The field limits of a style record.
void CutStyleTexts(CFigStyle& s)
{
    s.Description.resize(std::min(s.Description.size(), CStyle::kMaxDescription));
    s.Category = StoredCategory(s.Category);
    s.DefaultText.resize(std::min(s.DefaultText.size(), CFigStyle::kMaxDefaultText));
    s.TextInits.resize(std::min(s.TextInits.size(), CFigStyle::kMaxTextInits));
    s.AutoLabelText.resize(std::min(s.AutoLabelText.size(), CFigStyle::kMaxAutoLabelText));
}

// An index held on a style after the style at `deleted` went.
void FollowDeletion(int32_t& held, int deleted)
{
    if (held == deleted)
        held = -1;
    else if (held > deleted)
        --held;
}

// A figure whose picture or symbol came with its style: the outline of the
// old picture goes (the new one's is traced with fitted bounds) and the
// cached shape kind is worked out again.
void TakeStyleShape(CFigure& f, const CFigProps& before)
{
    const bool picture = f.m_props.Graphic != before.Graphic || f.m_props.m_nGraphicType != before.m_nGraphicType;
    if (picture) {
        f.m_outline.Clear();
        if (f.HasPicture() && NonRectBounds && g_pfnFigOutlineFromPicture)
            g_pfnFigOutlineFromPicture(f);
    }
    if (picture || f.m_props.Symbol != before.Symbol)
        f.ResetStockKind();
}

void RenameIn(StyleNameList list, const std::string& from, const std::string& to)
{
    for (int i = 0; i < list.count; ++i)
        if (list.names[i] == from)
            list.names[i] = to;
}

} // namespace

bool CKavoDoc::AddNewFigStyle(const CFigStyle& source)
{
    ResetUndoLog();
    CFigStyle style = source;
    CutStyleTexts(style);
    (style.Label ? m_lblStyleStamp : m_figStyleStamp).AssignNext();
    if (!style.Label)
        m_figStyles.SetChanged();
    CFigStyle* entry = nullptr;
    if (!style.m_strName.empty() && style.m_strName.size() <= CStyle::kMaxName &&
        m_figStyles.FindByName(style.m_strName) < 0)
        entry = m_figStyles.NewEntry();
    if (!entry) {
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_STYLE_LIBRARY_FULL);
        return false;
    }
    *entry = style;
    m_figStyles.SetChanged();
    // The style shares the record's picture.
    if (entry->m_props.HasGraphic()) {
        DiagPrintf("SMEM            From CKavoDoc::AddNewFigStyle()\n");
        m_graphics.AddUse(entry->m_props.m_nGraphicType, entry->m_props.Graphic);
    }
    UpdateStyleMenusAndButtons(nullptr);
    return true;
}

bool CKavoDoc::ReplaceFigStyle(int index, const CFigStyle& source)
{
    CFigStyle* style = m_figStyles.GetAt(index);
    if (!style)
        return false;
    ResetUndoLog();
    CFigStyle next = source;
    CutStyleTexts(next);
    (next.Label ? m_lblStyleStamp : m_figStyleStamp).AssignNext();
    if (!next.Label)
        m_figStyles.SetChanged();
    const int oldSymbol = style->m_props.Symbol;
    const bool menuChange = next.InMenu != style->InMenu || next.Label != style->Label ||
                            next.HasButton != style->HasButton || next.Category != style->Category;
    // Pictures are shared: the old one is released unless the new record
    // shares it, a different new one is referenced.
    HGLOBAL oldPic = style->m_props.HasGraphic() ? style->m_props.Graphic : nullptr;
    HGLOBAL newPic = next.m_props.HasGraphic() ? next.m_props.Graphic : nullptr;
    if (oldPic && oldPic != newPic) {
        DiagPrintf("SMEM            From CKavoDoc::ReplaceFigStyle()\n");
        DiagPrintf("GMEM  WMF Handle %04X freed in ReplaceFigStyle\n",
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(oldPic)));
        m_graphics.ReleaseUse(oldPic);
    }
    if (newPic && newPic != oldPic) {
        DiagPrintf("SMEM            From CKavoDoc::ReplaceFigStyle()\n");
        m_graphics.AddUse(next.m_props.m_nGraphicType, newPic);
    }
    // The name is the style's own; renames go through RenameFigStyle.
    next.m_strName = style->m_strName;
    *style = next;
    if (menuChange) {
        m_figStyles.SetChanged();
        UpdateStyleMenusAndButtons(nullptr);
    }
    if (index == m_nCurFigStyle)
        SetCurFigStyle(index);
    if (index == m_nCurLblStyle)
        SetCurLblStyle(index);
    UpdateFiguresOfStyle(index, oldSymbol);
    return true;
}

void CKavoDoc::RenumberFigStyleIndexes(int deleted, bool beforeDelete)
{
    if (beforeDelete) {
        // The figures keep what they took from the style as their own.
        ForEachFigure([&](CFigure* f) {
            if (f->m_nStyle == deleted)
                f->SyncConPtsFromStyle();
        });
        BeforeFigStyleRemoved(deleted);
        return;
    }
    AfterFigStyleRemoved(deleted);
}

bool CKavoDoc::DeleteFigStyle(int index)
{
    const CFigStyle* style = m_figStyles.GetAt(index);
    if (!style)
        return false;
    ResetUndoLog();
    const bool label = style->Label != 0;
    const std::string name = style->m_strName;
    (label ? m_lblStyleStamp : m_figStyleStamp).AssignNext();
    // Figure and label styles share the library: every index the document
    // holds follows the deletion, whatever its kind.
    int32_t fig = m_nCurFigStyle, lbl = m_nCurLblStyle;
    RenumberFigStyleIndexes(index, true);
    if (!m_figStyles.Delete(index))
        return false;
    RenumberFigStyleIndexes(index, false);
    FollowDeletion(fig, index);
    FollowDeletion(lbl, index);
    for (int32_t& slot : m_styleSlots)
        FollowDeletion(slot, index);
    SetCurFigStyle(fig);
    SetCurLblStyle(lbl);
    if (label) {
        for (std::string* n : {&m_strAutoLabelStyle, &m_strConLabelStyle, &m_strFlowLabelStyle})
            if (*n == name)
                n->clear();
        m_lblMenu.RemoveStyle(name);
    } else {
        m_figMenu.RemoveStyle(name);
    }
    SetModifiedFlag(true);
    UpdateStyleMenusAndButtons(nullptr);
    return true;
}

int CKavoDoc::RenameFigStyle(int index, const std::string& name)
{
    CFigStyle* style = index >= 0 ? m_figStyles.GetAt(index) : nullptr;
    if (!style || name.empty() || name.size() > CStyle::kMaxName)
        return 0;
    if (style->m_strName == name)
        return 1;
    if (m_figStyles.FindByName(name) >= 0)
        return 0;
    const std::string old = style->m_strName;
    // The layouts keep the style where it stood, under its new name.
    for (CStyleMenuLayout* l : {&m_lblButtons, &m_figButtons, &m_lblButtonsRestore, &m_figButtonsRestore})
        RenameIn(l->List(), old, name);
    for (CStyleMenu* m : {static_cast<CStyleMenu*>(&m_lblMenu), static_cast<CStyleMenu*>(&m_figMenu)})
        for (int i = 0; i < m->m_nCount; ++i)
            RenameIn(m->m_sub[i].List(), old, name);
    // New labels keep finding their style.
    for (std::string* n : {&m_strAutoLabelStyle, &m_strConLabelStyle, &m_strFlowLabelStyle})
        if (*n == old)
            *n = name;
    style->SetName(name);
    m_figStyles.SetChanged();
    if (index == m_nCurFigStyle)
        SetCurFigStyle(index);
    if (index == m_nCurLblStyle)
        SetCurLblStyle(index);
    ResetUndoLog();
    SetModifiedFlag(true);
    UpdateStyleMenusAndButtons(nullptr);
    return 1;
}

int CKavoDoc::GetCommonSelStyle(bool labels) const
{
    int common = -1;
    bool any = false;
    for (CDiagObj* o : *m_pSelList) {
        if (o->GetType() != kObjFigure)
            continue;
        const auto* f = static_cast<const CFigure*>(o);
        if ((f->m_bLabel != 0) != labels || f->IsInvisible())
            continue;
        if (f->m_nStyle < 0 || (any && f->m_nStyle != common))
            return -1;
        common = f->m_nStyle;
        any = true;
    }
    return common;
}

void CKavoDoc::UpdateFiguresOfStyle(int index, int oldSymbol)
{
    const CFigStyle* style = m_figStyles.GetAt(index);
    if (!style)
        return;
    SetModifiedFlag(true);
    const CFigSymbol* oldSym = m_figSymbols.GetAt(oldSymbol);
    const CFigSymbol* newSym = m_figSymbols.GetAt(style->m_props.Symbol);
    // Special shapes of one kind keep each figure's own symbol (its dividers).
    const bool keepSymbol = oldSym && newSym && oldSym->Reshape != 0 && oldSym->Reshape == newSym->Reshape;
    std::vector<CFigure*> updated;
    ForEachFigure([&](CFigure* f) {
        if (f->m_nStyle != index || !f->m_props.BindToStyle)
            return;
        InvalidateObj(f);
        const CFigProps before = f->m_props;
        const int32_t symbol = f->m_props.Symbol, icon = f->m_props.Icon;
        if (f->m_props.HasGraphic()) {
            DiagPrintf("SMEM  From CFigure::UpdateStyle()\n");
            m_graphics.ReleaseUse(f->m_props.Graphic);
        }
        f->m_props = style->m_props;
        if (f->m_props.HasGraphic()) {
            DiagPrintf("SMEM  From CFigure::UpdateStyle()\n");
            m_graphics.AddUse(f->m_props.m_nGraphicType, f->m_props.Graphic);
        }
        if (keepSymbol) {
            f->m_props.Symbol = symbol;
            f->m_props.Icon = icon;
        }
        TakeStyleShape(*f, before);
        if (f->GetTextAreaCount() > 1)
            f->m_strSecondText = style->TextInits.substr(0, CFigure::kMaxSecondText);
        // The text is wrapped again in the style's font, which may then need
        // more room, as may the style's symbol.
        const FigTextServices& svc = GetFigTextServices();
        if (svc.reflowText)
            svc.reflowText(*f);
        if (svc.resizeToText)
            svc.resizeToText(*f);
        InvalidateObj(f);
        updated.push_back(f);
    });
    if (updated.empty())
        return;
    // New rectangles and connection points: the connectors follow them, and
    // the stapled objects follow the figures.
    RelayAttachedCons(updated);
    for (CFigure* f : updated)
        InvalidateAttachedCons(f);
    UpdateAllStaples(0);
}
