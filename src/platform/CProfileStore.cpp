#include "platform/CProfileStore.h"

#include "platform/Ansi.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"
#include "platform/TextCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <set>
#include <string_view>

namespace {
// Values are stored on one line: backslash, control bytes and edge blanks are
// escaped so any byte string survives.
std::string Escape(const std::string& v)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(v[i]);
        bool edgeBlank = c == ' ' && (i == 0 || i + 1 == v.size());
        bool special = c == '=' || (i == 0 && (c == '[' || c == ';'));
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F || edgeBlank || special) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Unescape(const std::string& v)
{
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size() && v[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (v[i] == '\\' && i + 3 < v.size() && v[i + 1] == 'x' && HexDigit(v[i + 2]) >= 0 &&
                   HexDigit(v[i + 3]) >= 0) {
            out += char(HexDigit(v[i + 2]) * 16 + HexDigit(v[i + 3]));
            i += 3;
        } else {
            out += v[i];
        }
    }
    return out;
}

std::string_view Trim(std::string_view s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// Enough to tell of every damaged file of a start; more is noise.
constexpr size_t kMaxHeldTraceLines = 100;

ProfileTraceFn g_trace = nullptr;

std::vector<std::string>& HeldTraceLines()
{
    static std::vector<std::string> held;
    return held;
}

void Trace(const std::string& line)
{
    if (g_trace)
        g_trace("%s", line.c_str());
    else if (HeldTraceLines().size() < kMaxHeldTraceLines)
        HeldTraceLines().push_back(line);
}

std::string PathText(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Copies aside are "<file>.bad", then "<file>.bad2" to "<file>.bad9": a file
// damaged again after its first copy keeps the lines of each damage.
constexpr int kMaxDamagedCopies = 9;

QString DamagedCopyName(const QString& path, int n)
{
    return path + ".bad" + (n > 1 ? QString::number(n) : QString());
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Tells the user about a settings file, once a file in a run: the settings
// are read at start-up, and a later read of the same file tells nothing new.
void TellUser(const QString& path, const std::string& text)
{
    static std::set<QString> told;
    if (told.insert(path).second)
        ShowPrompt(text, MB_OK | MB_ICONEXCLAMATION);
}

std::string Shown(const QString& path)
{
    return QStringToAnsi(QDir::toNativeSeparators(path));
}
} // namespace

void SetProfileTrace(ProfileTraceFn trace)
{
    g_trace = trace;
    if (trace)
        for (const std::string& line : HeldTraceLines())
            trace("%s", line.c_str());
    HeldTraceLines().clear();
}

CProfileStore::CProfileStore(QString path) : m_path(std::move(path)) {}

bool CProfileStore::FileExists() const
{
    return QFileInfo::exists(m_path);
}

void CProfileStore::Clear()
{
    m_preamble.clear();
    m_sections.clear();
    m_sectionIndex.clear();
    m_damagedLines = 0;
}

bool CProfileStore::Load()
{
    Clear();
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        // The next save would replace a file nobody could read: it goes aside
        // (a folder of that name stays, as no save can replace it).
        QString bad;
        for (int n = 1; n <= kMaxDamagedCopies && bad.isEmpty() && QFileInfo(m_path).isFile(); ++n)
            if (!QFileInfo::exists(DamagedCopyName(m_path, n)))
                bad = DamagedCopyName(m_path, n);
        const bool moved = !bad.isEmpty() && QFile::rename(m_path, bad);
        const std::string where = moved ? "; moved to " + PathText(bad) : std::string();
        Trace(StrPrintf("ERR!  Settings file %s cannot be read%s\n", PathText(m_path).c_str(), where.c_str()));
        if (moved)
            TellUser(m_path, "The settings file\n" + Shown(m_path) +
                                 "\ncannot be read. It was moved to\n" + Shown(bad) +
                                 "\nand the program starts with its default settings.");
        return false;
    }
    const QByteArray all = f.readAll();
    f.close();
    ReadText(std::string_view(all.constData(), size_t(all.size())));
    // The lines that could not be read go to the copy, not back into the
    // file: the next save writes only what was read. Without a copy they
    // stay, so that nothing is lost.
    if (m_damagedLines > 0 && KeepDamagedCopy(all))
        DropDamagedLines();
    return true;
}

void CProfileStore::DropDamagedLines()
{
    auto damaged = [](const Entry& e) { return e.damaged; };
    std::erase_if(m_preamble, damaged);
    for (Section& s : m_sections) {
        std::erase_if(s.entries, damaged);
        s.Reindex();
    }
}

void CProfileStore::ReadText(std::string_view text)
{
    Section* current = nullptr; // none before the first section line
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        std::string_view raw = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string_view line = Trim(raw);
        if (line.empty())
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &SectionFor(std::string(line.substr(1, line.size() - 2)));
            continue;
        }
        const bool comment = line.front() == ';';
        const size_t eq = line.find('=');
        if (comment || eq == std::string_view::npos || !current) {
            if (!comment)
                ++m_damagedLines;
            Entry kept{{}, std::string(raw), true, !comment};
            if (current)
                current->entries.push_back(std::move(kept));
            else
                m_preamble.push_back(std::move(kept));
            continue;
        }
        std::string key = Unescape(std::string(Trim(line.substr(0, eq))));
        std::string value = Unescape(std::string(Trim(line.substr(eq + 1))));
        auto [it, added] = current->index.try_emplace(ToLowerAscii(key), current->entries.size());
        if (added) {
            current->entries.push_back({std::move(key), std::move(value), false});
        } else {
            ++m_damagedLines; // the earlier value is lost
            current->entries[it->second].value = std::move(value);
        }
    }
}

