#include "common/TestEnvironment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string g_root;

// The regular DejaVu Sans face of fonts-dejavu-core.
constexpr const char* kDejaVuSansFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kSetupHint = " is missing: run scripts/setup-deps.sh (fonts-liberation2, "
                                   "fonts-dejavu-core, locales)";

void SetVar(const char* name, const std::string& value)
{
    ::setenv(name, value.c_str(), 1);
}

uint32_t Be32(const QByteArray& b, qsizetype at)
{
    return (uint32_t(uchar(b[at])) << 24) | (uint32_t(uchar(b[at + 1])) << 16) |
           (uint32_t(uchar(b[at + 2])) << 8) | uint32_t(uchar(b[at + 3]));
}

uint16_t Be16(const QByteArray& b, qsizetype at)
{
    return uint16_t((uchar(b[at]) << 8) | uchar(b[at + 1]));
}

QByteArray Utf16Be(const QByteArray& latin)
{
    QByteArray out;
    for (char c : latin) {
        out.append('\0');
        out.append(c);
    }
    return out;
}

// Replaces, inside the font's name table only, every spelling of the family
// (single-byte and UTF-16BE) by a replacement of the same length, so that no
// offset moves.
bool RenameFamily(QByteArray& font, const QByteArray& from, const QByteArray& to)
{
    if (font.size() < 12 || from.size() != to.size())
        return false;
    const int tables = Be16(font, 4);
    for (int i = 0; i < tables && 12 + 16 * (i + 1) <= font.size(); ++i) {
        const qsizetype rec = 12 + 16 * i;
        if (font.mid(rec, 4) != "name")
            continue;
        const qsizetype offset = Be32(font, rec + 8), length = Be32(font, rec + 12);
        if (offset + length > font.size())
            return false;
        QByteArray table = font.mid(offset, length);
        table.replace(from, to);
        table.replace(Utf16Be(from), Utf16Be(to));
        font.replace(offset, length, table);
        return true;
    }
    return false;
}

// The folder the private test roots are made in; a TMPDIR that names no folder stops the
// run with a message that says so instead of a bare filesystem exception.
std::filesystem::path TestTempFolder()
{
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec) {
        const char* tmpdir = std::getenv("TMPDIR");
        std::fprintf(stderr, "kavo tests: TMPDIR=\"%s\" is not a folder (%s); set TMPDIR to an "
                             "existing folder or unset it\n",
                     tmpdir ? tmpdir : "", ec.message().c_str());
        std::exit(2);
    }
    return folder;
}
} // namespace

CPrivateTestEnvironment::CPrivateTestEnvironment()
{
    std::string pattern = (TestTempFolder() / "kavo-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::fprintf(stderr, "kavo tests: cannot make a folder in %s: %s\n",
                     TestTempFolder().c_str(), std::strerror(errno));
        std::exit(2);
    }
    m_root = g_root = pattern;
    for (const char* sub : {"/home", "/config", "/data", "/cache", "/runtime", "/work"})
        std::filesystem::create_directories(m_root + sub);
    ::chmod((m_root + "/runtime").c_str(), 0700);
    SetVar("HOME", m_root + "/home");
    SetVar("XDG_CONFIG_HOME", m_root + "/config");
    SetVar("XDG_DATA_HOME", m_root + "/data");
    SetVar("XDG_CACHE_HOME", m_root + "/cache");
    SetVar("XDG_RUNTIME_DIR", m_root + "/runtime");
    SetVar("TZ", "UTC");
    ::tzset();
    SetVar("LC_ALL", "C.UTF-8");
    ::unsetenv("LANGUAGE");
    // Only the fonts that scripts/setup-deps.sh installs, whatever else the
    // machine has (tests/fonts.conf.in).
    SetVar("FONTCONFIG_FILE", KAVO_TEST_FONTCONFIG_FILE);
    ::unsetenv("FONTCONFIG_PATH");
    ::unsetenv("FONTCONFIG_SYSROOT");
    if (::chdir((m_root + "/work").c_str()) != 0)
        std::abort();
}

CPrivateTestEnvironment::~CPrivateTestEnvironment()
{
    std::error_code ec;
    if (::chdir("/") == 0)
        std::filesystem::remove_all(m_root, ec);
    g_root.clear();
}

QString CPrivateTestEnvironment::Root()
{
    return QString::fromStdString(g_root);
}

bool RequireFontFamily(const QString& family)
{
    if (QFontDatabase::families().contains(family))
        return true;
    ADD_FAILURE() << "The font family " << family.toStdString() << kSetupHint;
    return false;
}

QString RegularOnlyTestFamily()
{
    static QString family;
    if (!family.isEmpty())
        return family;
    QFile file(kDejaVuSansFile);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << kDejaVuSansFile << kSetupHint;
        return {};
    }
    QByteArray font = file.readAll();
    if (!RenameFamily(font, "DejaVu Sans", "Kavo NoBold") || !RenameFamily(font, "DejaVuSans", "KavoNoBold")) {
        ADD_FAILURE() << kDejaVuSansFile << " has no name table";
        return {};
    }
    const int id = QFontDatabase::addApplicationFontFromData(font);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        ADD_FAILURE() << "The renamed copy of " << kDejaVuSansFile << " was not accepted";
        return {};
    }
    family = families.first();
    return family;
}

CCommaDecimalLocale::CCommaDecimalLocale()
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    m_previous = old ? old : "C";
    m_active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    if (!m_active)
        ADD_FAILURE() << "The locale de_DE.UTF-8" << kSetupHint;
}

CCommaDecimalLocale::~CCommaDecimalLocale()
{
    std::setlocale(LC_NUMERIC, m_previous.c_str());
}
