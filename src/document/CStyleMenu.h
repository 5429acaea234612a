#pragma once
// The drop-down style menus of a document: up to 16 submenus (one per style
// category), each with up to 51 styles by name and index. The three kinds
// (label, figure, connector) differ in their submenu preset and in how they
// are rebuilt from the style library.
#include "document/StyleLibRef.h"
#include "platform/CRect.h"
#include "platform/LogFont.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What sizing label items needs of the screen: the extent of a text in a font
// (screen pixels) and the main window's width (logical units). The frame
// installs it; tests answer for it.
struct StyleMenuMetrics {
    std::function<SIZE(const LOGFONT& font, const std::string& text)> measureText;
    int mainWindowWidth = 0;
};
StyleMenuMetrics& GetStyleMenuMetrics();
void ResetStyleMenuMetrics();

// The column count of a figure or connector submenu of more than 4 entries.
int GetSubmenuColumns(int entries);

class CStyleSubmenu {
public:
    static constexpr int kMaxEntries = 51;

    std::string m_strName;   // the category of its styles
    int32_t ItemWidth = 0, ItemHeight = 0;
    int32_t Columns = -1;    // -1: not defined
    int32_t m_nCount = 0;
    std::string m_names[kMaxEntries];
    int32_t m_index[kMaxEntries] = {};

    StyleNameList List() { return {m_names, m_index, m_nCount}; }

    void Clear();
    int FindName(const std::string& name) const;
    bool AppendName(const std::string& name);
    void RemoveAt(int pos);
    bool RemoveName(const std::string& name);
    bool ResolveNames(const StyleLibRef& lib, int removeMissing);
    bool NamesFromIndexes(const StyleLibRef& lib);
    bool HasValidIndex() const;
    // Label items sized from the names in their own fonts.
    void FitToText(const StyleLibRef& lib);
};

// The description of a drop menu the style bar's drop buttons show.
struct DropMenuDesc {
    struct Sub {
        int32_t itemWidth = 0, itemHeight = 0, columns = 0, count = 0;
        std::string name;
    };
    std::vector<Sub> subs;
    std::vector<uint16_t> indexes;   // all submenus' style indexes in order
    int32_t margin = 0;              // the frame's margin around an item

    void Clear() { *this = DropMenuDesc(); }
};

class CStyleMenu {
public:
    static constexpr int kMaxSubmenus = 16;

    int32_t m_nCount = 0;
    CStyleSubmenu m_sub[kMaxSubmenus];

    virtual ~CStyleMenu() = default;
    CStyleMenu() = default;
    CStyleMenu(const CStyleMenu&) = default;
    CStyleMenu& operator=(const CStyleMenu&) = default;

    // The kind's preset of one submenu.
    virtual void PresetSubmenu(CStyleSubmenu& sub) const = 0;
    // The menu built from the library's categories.
    virtual void RebuildFromLibrary(const StyleLibRef& lib) = 0;

    bool HasItems() const { return m_nCount > 0 && m_sub[0].Columns != -1; }
    void Clear();
    void FitAllToText(const StyleLibRef& lib);
    int FindSubmenu(const std::string& name) const;
    int FindStyle(const std::string& name) const;
    bool IsBlank() const { return m_nCount == 1 && m_sub[0].m_nCount == 0 && m_sub[0].m_strName.empty(); }
    void Reset();
    void RemoveSubmenu(int pos);
    void RemoveStyle(const std::string& name);
    // The new submenu's position, -1 when 16 are in use. A lone unnamed
    // submenu asked for as "(no category)" takes the name and keeps its styles.
    int AddSubmenu(const std::string& name);
    bool AddStyle(const std::string& name, const std::string& category, int moveIfElsewhere);
    bool ResolveAll(const StyleLibRef& lib, int removeMissing);
    bool NamesFromIndexes(const StyleLibRef& lib);
    bool HasStyle(const std::string& name) const { return FindStyle(name) >= 0; }
    bool MatchesDropMenu(const DropMenuDesc& desc) const;

protected:
    bool IsLoneUnnamed() const;
    // The submenu of a category, the lone unnamed one standing for
    // "(no category)"; -1 when none.
    int FindCategory(const std::string& category) const;
    // The categories of one label kind (-1 connectors) as submenus.
    void BuildFromCategories(const StyleLibRef& lib, int labelKind);
};

class CLabelStyleMenu : public CStyleMenu {
public:
    void PresetSubmenu(CStyleSubmenu& sub) const override;
    void RebuildFromLibrary(const StyleLibRef& lib) override;
};

class CFigureStyleMenu : public CStyleMenu {
public:
    // The document's "LargeDropMenus" setting.
    const int32_t* m_pLargeDropMenus = nullptr;
    void PresetSubmenu(CStyleSubmenu& sub) const override;
    void RebuildFromLibrary(const StyleLibRef& lib) override;
};

class CConnectorStyleMenu : public CStyleMenu {
public:
    void PresetSubmenu(CStyleSubmenu& sub) const override;
    void RebuildFromLibrary(const StyleLibRef& lib) override;
};

void FillDropMenuFromLayout(const CStyleMenu& menu, DropMenuDesc& desc);
