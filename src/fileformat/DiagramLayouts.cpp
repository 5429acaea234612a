// The document's style menus and button layouts in the diagram text: read
// into a layout of their own and handed to the document when the block
// closes, and written after the Globals.
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"

#include "document/CKavoDoc.h"
#include "document/OldNames.h"

namespace {
// Names in menu and button rows.
constexpr size_t kMaxLayoutName = 30;

bool IsButtonBlock(int type)
{
    return type >= BT_LABEL_BUTTONS && type <= BT_CONNECTOR_BUTTONS_RESTORE;
}

// Label, figure, connector: 0, 1, 2.
int ButtonKind(int type)
{
    return (type - BT_LABEL_BUTTONS) % 3;
}
} // namespace

CStyleMenuLayout* CDiagramLoadObj::DocButtonLayout(int type) const
{
    CStyleMenuLayout* layouts[6] = {&m_pDoc->m_lblButtons,        &m_pDoc->m_figButtons,
                                    &m_pDoc->m_conButtons,        &m_pDoc->m_lblButtonsRestore,
                                    &m_pDoc->m_figButtonsRestore, &m_pDoc->m_conButtonsRestore};
    return IsButtonBlock(type) ? layouts[type - BT_LABEL_BUTTONS] : nullptr;
}

CStyleMenu* CDiagramLoadObj::DocMenu(int type) const
{
    switch (type) {
    case BT_LABEL_MENU: return &m_pDoc->m_lblMenu;
    case BT_FIGURE_MENU: return &m_pDoc->m_figMenu;
    case BT_CONNECTOR_MENU: return &m_pDoc->m_conMenu;
    default: return nullptr;
    }
}

void CDiagramLoadObj::BeginLayout(int type)
{
    if (IsButtonBlock(type)) {
        // The kind's preset stands for keys the block leaves out.
        m_layout.Clear();
        const int kind = ButtonKind(type);
        if (kind == 0)
            m_layout.PresetLabelButtons();
        else if (kind == 1)
            m_layout.PresetFigureButtons();
        else
            m_layout.PresetConnectorButtons();
        return;
    }
    switch (type) {
    case BT_LABEL_MENU: m_pMenu = std::make_unique<CLabelStyleMenu>(); break;
    case BT_FIGURE_MENU: {
        auto menu = std::make_unique<CFigureStyleMenu>();
        menu->m_pLargeDropMenus = &m_pDoc->m_bLargeDropMenus;
        m_pMenu = std::move(menu);
        break;
    }
    case BT_CONNECTOR_MENU: m_pMenu = std::make_unique<CConnectorStyleMenu>(); break;
    default: return;
    }
    m_looseSubmenu.Clear();
    m_pMenu->PresetSubmenu(m_looseSubmenu);
    m_bLooseSubmenu = false;
}

int CDiagramLoadObj::ReadLayoutRow(const char* p, bool buttons)
{
    CStyleSubmenu& sub = m_nBlockType == BT_SUBMENU ? m_submenu : m_looseSubmenu;
    std::string name;
    const char* q = p;
    while (SkipBlanks(q)) {
        if (!ParseDelimitedCString(p, name, kMaxLayoutName))
            return KWR_FAILED;
        q = p;
        RenameOldSwimLaneStyle(m_dVersion, name);
        // Names past the layout's room are passed over.
        if (buttons)
            m_layout.AppendName(name);
        else
            sub.AppendName(name);
    }
    m_nErrorCode = 0;
    return KWR_DONE;
}

int CDiagramLoadObj::ReadLayoutKey(const char* p, bool buttons)
{
    int v;
    const bool inMenu = !buttons && m_nBlockType != BT_SUBMENU;
    if (inMenu)
        m_bLooseSubmenu = true;
    CStyleSubmenu& sub = inMenu ? m_looseSubmenu : m_submenu;
    if (MatchKeyword(p, KW_Columns)) {
        if (!ParseShortAsInt(p, v, 1, buttons ? 10 : 20))
            return KWR_FAILED;
        (buttons ? m_layout.Columns : sub.Columns) = v;
        return KWR_DONE;
    }
    if (buttons && MatchKeyword(p, KW_BtnHeight)) {
        if (!ParseShortAsInt(p, v, 12, 100))
            return KWR_FAILED;
        m_layout.BtnHeight = v;
        return KWR_DONE;
    }
    // A label menu has no item size.
    const bool sized = !buttons && m_nBlockType != BT_LABEL_MENU &&
                       !(m_nBlockType == BT_SUBMENU && m_nPrevBlockType == BT_LABEL_MENU);
    if (sized && MatchKeyword(p, KW_ItemHeight)) {
        if (!ParseShortAsInt(p, v, 1, 200))
            return KWR_FAILED;
        sub.ItemHeight = v;
        return KWR_DONE;
    }
    if (sized && MatchKeyword(p, KW_ItemWidth)) {
        if (!ParseShortAsInt(p, v, 1, 500))
            return KWR_FAILED;
        sub.ItemWidth = v;
        return KWR_DONE;
    }
    if (MatchKeyword(p, KW_Row))
        return ReadLayoutRow(p, buttons);
    m_nErrorCode = KWE_UNRECOGNIZED;
    return KWR_FAILED;
}

