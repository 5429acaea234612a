#include "platform/CProfileStore.h"

#include "platform/TextCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cctype>

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

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}
} // namespace

CProfileStore::CProfileStore(QString path) : m_path(std::move(path)) {}

bool CProfileStore::FileExists() const
{
    return QFileInfo::exists(m_path);
}

bool CProfileStore::Load()
{
    m_sections.clear();
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = f.readAll();
    std::string section;
    size_t pos = 0;
    const std::string text(all.constData(), size_t(all.size()));
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos)
            eol = text.size();
        std::string line = Trim(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            if (!FindSection(section))
                m_sections.push_back({section, {}});
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos || section.empty())
            continue;
        SetValue(section, Unescape(Trim(line.substr(0, eq))), Unescape(Trim(line.substr(eq + 1))));
    }
    return true;
}

bool CProfileStore::Save() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    std::string text;
    for (const auto& s : m_sections) {
        text += "[" + s.name + "]\n";
        for (const auto& v : s.values)
            text += Escape(v.key) + "=" + Escape(v.value) + "\n";
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

CProfileStore::Section* CProfileStore::FindSection(const std::string& name)
{
    auto it = std::find_if(m_sections.begin(), m_sections.end(),
                           [&](const Section& s) { return EqualNoCase(s.name, name); });
    return it == m_sections.end() ? nullptr : &*it;
}

const CProfileStore::Section* CProfileStore::FindSection(const std::string& name) const
{
    return const_cast<CProfileStore*>(this)->FindSection(name);
}

std::optional<std::string> CProfileStore::GetValue(const std::string& section,
                                                   const std::string& key) const
{
    const Section* s = FindSection(section);
    if (!s)
        return std::nullopt;
    for (const auto& v : s->values)
        if (EqualNoCase(v.key, key))
            return v.value;
    return std::nullopt;
}

void CProfileStore::SetValue(const std::string& section, const std::string& key,
                             const std::string& value)
{
    Section* s = FindSection(section);
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    for (auto& v : s->values)
        if (EqualNoCase(v.key, key)) {
            v.value = value;
            return;
        }
    s->values.push_back({key, value});
}

bool CProfileStore::DeleteValue(const std::string& section, const std::string& key)
{
    Section* s = FindSection(section);
    if (!s)
        return false;
    auto it = std::find_if(s->values.begin(), s->values.end(),
                           [&](const Value& v) { return EqualNoCase(v.key, key); });
    if (it == s->values.end())
        return false;
    s->values.erase(it);
    return true;
}

bool CProfileStore::DeleteSection(const std::string& section)
{
    auto it = std::find_if(m_sections.begin(), m_sections.end(),
                           [&](const Section& s) { return EqualNoCase(s.name, section); });
    if (it == m_sections.end())
        return false;
    m_sections.erase(it);
    return true;
}

bool CProfileStore::HasSection(const std::string& section) const
{
    return FindSection(section) != nullptr;
}

void CProfileStore::AddSection(const std::string& section)
{
    if (!FindSection(section))
        m_sections.push_back({section, {}});
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
        for (const auto& v : s->values)
            out.push_back(v.key);
    return out;
}
