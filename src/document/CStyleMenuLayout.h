#pragma once
// The button layout of one kind of style on the style bar: the button height,
// the number of columns and up to 200 styles, each by index and by name (the
// name is what a file stores; the index is resolved against the library).
#include "document/StyleLibRef.h"

#include <cstdint>
#include <string>

class CStyleMenuLayout {
public:
    static constexpr int kMaxEntries = 200;

    int32_t BtnHeight = 0;   // 0: layout not defined
    int32_t Columns = 0;     // 0: layout not defined
    int32_t m_nCount = 0;
    int32_t m_index[kMaxEntries] = {};
    std::string m_names[kMaxEntries];

    StyleNameList List() { return {m_names, m_index, m_nCount}; }

    void Clear();
    void PresetLabelButtons() { Preset(32, 1); }
    void PresetFigureButtons() { Preset(28, 2); }
    void PresetConnectorButtons() { Preset(20, 2); }
    CStyleMenuLayout& operator=(const CStyleMenuLayout& o);
    CStyleMenuLayout() = default;
    CStyleMenuLayout(const CStyleMenuLayout& o) { *this = o; }
    // Values, count and indexes; the names are not compared.
    bool operator==(const CStyleMenuLayout& o) const;
    bool IsDefined() const { return BtnHeight != 0 && Columns != 0; }
    // Refused below 0, above the count or when full; later entries move up.
    bool InsertAt(int pos, int index, const std::string& name);
    void RemoveAt(int pos);
    // Removes every entry of that name; true when one went.
    bool RemoveName(const std::string& name);
    // Swaps index and name of the entries holding the two style indexes.
    bool SwapEntries(int indexA, int indexB);
    int FindIndex(int index) const;
    int FindName(const std::string& name) const;
    bool AppendName(const std::string& name);
    // Each entry's index looked up by name (-1 when absent); with
    // removeMissing, entries with a name the library lacks are removed. True
    // when every name was found.
    bool ResolveNames(const StyleLibRef& lib, int removeMissing);
    // Each name from its index; false (name empty) when an index finds nothing.
    bool NamesFromIndexes(const StyleLibRef& lib);
    // In library order, every style with its button whose label flag equals
    // the filter (-1 any), up to 200, names filled.
    void BuildFromLibrary(const StyleLibRef& lib, int labelFilter);

private:
    void Preset(int height, int columns)
    {
        BtnHeight = height;
        Columns = columns;
    }
};
