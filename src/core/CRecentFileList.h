#pragma once
// The most-recently-used file list of the File menu: the newest first, kept in
// the profile section "Recent File List" as "File1" .. "File<n>".
#include <string>
#include <vector>

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4);
    // Moves or inserts the path at the top; the oldest falls off the end. Paths
    // are compared without regard to case.
    void Add(const std::string& path);
    void Remove(int index);
    int GetSize() const { return m_size; }
    // The entry, or "" past the end.
    std::string operator[](int index) const;
    bool IsEmpty() const { return m_files.empty(); }
    void ReadList();
    void WriteList() const;

private:
    int m_size;
    std::vector<std::string> m_files;
};
