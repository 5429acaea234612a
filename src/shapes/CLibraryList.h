#pragma once
// The base of every library of this subsystem: an ordered list of owned
// entries. An entry's index is its position, from 0; objects, menus and files
// refer to entries by index, so every removal is also a renumbering.
#include <memory>
#include <new>
#include <string>
#include <vector>

template <class Entry>
class CLibraryList {
public:
    virtual ~CLibraryList() = default;

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    Entry* GetAt(int index) const
    {
        return index >= 0 && index < GetCount() ? m_entries[static_cast<size_t>(index)].get() : nullptr;
    }
    virtual void RemoveAll() { m_entries.clear(); }
    // Index of the first entry whose name equals `name` exactly (case counts),
    // -1 if none.
    int FindByName(const std::string& name) const
    {
        for (int i = 0; i < GetCount(); ++i) {
            if (m_entries[static_cast<size_t>(i)]->m_strName == name)
                return i;
        }
        return -1;
    }

    // Test support: makes the next appends fail as if memory ran out.
    void FailAppendsForTest(bool fail) { m_bFailAppends = fail; }

protected:
    // Appends a default entry; null (nothing appended) when memory runs out.
    Entry* AppendNew()
    {
        if (m_bFailAppends)
            return nullptr;
        try {
            m_entries.push_back(std::make_unique<Entry>());
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return m_entries.back().get();
    }
    void RemoveAt(int index) { m_entries.erase(m_entries.begin() + index); }

    std::vector<std::unique_ptr<Entry>> m_entries;

private:
    bool m_bFailAppends = false;
};
