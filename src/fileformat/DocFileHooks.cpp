#include "fileformat/DocFileHooks.h"

bool g_bAutoSaveInProgress = false;
bool g_bTrackingBusy = false;

namespace {
DocFileHooks g_hooks;
std::string g_lastSaveError;
} // namespace

bool ActiveViewEditsText(const CKavoDoc& /*doc*/)
{
    return IsActiveViewEditingText();
}

DocFileHooks& GetDocFileHooks()
{
    return g_hooks;
}

void ResetDocFileHooks()
{
    g_hooks = DocFileHooks();
    g_bAutoSaveInProgress = false;
    g_bTrackingBusy = false;
    g_lastSaveError.clear();
}

const std::string& LastSaveError()
{
    return g_lastSaveError;
}

void SetLastSaveError(const std::string& text)
{
    g_lastSaveError = text;
}
