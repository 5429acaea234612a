#include "core/AppGlobals.h"

#include <cstdlib>

char* g_pCommonBuf = nullptr;
char* g_pCommonBuf2 = nullptr;
char* g_pTextCharBuf = nullptr;
int g_nTextCharBufCount = 0;
bool g_bEmbedded = false;
bool g_bUmlFilesPresent = false;
bool g_bNoRecentEntry = false;
bool g_bOpeningByCommand = false;
std::string g_strNewTemplatePath;
LOGFONT g_logfontDefault;

bool AllocCommonBuffers()
{
    FreeCommonBuffers();
    g_pCommonBuf = static_cast<char*>(std::calloc(1, kCommonBufSize));
    g_pCommonBuf2 = static_cast<char*>(std::calloc(1, kCommonBuf2Size));
    g_pTextCharBuf = static_cast<char*>(std::calloc(kTextCharBufInitialCount, 4));
    g_nTextCharBufCount = kTextCharBufInitialCount;
    if (g_pCommonBuf && g_pCommonBuf2 && g_pTextCharBuf)
        return true;
    FreeCommonBuffers();
    return false;
}

void FreeCommonBuffers()
{
    std::free(g_pCommonBuf);
    std::free(g_pCommonBuf2);
    std::free(g_pTextCharBuf);
    g_pCommonBuf = g_pCommonBuf2 = g_pTextCharBuf = nullptr;
    g_nTextCharBufCount = 0;
}

void ResetAppGlobals()
{
    FreeCommonBuffers();
    g_bEmbedded = g_bUmlFilesPresent = g_bNoRecentEntry = g_bOpeningByCommand = false;
    g_strNewTemplatePath.clear();
    g_logfontDefault = LOGFONT();
}
