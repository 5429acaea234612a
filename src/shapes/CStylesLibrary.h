#pragma once
// The common part of the two style libraries: look-up by name, the keep flags
// of a merge and the category list.
#include "shapes/CLibraryList.h"
#include "shapes/LibraryUsers.h"
#include "shapes/StyleCategoryList.h"

#include <string>

template <class Style>
class CStylesLibrary : public CLibraryList<Style> {
public:
    explicit CStylesLibrary(IStyleIndexUsers* doc) : m_pDoc(doc) {}

    void SetChanged() { m_bChanged = 1; }
    bool IsChanged() const { return m_bChanged != 0; }
    void SetKeepFlag(int value)
    {
        for (auto& e : this->m_entries)
            e->m_nKeep = value;
    }

    // Rebuilds the list only while the library is marked changed, and clears
    // the mark also when the build stopped early: the list keeps the kind of
    // its last build until SetChanged.
    const StyleCategoryList& GetCategories(int kind)
    {
        if (m_bChanged) {
            BuildCategories(m_categories, kind);
            m_bChanged = 0;
        }
        return m_categories;
    }
    // 0 when a 17th category or a 51st index ended the build; what was built
    // stays in the list.
    virtual int BuildCategories(StyleCategoryList& list, int kind) = 0;
    // 1 removed, 0 refused. Indexes held by objects are the caller's.
    virtual int Delete(int index) = 0;
    // Removes the entry and renumbers the indexes the document's objects hold.
    virtual int RemoveWithUsers(int index) = 0;

    // After a file was merged: every entry the file brought (keep flag 0) that
    // an object uses loses its toolbar button, every unused one is removed.
    void ReconcileMergedEntries()
    {
        int i = 0;
        while (i < this->GetCount()) {
            Style* s = this->GetAt(i);
            if (s->m_nKeep) {
                ++i;
            } else if (IsUsed(i)) {
                s->HasButton = 0;
                ++i;
            } else if (!RemoveWithUsers(i)) {
                ++i;
            }
        }
    }

protected:
    virtual bool IsUsed(int index) const = 0;
    // Files entry i under its category ("(no category)" for an empty text).
    int BuildFrom(StyleCategoryList& list, int i, const std::string& category)
    {
        const int cat = list.FindOrAddCategory(category.empty() ? NoCategoryName() : category);
        if (cat < 0 || !list.AddIndex(cat, i))
            return 0;
        return 1;
    }

    IStyleIndexUsers* m_pDoc;
    int32_t m_bChanged = 1;
    StyleCategoryList m_categories;
};
