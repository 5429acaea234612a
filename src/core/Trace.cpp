#include "core/Trace.h"

#include "core/ProgramFolders.h"
#include "geometry/PointRuns.h"
#include "platform/CProfileStore.h"
#include "platform/NumText.h"

#include <QFile>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>

bool g_bDiagnostics = false;
char g_szDiagPath[kDiagPathSize] = {};

namespace {
constexpr const char* kBannerRule = "***************************\n";

// Fills g_szDiagPath; leaves it empty when the path does not fit.
void SetDiagPath(const QByteArray& path)
{
    g_szDiagPath[0] = '\0';
    if (path.isEmpty() || path.size() >= kDiagPathSize)
        return;
    std::memcpy(g_szDiagPath, path.constData(), size_t(path.size()));
    g_szDiagPath[path.size()] = '\0';
}
} // namespace

std::string AsctimeText(const struct tm& t)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* day = (t.tm_wday >= 0 && t.tm_wday < 7) ? kDays[t.tm_wday] : "???";
    const char* month = (t.tm_mon >= 0 && t.tm_mon < 12) ? kMonths[t.tm_mon] : "???";
    return StrPrintf("%.3s %.3s%3d %.2d:%.2d:%.2d %d\n", day, month, t.tm_mday, t.tm_hour,
                     t.tm_min, t.tm_sec, 1900 + t.tm_year);
}

// The geometry helpers sit below the trace and write through a hook.
static void InstallTraceHooks()
{
    g_pfnGeomTrace = &DiagPrintf;
}

static void StartTraceFile()
{
    if (!g_bDiagnostics)
        return;
    const QString folder = GetProgramFolder();
    if (folder.isEmpty()) {
        g_szDiagPath[0] = '\0';
        return;
    }
    const QString path = folder + QLatin1String(kDiagFileName);
    SetDiagPath(QFile::encodeName(path));
    if (g_szDiagPath[0])
        std::remove(g_szDiagPath);

    const std::time_t now = std::time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    DiagPrintf("%s", kBannerRule);
    DiagPrintf("KAVO Diagrammer Diagnostics\n");
    DiagPrintf("%s", kBannerRule);
    DiagPrintf("TIME  %s", AsctimeText(local).c_str());
}

void InitDiagnostics()
{
    InstallTraceHooks();
    StartTraceFile();
    // The settings are read before the trace starts: what their stores held
    // back for it is written now.
    SetProfileTrace(&DiagPrintf);
}

int DiagPrintf(const char* format, ...)
{
    if (!g_bDiagnostics)
        return format ? int(std::strlen(format)) : 0;
    if (!format || !g_szDiagPath[0])
        return 0;
    std::FILE* file = std::fopen(g_szDiagPath, "a");
    if (!file)
        return 0;
    char text[kDiagLineMax + 1];
    va_list args;
    va_start(args, format);
    const int full = SafeVsnprintf(text, sizeof text, format, args);
    va_end(args);
    size_t length = 0;
    if (full > 0)
        length = std::min(size_t(full), size_t(kDiagLineMax));
    const size_t written = std::fwrite(text, 1, length, file);
    std::fclose(file);
    return int(written);
}

std::string WithDiagnosticSuffix(const std::string& title)
{
    return g_bDiagnostics ? title + kDiagnosticTitleSuffix : title;
}

void ResetDiagnostics()
{
    g_bDiagnostics = false;
    g_szDiagPath[0] = '\0';
    InstallTraceHooks();
    SetProfileTrace(nullptr);
}
