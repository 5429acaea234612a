// The document's style menus and style-bar button layouts kept in line with
// its style libraries.
#include "document/CKavoDoc.h"

#include "shapes/StyleCategoryList.h"

namespace {

// Whether a menu is arranged by categories: at least one submenu, the first
// one named.
bool ByCategories(const CStyleMenu& menu)
{
    return menu.m_nCount > 0 && !menu.m_sub[0].m_strName.empty();
}

// Removes the submenus whose names are no category of the library; true
// when one went.
bool DropStaleSubmenus(CStyleMenu& menu, const StyleLibRef& lib, int kind)
{
    if (!ByCategories(menu))
        return false;
    StyleCategoryList cats;
    lib.BuildCategories(cats, kind);
    bool removed = false;
    for (int i = menu.m_nCount - 1; i >= 0; --i) {
        bool known = false;
        for (int c = 0; c < cats.m_nCount && !known; ++c)
            known = cats.m_cat[c].m_strName == menu.m_sub[i].m_strName;
        if (!known) {
            menu.RemoveSubmenu(i);
            removed = true;
        }
    }
    return removed;
}

void UnnameLoneNoCategory(CStyleMenu& menu)
{
    if (menu.m_nCount == 1 && menu.m_sub[0].m_strName == NoCategoryName())
        menu.m_sub[0].m_strName.clear();
}

void InitButtons(CStyleMenuLayout& layout, const CStyleMenuLayout& saved, const StyleLibRef& lib, int filter)
{
    if (layout.IsDefined()) {
        layout.ResolveNames(lib, 0);
        return;
    }
    layout.BuildFromLibrary(lib, filter);
    layout.BtnHeight = saved.BtnHeight;
    layout.Columns = saved.Columns;
}

} // namespace

void CKavoDoc::ResetStyleLayouts()
{
    for (CStyleMenuLayout* l : {&m_lblButtons, &m_figButtons, &m_conButtons})
        l->Clear();
    m_lblButtonsRestore.Clear();
    m_lblButtonsRestore.PresetLabelButtons();
    m_figButtonsRestore.Clear();
    m_figButtonsRestore.PresetFigureButtons();
    m_conButtonsRestore.Clear();
    m_conButtonsRestore.PresetConnectorButtons();
    m_lblMenu.Clear();
    m_figMenu.Clear();
    m_conMenu.Clear();
}

void CKavoDoc::InitStyleMenus()
{
    const StyleLibRef figs(m_figStyles), cons(m_conStyles);
    for (auto [menu, lib] : {std::pair<CStyleMenu*, const StyleLibRef*>{&m_lblMenu, &figs},
                             {&m_figMenu, &figs},
                             {&m_conMenu, &cons}}) {
        if (menu->HasItems())
            menu->ResolveAll(*lib, 0);
        else
            menu->RebuildFromLibrary(*lib);
    }
    InitButtons(m_lblButtons, m_lblButtonsRestore, figs, 1);
    InitButtons(m_figButtons, m_figButtonsRestore, figs, 0);
    InitButtons(m_conButtons, m_conButtonsRestore, cons, -1);
    SyncStyleFlags();
    m_lblMenu.FitAllToText(figs);
}

void CKavoDoc::SyncStyleFlags()
{
    for (int i = 0; i < m_figStyles.GetCount(); ++i) {
        CFigStyle* s = m_figStyles.GetAt(i);
        const CStyleMenuLayout& buttons = s->Label ? m_lblButtons : m_figButtons;
        const CStyleMenu& menu = s->Label ? static_cast<const CStyleMenu&>(m_lblMenu) : m_figMenu;
        if (buttons.IsDefined())
            s->HasButton = buttons.FindName(s->m_strName) >= 0;
        if (menu.HasItems())
            s->InMenu = menu.HasStyle(s->m_strName);
    }
    for (int i = 0; i < m_conStyles.GetCount(); ++i) {
        CConStyle* s = m_conStyles.GetAt(i);
        if (m_conButtons.IsDefined())
            s->HasButton = m_conButtons.FindName(s->m_strName) >= 0;
        if (m_conMenu.HasItems())
            s->InMenu = m_conMenu.HasStyle(s->m_strName);
    }
    for (auto [layout, saved] : {std::pair{&m_lblButtons, &m_lblButtonsRestore},
                                 {&m_figButtons, &m_figButtonsRestore},
                                 {&m_conButtons, &m_conButtonsRestore}}) {
        if (layout->IsDefined()) {
            saved->BtnHeight = layout->BtnHeight;
            saved->Columns = layout->Columns;
        }
    }
}

