#include "keyword/KeywordHooks.h"

#include "core/Trace.h"

#include "platform/Prompt.h"

int (*g_pfnKwTrace)(const char* format, ...) = &DiagPrintf;
int (*g_pfnKwWarningDlg)(const std::string& text, bool* pbDontShow) = nullptr;

int ShowLoadWarning(const std::string& text, bool* pbDontShow)
{
    *pbDontShow = false;
    if (g_pfnKwWarningDlg)
        return g_pfnKwWarningDlg(text, pbDontShow);
    return ShowPrompt(text, MB_OKCANCEL | MB_ICONEXCLAMATION);
}