int CDiagramLoadObj::HandleMenuLine(const char* p)
{
    if (*p == '}') {
        CStyleMenu* target = DocMenu(m_nBlockType);
        if (m_pMenu && target) {
            // The document's menu keeps its kind; only the contents change.
            // The submenu of the loose keys comes first, as it is written.
            target->Clear();
            if (m_bLooseSubmenu)
                target->m_sub[target->m_nCount++] = m_looseSubmenu;
            for (int i = 0; i < m_pMenu->m_nCount && target->m_nCount < CStyleMenu::kMaxSubmenus; ++i)
                target->m_sub[target->m_nCount++] = m_pMenu->m_sub[i];
        }
        m_pMenu.reset();
        return CloseCurrentBlock();
    }
    if (MatchKeyword(p, KW_Submenu)) {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxLayoutName))
            m_nErrorCode = 0; // a submenu may have no name
        m_submenu.Clear();
        if (m_pMenu)
            m_pMenu->PresetSubmenu(m_submenu);
        m_submenu.m_strName = name;
        SetBlockType(BT_SUBMENU);
        return KWR_DONE;
    }
    return ReadLayoutKey(p, false);
}

int CDiagramLoadObj::HandleSubmenuLine(const char* p)
{
    if (*p != '}')
        return ReadLayoutKey(p, false);
    // A seventeenth submenu is passed over.
    if (m_pMenu && m_pMenu->m_nCount < CStyleMenu::kMaxSubmenus)
        m_pMenu->m_sub[m_pMenu->m_nCount++] = m_submenu;
    m_submenu.Clear();
    return CloseCurrentBlock();
}

int CDiagramLoadObj::HandleButtonLayoutLine(const char* p)
{
    if (*p != '}')
        return ReadLayoutKey(p, true);
    if (CStyleMenuLayout* target = DocButtonLayout(m_nBlockType))
        *target = m_layout;
    return CloseCurrentBlock();
}

// ---- writing

namespace {

BOOL WriteMenu(CKeywordWriter& w, EKeyword key, const CStyleMenu& menu, bool sized)
{
    if (!menu.HasItems())
        return TRUE;
    if (!w.OpenNamedBlock(key, nullptr, true))
        return FALSE;
    for (int i = 0; i < menu.m_nCount; ++i) {
        const CStyleSubmenu& s = menu.m_sub[i];
        // The first submenu, when it has no name, stands directly in the
        // menu block; a later one without a name keeps a block of its own.
        const bool block = i > 0 || !s.m_strName.empty();
        if (block && !w.OpenNamedBlock(KW_Submenu, s.m_strName.c_str(), true))
            return FALSE;
        if (!w.WriteShort(KW_Columns, s.Columns))
            return FALSE;
        if (sized && !(w.WriteShort(KW_ItemHeight, s.ItemHeight) && w.WriteShort(KW_ItemWidth, s.ItemWidth)))
            return FALSE;
        if (!w.WriteNameRows(s.m_names, s.m_nCount, s.Columns))
            return FALSE;
        if (block && !w.CloseBlock())
            return FALSE;
    }
    return w.CloseBlock();
}

BOOL WriteButtons(CKeywordWriter& w, EKeyword key, const CStyleMenuLayout& layout)
{
    return w.OpenNamedBlock(key, nullptr, true) && w.WriteShort(KW_Columns, layout.Columns) &&
           w.WriteShort(KW_BtnHeight, layout.BtnHeight) &&
           w.WriteNameRows(layout.m_names, layout.m_nCount, layout.Columns) && w.CloseBlock();
}

// Whether a load of a file without this kind's button layout would build
// one with buttons: some style of the kind is flagged for a button (label
// filter 1 label styles, 0 figure styles, -1 connector styles).
bool LibraryGivesButtons(const CKavoDoc& doc, int filter)
{
    if (filter < 0) {
        for (int i = 0; i < doc.m_conStyles.GetCount(); ++i)
            if (doc.m_conStyles.GetAt(i)->HasButton)
                return true;
        return false;
    }
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i) {
        const CFigStyle* s = doc.m_figStyles.GetAt(i);
        if (s->HasButton && (s->Label ? 1 : 0) == filter)
            return true;
    }
    return false;
}

BOOL WriteKind(CKeywordWriter& w, EKeyword menuKey, const CStyleMenu& menu, bool sized, EKeyword buttonsKey,
               const CStyleMenuLayout& buttons, EKeyword restoreKey, const CStyleMenuLayout& restore,
               bool libraryGivesButtons)
{
    if (!WriteMenu(w, menuKey, menu, sized))
        return FALSE;
    // A layout without buttons is written only where it says something: when
    // the load would otherwise build buttons from the styles. An empty one
    // that the load builds anyway would keep a file from resaving as read.
    const bool says = buttons.m_nCount > 0 || libraryGivesButtons;
    if (buttons.IsDefined() && says && !WriteButtons(w, buttonsKey, buttons))
        return FALSE;
    // The layout to go back to, only when it holds one that differs.
    if (restore.IsDefined() && restore.m_nCount > 0 && !(restore == buttons) &&
        !WriteButtons(w, restoreKey, restore))
        return FALSE;
    return TRUE;
}

} // namespace

BOOL WriteStyleLayouts(CKeywordWriter& w, const CKavoDoc& doc)
{
    return WriteKind(w, KW_LabelMenu, doc.m_lblMenu, false, KW_LabelButtons, doc.m_lblButtons,
                     KW_LabelButtonsRestore, doc.m_lblButtonsRestore, LibraryGivesButtons(doc, 1)) &&
           WriteKind(w, KW_FigureMenu, doc.m_figMenu, true, KW_FigureButtons, doc.m_figButtons,
                     KW_FigureButtonsRestore, doc.m_figButtonsRestore, LibraryGivesButtons(doc, 0)) &&
           WriteKind(w, KW_ConnectorMenu, doc.m_conMenu, true, KW_ConnectorButtons, doc.m_conButtons,
                     KW_ConnectorButtonsRestore, doc.m_conButtonsRestore, LibraryGivesButtons(doc, -1));
}
