#pragma once
// An INI-style store of sections and keys, the stand-in for a registry subtree.
// Section and key look-up is case-blind as in the registry; the case first
// written is kept. Values are byte strings (Windows-1252 text, numbers as text,
// binary blocks as hex) and come back exactly as written. Sections and keys are
// indexed, so loading and every look-up take constant time per key.
//
// Comments are kept where they stood and written back as they were. Other
// lines the store does not read as a section or a value (text before the
// first section, lines without '=') and values given again are damage: the
// file as it was is copied to "<file>.bad" (or .bad2 to .bad9 when an earlier
// copy holds other bytes), the trace and the user are told where, and the
// next save writes only what was read. When no copy can be made the unread
// lines stay in the file, so that nothing is lost.
#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Where the stores report files they could not read whole: a printf-style
// trace. Until one is set the lines are held, and setting one hands them
// over (the settings are read before the trace is opened); null drops them.
using ProfileTraceFn = int (*)(const char* format, ...);
void SetProfileTrace(ProfileTraceFn trace);

class CProfileStore {
public:
    CProfileStore() = default;
    explicit CProfileStore(QString path);

    const QString& Path() const { return m_path; }
    // Reads the file; a missing file is an empty store (true). False when the
    // file exists but cannot be read: it is then moved to the first free copy
    // name so that the next save cannot replace it, and the user is told.
    bool Load();
    // Writes the whole store to a sibling temporary and renames it over the file,
    // so an interrupted save keeps the previous file. Creates the folder.
    bool Save() const;
    bool FileExists() const;
    // Lines of the last Load that were not taken in as they stood: kept lines
    // the store does not understand, and values given again (the last wins).
    int DamagedLines() const { return m_damagedLines; }

    std::optional<std::string> GetValue(const std::string& section, const std::string& key) const;
    void SetValue(const std::string& section, const std::string& key, const std::string& value);
    bool DeleteValue(const std::string& section, const std::string& key);
    bool DeleteSection(const std::string& section);
    bool HasSection(const std::string& section) const;
    void AddSection(const std::string& section);
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

private:
    // A value, or (kept) a line the store keeps as it was read.
    struct Entry {
        std::string key;
        std::string value;
        bool kept = false;
        bool damaged = false; // a kept line that is no comment
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, size_t> index; // case-folded key -> entry
        void Reindex();
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;
    Section& SectionFor(const std::string& name);
    void Clear();
    void ReadText(std::string_view text);
    // Whether the bytes read are now in a copy beside the file.
    bool KeepDamagedCopy(const QByteArray& bytes);
    void DropDamagedLines();

    QString m_path;
    std::vector<Entry> m_preamble; // kept lines before the first section
    std::vector<Section> m_sections;
    std::unordered_map<std::string, size_t> m_sectionIndex; // case-folded name -> section
    int m_damagedLines = 0;
};
