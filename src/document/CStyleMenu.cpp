#include "document/CStyleMenu.h"

#include "core/Units.h"
#include "shapes/StyleCategoryList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {
StyleMenuMetrics g_metrics;
} // namespace

StyleMenuMetrics& GetStyleMenuMetrics()
{
    return g_metrics;
}

void ResetStyleMenuMetrics()
{
    g_metrics = StyleMenuMetrics();
}

int GetSubmenuColumns(int entries)
{
    // About square, never more than the files allow.
    const int columns = int(std::ceil(std::sqrt(double(std::max(entries, 1)))));
    return std::min(columns, 20);
}

// ---- CStyleSubmenu

void CStyleSubmenu::Clear()
{
    m_strName.clear();
    ItemWidth = ItemHeight = 0;
    Columns = -1;
    m_nCount = 0;
    for (int i = 0; i < kMaxEntries; ++i) {
        m_names[i].clear();
        m_index[i] = 0;
    }
}

int CStyleSubmenu::FindName(const std::string& name) const
{
    return StyleNameList::Find(m_names, m_nCount, name);
}

bool CStyleSubmenu::AppendName(const std::string& name)
{
    if (m_nCount >= kMaxEntries)
        return false;
    m_names[m_nCount] = name;
    m_index[m_nCount] = -1;
    ++m_nCount;
    return true;
}

void CStyleSubmenu::RemoveAt(int pos)
{
    List().RemoveAt(pos);
}

bool CStyleSubmenu::RemoveName(const std::string& name)
{
    return List().RemoveName(name);
}

bool CStyleSubmenu::ResolveNames(const StyleLibRef& lib, int removeMissing)
{
    return List().ResolveNames(lib, removeMissing);
}

bool CStyleSubmenu::NamesFromIndexes(const StyleLibRef& lib)
{
    return List().NamesFromIndexes(lib);
}

bool CStyleSubmenu::HasValidIndex() const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_index[i] >= 0)
            return true;
    return false;
}

void CStyleSubmenu::FitToText(const StyleLibRef& lib)
{
    const StyleMenuMetrics& m = GetStyleMenuMetrics();
    int width = 0, height = 0;
    bool measured = false;
    const LONG maxHeight = PointsToLogical(30);
    for (int i = 0; i < m_nCount && m.measureText; ++i) {
        const CFigStyle* s = lib.FigAt(m_index[i]);
        if (!s || !s->Label)
            continue;
        LOGFONT lf = s->m_props.m_font.m_lf;
        // Very large fonts would make the menu unusable: measure at 30 points.
        if (std::abs(lf.lfHeight) > maxHeight)
            lf.lfHeight = lf.lfHeight < 0 ? -maxHeight : maxHeight;
        SIZE ext = m.measureText(lf, s->m_strName);
        if (lf.lfUnderline)
            ++ext.cy;
        width = std::max(width, int(ext.cx));
        height = std::max(height, int(ext.cy));
        measured = true;
    }
    width = ScreenPixelsToLogical(width);
    height = ScreenPixelsToLogical(height);
    ItemHeight = height + (measured ? 1 : 2);
    ItemWidth = width + 6;
    ItemWidth += ItemWidth / 20;
    if (m.mainWindowWidth > 0)
        ItemWidth = std::min(ItemWidth, m.mainWindowWidth * 3 / 4);
}

// ---- CStyleMenu

void CStyleMenu::Clear()
{
    m_nCount = 0;
    for (CStyleSubmenu& s : m_sub)
        s.Clear();
}

void CStyleMenu::FitAllToText(const StyleLibRef& lib)
{
    for (int i = 0; i < m_nCount; ++i)
        m_sub[i].FitToText(lib);
}

int CStyleMenu::FindSubmenu(const std::string& name) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_sub[i].m_strName == name)
            return i;
    return -1;
}

