#include "core/CAppProfile.h"

#include "platform/CProfileStore.h"
#include "platform/NumText.h"
#include "platform/Registry.h"

#include <QDir>

#include <algorithm>

namespace {
std::unique_ptr<CAppProfile> g_profile;

std::optional<std::string> ReadValue(const CProfileStore* priv, bool registry,
                                     const std::string& subkey, const char* section,
                                     const char* entry)
{
    if (registry)
        return RegistryGetValue(HKEY_CURRENT_USER, subkey, entry);
    return priv->GetValue(section, entry);
}
} // namespace

CAppProfile::CAppProfile() : m_private(std::make_unique<CProfileStore>(PrivateIniPath()))
{
    m_private->Load();
}

CAppProfile::~CAppProfile()
{
    RegistryForgetStore(*m_private);
}

QString CAppProfile::PrivateIniPath()
{
    // The registry stand-in lives in "<config>/Morlaven Software"; the private
    // file lies beside that folder.
    QDir company(GetProfileFolder());
    return QDir::cleanPath(company.absolutePath() + "/..") + "/" +
           QString::fromStdString(GetRegistryAppName()) + ".ini";
}

void CAppProfile::SetRegistryKey(const std::string& company)
{
    m_company = company;
    m_useRegistry = true;
}

std::string CAppProfile::SubKey(const char* section) const
{
    return "Software\\" + m_company + "\\" + GetRegistryAppName() + "\\" + section;
}

UINT CAppProfile::GetProfileInt(const char* section, const char* entry, int defaultValue) const
{
    auto text = ReadValue(m_private.get(), m_useRegistry, SubKey(section), section, entry);
    if (!text)
        return UINT(defaultValue);
    auto v = ScanInt(*text);
    return UINT(v ? *v : defaultValue);
}

BOOL CAppProfile::WriteProfileInt(const char* section, const char* entry, int value)
{
    return WriteProfileString(section, entry, StrPrintf("%d", value));
}

std::string CAppProfile::GetProfileString(const char* section, const char* entry,
                                          const char* defaultValue) const
{
    auto text = ReadValue(m_private.get(), m_useRegistry, SubKey(section), section, entry);
    return text ? *text : std::string(defaultValue ? defaultValue : "");
}

BOOL CAppProfile::WriteProfileString(const char* section, const char* entry,
                                     const std::string& value)
{
    if (m_useRegistry)
        return RegistrySetValue(HKEY_CURRENT_USER, SubKey(section), entry, value);
    m_private->SetValue(section, entry, value);
    // Inside a settings save the file is replaced once, at the end.
    return RegistryCommitStore(*m_private);
}

COLORREF CAppProfile::GetProfileColor(const char* section, const char* entry,
                                      COLORREF defaultValue) const
{
    const std::string text = GetProfileString(section, entry, "");
    if (text.empty())
        return defaultValue;
    int rgb[3];
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return defaultValue;
            ++pos;
        }
        size_t used = 0;
        auto v = ScanInt(std::string_view(text).substr(pos), &used);
        if (!v)
            return defaultValue;
        // Each channel is a byte: a value past it must not bleed into the next.
        rgb[i] = std::clamp(*v, 0, 255);
        pos += used;
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

BOOL CAppProfile::WriteProfileColor(const char* section, const char* entry, COLORREF value)
{
    return WriteProfileString(section, entry,
                              StrPrintf("%d,%d,%d", GetRValue(value), GetGValue(value),
                                        GetBValue(value)));
}

double CAppProfile::GetProfileReal(const char* section, const char* entry,
                                   double defaultValue) const
{
    const std::string text = GetProfileString(section, entry, "");
    auto v = ScanDouble(text);
    if (!v)
        return defaultValue;
    return double(float(*v));
}

BOOL CAppProfile::WriteProfileReal(const char* section, const char* entry, double value)
{
    return WriteProfileString(section, entry, StrPrintf("%.3f", value));
}

CAppProfile& AfxGetAppProfile()
{
    if (!g_profile)
        g_profile = std::make_unique<CAppProfile>();
    return *g_profile;
}

void ResetAppProfile()
{
    g_profile.reset();
}
