#include "shapes/TemplateVariants.h"

#include "core/CAppProfile.h"
#include "core/ProgramFolders.h"
#include "platform/Ansi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>

namespace {
constexpr const char* kVariantsSection = "Variants";
constexpr const char* kVariantExt = "kvv";

bool IsDecimal(const std::string& s)
{
    if (s.empty() || s.size() > 9)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}
} // namespace

// The parenthesised part is found by matching parentheses backwards from the
// final ")", so an item name may hold parentheses of its own.
bool ParseVariantTitle(const std::string& title, VariantTitleParts& out)
{
    const size_t close = title.rfind(')');
    if (close == std::string::npos)
        return false;
    int depth = 0;
    size_t open = std::string::npos;
    for (size_t i = close + 1; i-- > 0;) {
        if (title[i] == ')')
            ++depth;
        else if (title[i] == '(' && --depth == 0) {
            open = i;
            break;
        }
    }
    if (open == std::string::npos)
        return false;
    const std::string inner = title.substr(open + 1, close - open - 1);
    const size_t eq = inner.find('=');
    if (eq == std::string::npos)
        return false;
    const size_t comma = inner.find(',', eq + 1);
    if (comma == std::string::npos)
        return false;
    const size_t comma2 = inner.find(',', comma + 1);
    const std::string number = inner.substr(comma + 1, comma2 == std::string::npos ? std::string::npos
                                                                                    : comma2 - comma - 1);
    if (!IsDecimal(number))
        return false;
    out.group = inner.substr(0, eq);
    out.item = inner.substr(eq + 1, comma - eq - 1);
    std::from_chars(number.data(), number.data() + number.size(), out.number);
    out.isDefault = comma2 != std::string::npos;
    return !out.group.empty();
}

bool TemplateVariants::AddVariantFile(const std::string& fileTitle, const std::string& fileName,
                                      const std::string& groupFilter)
{
    VariantTitleParts parts;
    if (!ParseVariantTitle(fileTitle, parts))
        return false;
    if (!groupFilter.empty() && parts.group != groupFilter)
        return false;
    // Item numbers index 200-slot tables: anything outside is not a position.
    if (parts.number < 1 || parts.number > kMaxItems)
        return false;
    Group* group = nullptr;
    for (int i = 0; i < m_nGroups; ++i)
        if (m_groups[size_t(i)]->name == parts.group)
            group = m_groups[size_t(i)].get();
    if (!group) {
        if (m_nGroups >= kMaxGroups)
            return false;
        m_groups[size_t(m_nGroups)] = std::make_unique<Group>();
        group = m_groups[size_t(m_nGroups++)].get();
        group->name = parts.group;
    }
    const size_t slot = size_t(parts.number - 1);
    // A second file for a taken position is ignored, so the item count always
    // equals the filled positions.
    if (!group->fileNames[slot].empty())
        return false;
    group->itemNames[slot] = parts.item;
    group->fileNames[slot] = fileName;
    ++group->count;
    if (parts.isDefault)
        group->defaultItem = int(slot);
    return true;
}

void TemplateVariants::BuildTemplateVariants(const QString& templatePath, const std::string& groupFilter)
{
    m_nGroups = 0;
    for (auto& g : m_groups)
        g.reset();
    const QString title = QFileInfo(templatePath).completeBaseName();
    m_strTemplate = QStringToAnsi(title);
    const QString folder = GetVariantsFolder();
    if (folder.isEmpty())
        return;
    const QFileInfoList infos = QDir(folder).entryInfoList(QStringList{title + "*." + kVariantExt},
                                                           QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : infos) {
        if (info.isHidden() || !info.isFile())
            continue;
        AddVariantFile(QStringToAnsi(info.completeBaseName()), QStringToAnsi(info.fileName()), groupFilter);
    }
    PutSizeGroupFirst();
}

void TemplateVariants::PutSizeGroupFirst()
{
    if (m_nGroups >= 2) {
        const std::string& second = m_groups[1]->name;
        if (second == "Size" || second == "Detail")
            std::swap(m_groups[0], m_groups[1]);
    }
}

bool TemplateVariants::IsUsableItem(const Group& g, int n) const
{
    return n >= 0 && n < kMaxItems && !g.fileNames[size_t(n)].empty();
}

void TemplateVariants::Load()
{
    for (int i = 0; i < m_nGroups; ++i) {
        Group& g = *m_groups[size_t(i)];
        const std::string key = m_strTemplate + " " + g.name;
        const int value = int(AfxGetAppProfile().GetProfileInt(kVariantsSection, key.c_str(), -1));
        g.chosen = IsUsableItem(g, value) ? value : g.defaultItem;
    }
}

void TemplateVariants::Save() const
{
    for (int i = 0; i < m_nGroups; ++i) {
        const Group& g = *m_groups[size_t(i)];
        const std::string key = m_strTemplate + " " + g.name;
        AfxGetAppProfile().WriteProfileInt(kVariantsSection, key.c_str(), g.chosen);
    }
}

const std::string* TemplateVariants::GetItemData(int group, int n)
{
    Group* g = GetGroup(group);
    if (!g || !IsUsableItem(*g, n))
        return nullptr;
    auto& cache = g->data[size_t(n)];
    if (!cache) {
        QFile file(GetVariantsFolder() + AnsiToQString(g->fileNames[size_t(n)]));
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        const QByteArray bytes = file.readAll();
        cache = std::make_unique<std::string>(bytes.constData(), size_t(bytes.size()));
    }
    return cache.get();
}

bool TemplateVariants::Apply(IVariantTarget& target) const
{
    bool ok = true;
    for (int i = 0; i < m_nGroups; ++i) {
        const Group& g = *m_groups[size_t(i)];
        if (!IsUsableItem(g, g.chosen))
            continue;
        ok = target.MergeDiagramFile(GetVariantsFolder() + AnsiToQString(g.fileNames[size_t(g.chosen)])) && ok;
    }
    target.SetFigMargins();
    return ok;
}