int CStyleMenu::FindStyle(const std::string& name) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_sub[i].FindName(name) >= 0)
            return i;
    return -1;
}

void CStyleMenu::Reset()
{
    if (IsBlank())
        return;
    Clear();
    m_nCount = 1;
    PresetSubmenu(m_sub[0]);
}

void CStyleMenu::RemoveSubmenu(int pos)
{
    if (pos < 0 || pos >= m_nCount)
        return;
    if (m_nCount == 1) {
        Reset();
        return;
    }
    for (int i = pos; i + 1 < m_nCount; ++i)
        m_sub[i] = std::move(m_sub[i + 1]);
    --m_nCount;
    m_sub[m_nCount].Clear();
}

void CStyleMenu::RemoveStyle(const std::string& name)
{
    for (int i = 0; i < m_nCount;) {
        CStyleSubmenu& s = m_sub[i];
        if (s.RemoveName(name) && !s.HasValidIndex()) {
            const int before = m_nCount;
            RemoveSubmenu(i);
            if (m_nCount == before)   // the last one was reset in place
                return;
            continue;
        }
        ++i;
    }
}

bool CStyleMenu::IsLoneUnnamed() const
{
    return m_nCount == 1 && m_sub[0].m_strName.empty();
}

int CStyleMenu::FindCategory(const std::string& category) const
{
    // A lone unnamed submenu with styles is "(no category)" shown without
    // its name; an empty one is named when the first style comes.
    if (category == NoCategoryName() && IsLoneUnnamed() && m_sub[0].m_nCount > 0)
        return 0;
    return FindSubmenu(category);
}

int CStyleMenu::AddSubmenu(const std::string& name)
{
    if (name == NoCategoryName() && IsLoneUnnamed()) {
        m_sub[0].m_strName = name;
        return 0;
    }
    // A lone unnamed submenu gives way; what it held goes to "(no category)".
    if (IsLoneUnnamed()) {
        CStyleSubmenu old = std::move(m_sub[0]);
        m_sub[0].Clear();
        PresetSubmenu(m_sub[0]);
        m_sub[0].m_strName = name;
        if (old.m_nCount > 0) {
            old.m_strName = NoCategoryName();
            m_sub[1] = std::move(old);
            m_nCount = 2;
        }
        return 0;
    }
    if (m_nCount >= kMaxSubmenus)
        return -1;
    CStyleSubmenu& s = m_sub[m_nCount];
    s.Clear();
    PresetSubmenu(s);
    s.m_strName = name;
    return m_nCount++;
}

bool CStyleMenu::AddStyle(const std::string& name, const std::string& category, int moveIfElsewhere)
{
    const std::string cat = category.empty() ? NoCategoryName() : category;
    if (!HasItems())
        Reset();
    int pos = FindCategory(cat);
    if (pos >= 0 && m_sub[pos].FindName(name) >= 0)
        return true;
    if (moveIfElsewhere) {
        RemoveStyle(name);
        pos = FindCategory(cat);
    }
    if (pos < 0 && (pos = AddSubmenu(cat)) < 0)
        return false;
    return m_sub[pos].AppendName(name);
}

bool CStyleMenu::ResolveAll(const StyleLibRef& lib, int removeMissing)
{
    bool all = true;
    for (int i = 0; i < m_nCount; ++i)
        all = m_sub[i].ResolveNames(lib, removeMissing) && all;
    return all;
}

bool CStyleMenu::NamesFromIndexes(const StyleLibRef& lib)
{
    bool all = true;
    for (int i = 0; i < m_nCount; ++i)
        all = m_sub[i].NamesFromIndexes(lib) && all;
    return all;
}

bool CStyleMenu::MatchesDropMenu(const DropMenuDesc& desc) const
{
    if (int(desc.subs.size()) < m_nCount)
        return false;
    for (int i = 0; i < m_nCount; ++i) {
        const DropMenuDesc::Sub& d = desc.subs[size_t(i)];
        if (m_sub[i].ItemWidth != d.itemWidth - 2 * desc.margin ||
            m_sub[i].ItemHeight != d.itemHeight - 2 * desc.margin)
            return false;
    }
    return true;
}

