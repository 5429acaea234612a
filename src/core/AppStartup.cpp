#include "core/AppStartup.h"

#include "core/AppGlobals.h"
#include "core/PathHelpers.h"

bool ParseDiagSwitch(std::string& commandLine)
{
    bool found = false;
    size_t i = 0;
    while (i < commandLine.size()) {
        const char c = commandLine[i];
        if (c != '-' && c != '/') {
            ++i;
            continue;
        }
        if (i + 1 >= commandLine.size())
            break;
        if (commandLine[i + 1] == 'D' || commandLine[i + 1] == 'd') {
            found = true;
            size_t end = i + 2;
            while (end < commandLine.size() && commandLine[end] == ' ')
                ++end;
            commandLine.erase(i, end - i);
            // The rest moved up: look at it from here, so that a second switch
            // right after the first is removed too.
            continue;
        }
        i += 2;
    }
    return found;
}

bool SplashMayBeDismissed(bool firstRun, uint32_t msShown)
{
    return !firstRun || msShown > kFirstRunSplashGuardMs;
}

SplashIdle SplashIdleAction(bool firstRun, uint32_t msShown)
{
    if (firstRun)
        return SplashIdle::WaitForInput;
    return msShown <= kSplashIdleTimeoutMs ? SplashIdle::KeepWaiting : SplashIdle::Close;
}

StartDocument ChooseStartDocument(bool firstRun, const std::string& commandLine, bool autoOpen,
                                  bool recentExists)
{
    if (firstRun)
        return StartDocument::Sample;
    if (!commandLine.empty())
        return StartDocument::CommandLine;
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
