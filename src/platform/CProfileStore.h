#pragma once
// An INI-style store of sections and keys, the stand-in for a registry subtree.
// Section and key look-up is case-blind as in the registry; the case first
// written is kept. Values are byte strings (Windows-1252 text, numbers as text,
// binary blocks as hex) and come back exactly as written.
#include <QString>

#include <optional>
#include <string>
#include <vector>

class CProfileStore {
public:
    CProfileStore() = default;
    explicit CProfileStore(QString path);

    const QString& Path() const { return m_path; }
    // Reads the file; a missing file is an empty store (true). False when the
    // file exists but cannot be read.
    bool Load();
    // Writes the whole store to a sibling temporary and renames it over the file,
    // so an interrupted save keeps the previous file. Creates the folder.
    bool Save() const;
    bool FileExists() const;

    std::optional<std::string> GetValue(const std::string& section, const std::string& key) const;
    void SetValue(const std::string& section, const std::string& key, const std::string& value);
    bool DeleteValue(const std::string& section, const std::string& key);
    bool DeleteSection(const std::string& section);
    bool HasSection(const std::string& section) const;
    void AddSection(const std::string& section);
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

private:
    struct Value {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Value> values;
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;

    QString m_path;
    std::vector<Section> m_sections;
};