void CKavoDoc::UpdateStyleMenusAndButtons(int* changed)
{
    int dummy = 0;
    int& ch = changed ? *changed : dummy;
    ch = 0;
    const StyleLibRef figs(m_figStyles), cons(m_conStyles);
    auto resolveAll = [&] {
        m_lblButtons.ResolveNames(figs, 1);
        m_figButtons.ResolveNames(figs, 1);
        m_conButtons.ResolveNames(cons, 1);
        m_lblMenu.ResolveAll(figs, 1);
        m_figMenu.ResolveAll(figs, 1);
        m_conMenu.ResolveAll(cons, 1);
    };
    // 1. Entries of styles that no longer exist go.
    resolveAll();
    // 2. Styles that lost their button or menu flag leave the layouts.
    auto dropUnflagged = [&](CStyle& s, CStyleMenuLayout& buttons, CStyleMenu& menu) {
        if (!s.HasButton && buttons.RemoveName(s.m_strName))
            ch = 1;
        if (!s.InMenu)
            menu.RemoveStyle(s.m_strName);
    };
    for (int i = 0; i < m_figStyles.GetCount(); ++i) {
        CFigStyle* s = m_figStyles.GetAt(i);
        dropUnflagged(*s, s->Label ? m_lblButtons : m_figButtons, s->Label ? static_cast<CStyleMenu&>(m_lblMenu) : m_figMenu);
    }
    for (int i = 0; i < m_conStyles.GetCount(); ++i)
        dropUnflagged(*m_conStyles.GetAt(i), m_conButtons, m_conMenu);
    // 3. Styles with their button flag missing from the layout are appended.
    auto addButton = [&](const CStyle& s, CStyleMenuLayout& buttons) {
        if (s.HasButton && buttons.FindName(s.m_strName) < 0 && buttons.AppendName(s.m_strName))
            ch = 1;
    };
    for (int i = 0; i < m_figStyles.GetCount(); ++i) {
        CFigStyle* s = m_figStyles.GetAt(i);
        addButton(*s, s->Label ? m_lblButtons : m_figButtons);
    }
    for (int i = 0; i < m_conStyles.GetCount(); ++i)
        addButton(*m_conStyles.GetAt(i), m_conButtons);
    // 4. Submenus of categories that are gone.
    bool resizeLabels = DropStaleSubmenus(m_lblMenu, figs, 1);
    DropStaleSubmenus(m_figMenu, figs, 0);
    DropStaleSubmenus(m_conMenu, cons, 0);
    // 5. Every style flagged for its menu, under its category.
    for (int i = 0; i < m_figStyles.GetCount(); ++i) {
        CFigStyle* s = m_figStyles.GetAt(i);
        if (!s->InMenu)
            continue;
        if (s->Label) {
            m_lblMenu.AddStyle(s->m_strName, s->Category, 1);
            resizeLabels = true;
        } else {
            m_figMenu.AddStyle(s->m_strName, s->Category, 1);
        }
    }
    for (int i = 0; i < m_conStyles.GetCount(); ++i) {
        CConStyle* s = m_conStyles.GetAt(i);
        if (s->InMenu)
            m_conMenu.AddStyle(s->m_strName, s->Category, 1);
    }
    // 6. A lone "(no category)" submenu shows without a name.
    for (CStyleMenu* menu : {static_cast<CStyleMenu*>(&m_lblMenu), static_cast<CStyleMenu*>(&m_figMenu),
                             static_cast<CStyleMenu*>(&m_conMenu)})
        if (ByCategories(*menu))
            UnnameLoneNoCategory(*menu);
    // 7. Indexes again; label items sized from their texts.
    resolveAll();
    if (resizeLabels)
        m_lblMenu.FitAllToText(figs);
}
