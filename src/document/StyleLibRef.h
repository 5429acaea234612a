#pragma once
// One of the document's two style libraries seen the way the style menus and
// button layouts use it: entries by index and name, each entry's label flag
// (-1 for connector styles) and its categories.
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStylesLibrary.h"

#include <string>

class StyleLibRef {
public:
    explicit StyleLibRef(CFigStylesLibrary& lib) : m_fig(&lib) {}
    explicit StyleLibRef(CConStylesLibrary& lib) : m_con(&lib) {}

    int Count() const { return m_fig ? m_fig->GetCount() : m_con->GetCount(); }
    CStyle* At(int i) const
    {
        return m_fig ? static_cast<CStyle*>(m_fig->GetAt(i)) : static_cast<CStyle*>(m_con->GetAt(i));
    }
    int Find(const std::string& name) const { return m_fig ? m_fig->FindByName(name) : m_con->FindByName(name); }
    // 1 label style, 0 figure style, -1 connector style or no entry.
    int LabelOf(int i) const
    {
        const CFigStyle* s = m_fig ? m_fig->GetAt(i) : nullptr;
        return s ? (s->Label ? 1 : 0) : -1;
    }
    const CFigStyle* FigAt(int i) const { return m_fig ? m_fig->GetAt(i) : nullptr; }
    // A fresh list of the categories of one kind (the library's cached list
    // keeps the kind of its last build, and label and figure menus share it).
    int BuildCategories(StyleCategoryList& list, int kind) const
    {
        return m_fig ? m_fig->BuildCategories(list, kind) : m_con->BuildCategories(list, kind);
    }

private:
    CFigStylesLibrary* m_fig = nullptr;
    CConStylesLibrary* m_con = nullptr;
};

// The list operations the button layouts and the submenus share: parallel
// arrays of names and style indexes with a count.
struct StyleNameList {
    std::string* names;
    int32_t* index;
    int32_t& count;

    int FindName(const std::string& name) const { return Find(names, count, name); }
    static int Find(const std::string* names, int count, const std::string& name);
    void RemoveAt(int pos);
    bool RemoveName(const std::string& name);
    bool ResolveNames(const StyleLibRef& lib, int removeMissing);
    bool NamesFromIndexes(const StyleLibRef& lib);
};
