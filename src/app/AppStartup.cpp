#include "app/AppStartup.h"

#include "core/AppGlobals.h"
#include "core/PathHelpers.h"
#include "core/ProgramFolders.h"
#include "platform/NativePath.h"
#include "platform/TextCase.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>

bool IsDiagSwitch(const std::string& a)
{
    return a.size() == 2 && (a[0] == '-' || a[0] == '/') && (a[1] == 'D' || a[1] == 'd');
}

bool IsEmbeddingSwitch(const std::string& a)
{
    const std::string s = ToLowerAscii(a);
    return s == "-embedding" || s == "/embedding" || s == "-automation" || s == "/automation";
}

bool ParseDiagSwitch(std::vector<std::string>& arguments)
{
    const auto before = arguments.size();
    std::erase_if(arguments, IsDiagSwitch);
    return arguments.size() != before;
}

std::string CommandLineFile(const std::vector<std::string>& arguments)
{
    for (const std::string& a : arguments)
        if (!IsDiagSwitch(a) && !IsEmbeddingSwitch(a))
            return a;
    return {};
}

void FindUmlFiles()
{
    const QString variants = GetVariantsFolder();
    const QString symbols = GetSymbolsFolder();
    g_bUmlFilesPresent = !variants.isEmpty() && !symbols.isEmpty() &&
                         QFileInfo::exists(variants + kUmlVariantName) &&
                         QFileInfo::exists(symbols + kUmlSymbolsName);
}

bool SplashMayBeDismissed(bool firstRun, uint32_t msShown)
{
    return !firstRun || msShown > kFirstRunSplashGuardMs;
}

SplashIdle SplashIdleAction(uint32_t msShown)
{
    return msShown <= kSplashIdleTimeoutMs ? SplashIdle::KeepWaiting : SplashIdle::Close;
}

StartDocument ChooseStartDocument(bool firstRun, const std::string& commandLine, bool autoOpen,
                                  bool recentExists)
{
    // A file the user named opens also on the first run: the sample is the
    // welcome of a start that names none.
    if (!commandLine.empty())
        return StartDocument::CommandLine;
    if (firstRun)
        return StartDocument::Sample;
    if (autoOpen && recentExists)
        return StartDocument::MostRecent;
    return StartDocument::None;
}

bool AcceptsRecentFile(const std::string& path)
{
    if (g_bNoRecentEntry)
        return false;
    return GetPathExt(path) == "KVD";
}

std::string AbsoluteCommandLinePath(const std::string& path)
{
    // Byte for byte: a file name that is not valid text must still open.
    return AbsoluteNativePath(path);
}

bool PlacementToRestore(const PlacementSettings& p, const std::vector<QRect>& screens, QRect* normal,
                        bool* maximized)
{
    if (p.Length != kPlacementRecordLength || p.Right <= p.Left || p.Bottom <= p.Top)
        return false;
    const QRect rect(QPoint(p.Left, p.Top), QPoint(p.Right - 1, p.Bottom - 1));
    if (std::none_of(screens.begin(), screens.end(), [&](const QRect& s) { return s.intersects(rect); }))
        return false;
    *normal = rect;
    *maximized = (p.Flags & kPlacementRestoreMaximized) != 0;
    return true;
}

void StorePlacement(PlacementSettings& p, const QRect& normal, bool maximized)
{
    if (normal.isEmpty())
        return;
    p.Left = normal.left();
    p.Top = normal.top();
    p.Right = normal.right() + 1;
    p.Bottom = normal.bottom() + 1;
    p.Length = kPlacementRecordLength;
    p.Flags = maximized ? kPlacementRestoreMaximized : 0;
}
