#pragma once
// The application's profile: the framework's integer and string profile calls,
// and the colour and real encodings built on them. Before SetRegistryKey it
// reads and writes the private initialisation file ("<config>/<application>.ini",
// the old-style file an earlier start may have left); afterwards the registry key
// HKEY_CURRENT_USER\Software\<company>\<application>.
#include "platform/Colorref.h"
#include "platform/WinTypes.h"

#include <QString>

#include <memory>
#include <string>

class CProfileStore;

class CAppProfile {
public:
    CAppProfile();
    ~CAppProfile();

    // Switches to the registry key of the company and the application title.
    void SetRegistryKey(const std::string& company);
    bool UsesRegistry() const { return m_useRegistry; }
    // The private initialisation file used before SetRegistryKey.
    static QString PrivateIniPath();

    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    std::string GetProfileString(const char* section, const char* entry,
                                 const char* defaultValue = "") const;
    BOOL WriteProfileString(const char* section, const char* entry, const std::string& value);

    // "%d,%d,%d" of red, green and blue; missing, empty or unreadable text gives
    // the default.
    COLORREF GetProfileColor(const char* section, const char* entry, COLORREF defaultValue) const;
    BOOL WriteProfileColor(const char* section, const char* entry, COLORREF value);
    // "%.3f" text, read back through single precision.
    double GetProfileReal(const char* section, const char* entry, double defaultValue) const;
    BOOL WriteProfileReal(const char* section, const char* entry, double value);

private:
    std::string SubKey(const char* section) const;
    std::unique_ptr<CProfileStore> m_private;
    bool m_useRegistry = false;
    std::string m_company;
};

// The program's profile (owned by the application; tests reset it).
CAppProfile& AfxGetAppProfile();
void ResetAppProfile();
