#include "core/PathHelpers.h"

#include <algorithm>
#include <cctype>

namespace {
struct SplitPath {
    std::string drive;  // "C:" or empty
    std::string folder; // up to and including the last separator
    std::string title;
    std::string ext;    // with its dot
};

bool IsSep(char c)
{
    return c == '\\' || c == '/';
}

bool HasDrive(const std::string& p)
{
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

SplitPath Split(const std::string& path)
{
    SplitPath s;
    size_t start = HasDrive(path) ? 2 : 0;
    s.drive = path.substr(0, start);
    size_t lastSep = std::string::npos;
    for (size_t i = start; i < path.size(); ++i)
        if (IsSep(path[i]))
            lastSep = i;
    size_t nameStart = lastSep == std::string::npos ? start : lastSep + 1;
    s.folder = path.substr(start, nameStart - start);
    std::string name = path.substr(nameStart);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        s.title = name;
    } else {
        s.title = name.substr(0, dot);
        s.ext = name.substr(dot);
    }
    return s;
}

// The separator a path is written with: its first one, '\' when it has none.
char SepStyle(const std::string& path)
{
    auto it = std::find_if(path.begin(), path.end(), IsSep);
    return it == path.end() ? '\\' : *it;
}

std::string WithSeps(std::string text, char sep)
{
    std::replace_if(text.begin(), text.end(), IsSep, sep);
    return text;
}

// Windows paths compare without case; POSIX paths name different files when
// only the case differs.
bool IsWindowsForm(const std::string& p)
{
    return HasDrive(p) || p.find('\\') != std::string::npos;
}

bool SameChar(char a, char b, bool caseBlind)
{
    if (IsSep(a) && IsSep(b))
        return true;
    if (caseBlind)
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    return a == b;
}

bool SameText(const std::string& a, const std::string& b, bool caseBlind)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameChar(a[i], b[i], caseBlind))
            return false;
    return true;
}

bool IsBlank(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

bool StartsWithUp(const std::string& s, size_t at)
{
    return s.size() >= at + 3 && s[at] == '.' && s[at + 1] == '.' && IsSep(s[at + 2]);
}

// Drops the last folder of a folder path ending in a separator; false when
// nothing but the root (or nothing at all) would remain.
bool DropLastFolder(std::string& folder)
{
    if (folder.size() < 2)
        return false;
    size_t prev = folder.find_last_of("\\/", folder.size() - 2);
    if (prev == std::string::npos)
        return false;
    std::string dropped = folder.substr(prev + 1, folder.size() - prev - 2);
    if (dropped == ".." || dropped == ".")
        return false;
    folder.resize(prev + 1);
    return true;
}
} // namespace

std::string GetPathFolder(const std::string& path)
{
    SplitPath s = Split(path);
    return s.drive + s.folder;
}

std::string GetPathFileName(const std::string& path)
{
    SplitPath s = Split(path);
    return s.title + s.ext;
}

std::string GetPathTitle(const std::string& path)
{
    return Split(path).title;
}

std::string GetPathExt(const std::string& path)
{
    std::string ext = Split(path).ext;
    if (!ext.empty())
        ext.erase(0, 1);
    for (char& c : ext)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

void ChangePathExt(std::string& path, const std::string& extension)
{
    SplitPath s = Split(path);
    path = s.drive + s.folder + s.title + "." + extension;
}

bool IsAbsolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return true;
    if (path.size() <= 2)
        return false;
    if (HasDrive(path) && IsSep(path[2]))
        return true;
    return path[0] == '\\' && path[1] == '\\';
}

bool IsSameFolder(const std::string& a, const std::string& b)
{
    bool caseBlind = IsWindowsForm(a) || IsWindowsForm(b);
    return SameText(GetPathFolder(a), GetPathFolder(b), caseBlind);
}

bool MakeRelativePath(const std::string& baseFile, const std::string& target, std::string& out)
{
    out = target;
    if (baseFile.empty() || target.empty() || IsBlank(baseFile) || IsBlank(target))
        return false;
    if (IsSameFolder(baseFile, target)) {
        out = GetPathFileName(target);
        return true;
    }
    bool caseBlind = IsWindowsForm(baseFile) || IsWindowsForm(target);
    size_t shared = 0;
    size_t n = std::min(baseFile.size(), target.size());
    while (shared < n && SameChar(baseFile[shared], target[shared], caseBlind))
        ++shared;
    // Split after the last separator the paths share, so that a folder name
    // they only partly share ("C:\abc\" and "C:\abd\") is climbed out of.
    size_t lastSep = std::string::npos;
    for (size_t i = 0; i < shared; ++i)
        if (IsSep(baseFile[i]))
            lastSep = i;
    if (lastSep == std::string::npos)
        return false;
    std::string baseRest = baseFile.substr(lastSep + 1);
    std::string targetRest = target.substr(lastSep + 1);
    auto ups = std::count_if(baseRest.begin(), baseRest.end(), IsSep);
    bool targetDeeper = std::any_of(targetRest.begin(), targetRest.end(), IsSep);
    char sep = SepStyle(baseFile);
    std::string rel;
    for (long i = 0; i < ups; ++i)
        rel += std::string("..") + sep;
    if (ups == 0 && targetDeeper)
        rel += std::string(".") + sep;
    out = rel + WithSeps(targetRest, sep);
    return true;
}

bool ResolveRelativePath(const std::string& baseFile, const std::string& relative,
                         std::string& out)
{
    out = relative;
    if (baseFile.empty() || relative.empty() || IsAbsolutePath(relative))
        return false;
    std::string folder = GetPathFolder(baseFile);
    if (folder.empty())
        return false;
    char sep = SepStyle(baseFile);
    // "\name" is the root of the base's drive.
    if (IsSep(relative[0])) {
        if (!HasDrive(baseFile))
            return false;
        out = baseFile.substr(0, 2) + WithSeps(relative, sep);
        return true;
    }
    size_t at = 0;
    // Each "..\" climbs one folder; those the base folder cannot climb stay in
    // the result so that it still names the same file.
    while (StartsWithUp(relative, at) && DropLastFolder(folder))
        at += 3;
    if (at == 0 && relative.size() >= 2 && relative[0] == '.' && IsSep(relative[1]))
        at = 2;
    // Every other relative name (also short ones and ".name") lies in the
    // base's folder, not in the process's current directory.
    out = folder + WithSeps(relative.substr(at), sep);
    return true;
}