bool CProfileStore::KeepDamagedCopy(const QByteArray& bytes)
{
    // A copy of these very bytes made by an earlier start is used again.
    QString bad;
    bool before = false, copied = false;
    for (int n = 1; n <= kMaxDamagedCopies && bad.isEmpty(); ++n) {
        const QString name = DamagedCopyName(m_path, n);
        if (!QFileInfo::exists(name)) {
            bad = name;
            copied = QFile::copy(m_path, bad);
        } else if (FileBytes(name) == bytes) {
            bad = name;
            before = true;
        }
    }
    const char* what = copied   ? "a copy is kept as"
                       : before ? "the copy made before stays in"
                                : "no copy could be made in";
    Trace(StrPrintf("ERR!  Settings file %s could not be read whole (unread lines: %d); %s %s\n",
                    PathText(m_path).c_str(), m_damagedLines, what,
                    PathText(bad.isEmpty() ? DamagedCopyName(m_path, 1) : bad).c_str()));
    const std::string lines = m_damagedLines == 1 ? "1 line" : StrPrintf("%d lines", m_damagedLines);
    if (copied || before)
        TellUser(m_path, StrPrintf("The settings file\n%s\nwas damaged: %s could not be read and %s left out of "
                                   "it.\nThe file as it was is kept as\n%s",
                                   Shown(m_path).c_str(), lines.c_str(), m_damagedLines == 1 ? "is" : "are",
                                   Shown(bad).c_str()));
    else
        TellUser(m_path, StrPrintf("The settings file\n%s\nwas damaged: %s could not be read.\nNo copy of it "
                                   "could be made, so %s in the file.",
                                   Shown(m_path).c_str(), lines.c_str(),
                                   m_damagedLines == 1 ? "it stays" : "they stay"));
    return copied || before;
}

bool CProfileStore::Save() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    std::string text;
    for (const Entry& line : m_preamble)
        text += line.value + "\n";
    for (const auto& s : m_sections) {
        text += "[" + s.name + "]\n";
        for (const Entry& e : s.entries)
            text += e.kept ? e.value + "\n" : Escape(e.key) + "=" + Escape(e.value) + "\n";
        text += "\n";
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

void CProfileStore::Section::Reindex()
{
    index.clear();
    for (size_t i = 0; i < entries.size(); ++i)
        if (!entries[i].kept)
            index.emplace(ToLowerAscii(entries[i].key), i);
}

CProfileStore::Section* CProfileStore::FindSection(const std::string& name)
{
    auto it = m_sectionIndex.find(ToLowerAscii(name));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

const CProfileStore::Section* CProfileStore::FindSection(const std::string& name) const
{
    return const_cast<CProfileStore*>(this)->FindSection(name);
}

CProfileStore::Section& CProfileStore::SectionFor(const std::string& name)
{
    auto [it, added] = m_sectionIndex.try_emplace(ToLowerAscii(name), m_sections.size());
    if (added)
        m_sections.push_back({name, {}, {}});
    return m_sections[it->second];
}

std::optional<std::string> CProfileStore::GetValue(const std::string& section,
                                                   const std::string& key) const
{
    const Section* s = FindSection(section);
    if (!s)
        return std::nullopt;
    auto it = s->index.find(ToLowerAscii(key));
    if (it == s->index.end())
        return std::nullopt;
    return s->entries[it->second].value;
}

void CProfileStore::SetValue(const std::string& section, const std::string& key,
                             const std::string& value)
{
    Section& s = SectionFor(section);
    auto [it, added] = s.index.try_emplace(ToLowerAscii(key), s.entries.size());
    if (added)
        s.entries.push_back({key, value, false});
    else
        s.entries[it->second].value = value;
}

bool CProfileStore::DeleteValue(const std::string& section, const std::string& key)
{
    Section* s = FindSection(section);
    if (!s)
        return false;
    auto it = s->index.find(ToLowerAscii(key));
    if (it == s->index.end())
        return false;
    s->entries.erase(s->entries.begin() + long(it->second));
    s->Reindex();
    return true;
}

bool CProfileStore::DeleteSection(const std::string& section)
{
    auto it = m_sectionIndex.find(ToLowerAscii(section));
    if (it == m_sectionIndex.end())
        return false;
    m_sections.erase(m_sections.begin() + long(it->second));
    m_sectionIndex.clear();
    for (size_t i = 0; i < m_sections.size(); ++i)
        m_sectionIndex.emplace(ToLowerAscii(m_sections[i].name), i);
    return true;
}

bool CProfileStore::HasSection(const std::string& section) const
{
    return FindSection(section) != nullptr;
}

void CProfileStore::AddSection(const std::string& section)
{
    SectionFor(section);
}

std::vector<std::string> CProfileStore::Sections() const
{
    std::vector<std::string> out;
    for (const auto& s : m_sections)
        out.push_back(s.name);
    return out;
}

std::vector<std::string> CProfileStore::Keys(const std::string& section) const
{
    std::vector<std::string> out;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (!e.kept)
                out.push_back(e.key);
    return out;
}
