#pragma once
// What the tests may rely on of the machine, and nothing more: the test programs
// run in a private environment, and the fonts and locale that scripts/setup-deps.sh
// installs are asked for by name and fail the test loudly when missing.
#include <QString>

#include <string>

// For the life of the object: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME,
// XDG_CACHE_HOME and XDG_RUNTIME_DIR point into a fresh temporary folder (the
// runtime folder with mode 0700), that folder is the current folder, TZ is UTC,
// LC_ALL is C.UTF-8, and fontconfig sees only the fonts of setup-deps (the
// build tree's tests/fonts/fonts.conf). The folder is removed at the end.
class CPrivateTestEnvironment {
public:
    CPrivateTestEnvironment();
    ~CPrivateTestEnvironment();
    CPrivateTestEnvironment(const CPrivateTestEnvironment&) = delete;
    CPrivateTestEnvironment& operator=(const CPrivateTestEnvironment&) = delete;
    static QString Root();

private:
    std::string m_root;
};

// The font families scripts/setup-deps.sh installs.
inline constexpr const char* kTestSansFamily = "Liberation Sans";
inline constexpr const char* kTestMonoFamily = "DejaVu Sans Mono";
// True when the family is installed; otherwise records a test failure that
// names the package to install.
bool RequireFontFamily(const QString& family);
// Registers, once, a copy of the regular DejaVu Sans face under the family
// name "Kavo NoBold": a family that has no bold member, so that a heavy
// weight is emboldened by the rasteriser. Empty (and a test failure) when the
// face is missing.
QString RegularOnlyTestFamily();

// Switches LC_NUMERIC to de_DE.UTF-8 (a comma-decimal locale that setup-deps
// generates) for the life of the object; a missing locale fails the test.
class CCommaDecimalLocale {
public:
    CCommaDecimalLocale();
    ~CCommaDecimalLocale();
    bool Active() const { return m_active; }

private:
    std::string m_previous;
    bool m_active = false;
};
