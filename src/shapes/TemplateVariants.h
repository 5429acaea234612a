#pragma once
// The variants of a diagram template: up to three named groups of alternative
// sub-templates ("kvv" files in the variants folder), each with up to 200
// items. A variant file's title ends in "(group=item,number)", optionally
// with a further "," marking the group's default item. The item chosen in
// each group is remembered per template in the profile and merged into a new
// diagram made from the template.
#include <QString>

#include <array>
#include <memory>
#include <string>
#include <vector>

// What Apply needs of the document the variants are merged into.
class IVariantTarget {
public:
    virtual ~IVariantTarget() = default;
    virtual bool MergeDiagramFile(const QString& path) = 0;
    // Re-applies the document's figure text margins as one undoable change.
    virtual void SetFigMargins() = 0;
};

// The parts of a variant file title; false when it has none.
struct VariantTitleParts {
    std::string group;
    std::string item;
    int number = 0;
    bool isDefault = false;
};
bool ParseVariantTitle(const std::string& title, VariantTitleParts& out);

class TemplateVariants {
public:
    static constexpr int kMaxGroups = 3;
    static constexpr int kMaxItems = 200;

    struct Group {
        std::string name;
        int count = 0;
        int defaultItem = 0;
        int chosen = 0;
        std::array<std::string, kMaxItems> itemNames;
        std::array<std::string, kMaxItems> fileNames;
        std::array<std::unique_ptr<std::string>, kMaxItems> data; // cached contents
    };

    // Scans the variants folder for the template's variant files (title of
    // the template followed by "*.kvv"); with a filter only that group.
    void BuildTemplateVariants(const QString& templatePath, const std::string& groupFilter = std::string());
    // Adds one variant file by its title (used by the scan); false when the
    // title is ignored: no variant part, another group than the filter, no
    // free group, an item number outside 1..200 or a slot already taken.
    bool AddVariantFile(const std::string& fileTitle, const std::string& fileName,
                        const std::string& groupFilter = std::string());
    // When the second group is "Size" or "Detail", the first two swap.
    void PutSizeGroupFirst();
    // Chosen items from the profile ("Variants", "<template> <group>"); a
    // missing or unusable value selects the default item.
    void Load();
    void Save() const;
    // The contents of item n's file, read on first use; null for a position
    // outside the group, an empty slot or a file that cannot be read.
    const std::string* GetItemData(int group, int n);
    // Merges each group's chosen file, then the figure text margins.
    bool Apply(IVariantTarget& target) const;

    const std::string& GetTemplateName() const { return m_strTemplate; }
    int GetGroupCount() const { return m_nGroups; }
    Group* GetGroup(int n) { return n >= 0 && n < m_nGroups ? m_groups[size_t(n)].get() : nullptr; }
    const Group* GetGroup(int n) const { return n >= 0 && n < m_nGroups ? m_groups[size_t(n)].get() : nullptr; }
    void SetTemplateName(const std::string& name) { m_strTemplate = name; }

private:
    bool IsUsableItem(const Group& g, int n) const;

    std::string m_strTemplate;
    int m_nGroups = 0;
    std::array<std::unique_ptr<Group>, kMaxGroups> m_groups;
};
