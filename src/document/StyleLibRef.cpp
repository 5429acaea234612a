#include "document/StyleLibRef.h"

#include <utility>

int StyleNameList::Find(const std::string* names, int count, const std::string& name)
{
    for (int i = 0; i < count; ++i)
        if (names[i] == name)
            return i;
    return -1;
}

void StyleNameList::RemoveAt(int pos)
{
    if (pos < 0 || pos >= count)
        return;
    for (int i = pos; i + 1 < count; ++i) {
        names[i] = std::move(names[i + 1]);
        index[i] = index[i + 1];
    }
    --count;
    names[count].clear();
    index[count] = 0;
}

bool StyleNameList::RemoveName(const std::string& name)
{
    bool removed = false;
    for (int pos; (pos = FindName(name)) >= 0; removed = true)
        RemoveAt(pos);
    return removed;
}

bool StyleNameList::ResolveNames(const StyleLibRef& lib, int removeMissing)
{
    bool all = true;
    for (int i = 0; i < count;) {
        index[i] = lib.Find(names[i]);
        if (index[i] < 0) {
            all = false;
            if (removeMissing && !names[i].empty()) {
                RemoveAt(i);
                continue;
            }
        }
        ++i;
    }
    return all;
}

bool StyleNameList::NamesFromIndexes(const StyleLibRef& lib)
{
    bool all = true;
    for (int i = 0; i < count; ++i) {
        const CStyle* s = lib.At(index[i]);
        names[i] = s ? s->m_strName : std::string();
        all = all && s;
    }
    return all;
}