void CStyleMenu::BuildFromCategories(const StyleLibRef& lib, int labelKind)
{
    Clear();
    StyleCategoryList cats;
    lib.BuildCategories(cats, labelKind < 0 ? 0 : labelKind);
    for (int c = 0; c < cats.m_nCount && m_nCount < kMaxSubmenus; ++c) {
        CStyleSubmenu& s = m_sub[m_nCount];
        PresetSubmenu(s);
        s.m_strName = cats.m_cat[c].m_strName;
        for (int k = 0; k < cats.m_cat[c].m_nCount; ++k) {
            const int index = cats.m_cat[c].m_index[k];
            const CStyle* st = lib.At(index);
            if (st && st->InMenu && (labelKind < 0 || lib.LabelOf(index) == labelKind))
                s.AppendName(st->m_strName);
        }
        ++m_nCount;
    }
    if (m_nCount == 1 && m_sub[0].m_strName == NoCategoryName())
        m_sub[0].m_strName.clear();
}

// ---- the three kinds

void CLabelStyleMenu::PresetSubmenu(CStyleSubmenu& sub) const
{
    sub.Columns = 1;
    sub.ItemWidth = sub.ItemHeight = 0;
}

void CLabelStyleMenu::RebuildFromLibrary(const StyleLibRef& lib)
{
    BuildFromCategories(lib, 1);
    ResolveAll(lib, 0);
    FitAllToText(lib);
}

void CFigureStyleMenu::PresetSubmenu(CStyleSubmenu& sub) const
{
    const bool large = m_pLargeDropMenus && *m_pLargeDropMenus;
    sub.Columns = 5;
    sub.ItemWidth = large ? 45 : 36;
    sub.ItemHeight = large ? 30 : 18;
}

namespace {
// Submenus of more than 4 entries get a computed column count, smaller ones
// one column per entry.
void FitColumns(CStyleMenu& menu)
{
    for (int i = 0; i < menu.m_nCount; ++i) {
        CStyleSubmenu& s = menu.m_sub[i];
        s.Columns = s.m_nCount > 4 ? GetSubmenuColumns(s.m_nCount) : std::max(s.m_nCount, 1);
    }
}
} // namespace

void CFigureStyleMenu::RebuildFromLibrary(const StyleLibRef& lib)
{
    BuildFromCategories(lib, 0);
    FitColumns(*this);
    ResolveAll(lib, 0);
}

void CConnectorStyleMenu::PresetSubmenu(CStyleSubmenu& sub) const
{
    sub.Columns = 4;
    sub.ItemWidth = 49;
    sub.ItemHeight = 11;
}

void CConnectorStyleMenu::RebuildFromLibrary(const StyleLibRef& lib)
{
    BuildFromCategories(lib, -1);
    FitColumns(*this);
    ResolveAll(lib, 0);
}

void FillDropMenuFromLayout(const CStyleMenu& menu, DropMenuDesc& desc)
{
    const int32_t margin = desc.margin;
    desc.Clear();
    desc.margin = margin;
    for (int i = 0; i < menu.m_nCount; ++i) {
        const CStyleSubmenu& s = menu.m_sub[i];
        DropMenuDesc::Sub d;
        d.itemWidth = s.m_nCount ? s.ItemWidth : 0;
        d.itemHeight = s.m_nCount ? s.ItemHeight : 0;
        d.columns = std::min(s.Columns, s.m_nCount);
        d.name = s.m_strName;
        d.count = s.m_nCount;
        desc.subs.push_back(d);
        for (int k = 0; k < s.m_nCount; ++k)
            desc.indexes.push_back(uint16_t(s.m_index[k]));
    }
}
