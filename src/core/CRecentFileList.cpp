#include "core/CRecentFileList.h"

#include "core/CAppProfile.h"
#include "platform/NumText.h"
#include "platform/TextCase.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr const char* kSection = "Recent File List";
} // namespace

CRecentFileList::CRecentFileList(int size) : m_size(size > 0 ? size : 1) {}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty())
        return;
    auto it = std::find_if(m_files.begin(), m_files.end(),
                           [&](const std::string& f) { return EqualNoCase(f, path); });
    if (it != m_files.end())
        m_files.erase(it);
    m_files.insert(m_files.begin(), path);
    if (int(m_files.size()) > m_size)
        m_files.resize(size_t(m_size));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < int(m_files.size()))
        m_files.erase(m_files.begin() + index);
}

std::string CRecentFileList::operator[](int index) const
{
    return index >= 0 && index < int(m_files.size()) ? m_files[size_t(index)] : std::string();
}

void CRecentFileList::ReadList()
{
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        std::string f = AfxGetAppProfile().GetProfileString(kSection, StrPrintf("File%d", i).c_str(), "");
        if (!f.empty())
            m_files.push_back(f);
    }
}

void CRecentFileList::WriteList() const
{
    for (int i = 1; i <= m_size; ++i)
        AfxGetAppProfile().WriteProfileString(kSection, StrPrintf("File%d", i).c_str(),
                                              (*this)[i - 1]);
}
