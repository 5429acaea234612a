#pragma once
// The categories of a style library as the style menus, the style bar and the
// style sheets show them: at most 16 names in byte order with "(no category)"
// last, each with at most 50 library indexes in library order.
#include <cstdint>
#include <string>

struct StyleCategory {
    static constexpr int kMaxIndexes = 50;

    std::string m_strName;
    int32_t m_nCount = 0;
    int32_t m_index[kMaxIndexes] = {};
};

class StyleCategoryList {
public:
    static constexpr int kMaxCategories = 16;

    int32_t m_nCount = 0;
    StyleCategory m_cat[kMaxCategories];

    void Clear() { m_nCount = 0; }
    // Position of the category of that name, inserted in order when new; -1
    // when 16 categories exist already.
    int FindOrAddCategory(const std::string& name);
    // Adds the index to category `cat` unless it is there; false when the
    // category already holds 50 indexes.
    bool AddIndex(int cat, int index);
};

// The name that stands for an empty category text ("(no category)").
std::string NoCategoryName();
