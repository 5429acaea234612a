#include "platform/Prompt.h"

namespace {
IPromptService* g_promptService = nullptr;
}

void SetPromptService(IPromptService* service)
{
    g_promptService = service;
}

IPromptService* GetPromptService()
{
    return g_promptService;
}

int DefaultPromptAnswer(UINT type)
{
    static const int buttons[6][3] = {
        {IDOK, IDOK, IDOK},          {IDOK, IDCANCEL, IDCANCEL},   {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},     {IDYES, IDNO, IDNO},          {IDRETRY, IDCANCEL, IDCANCEL},
    };
    UINT kind = type & MB_TYPEMASK;
    UINT def = (type & MB_DEFMASK) >> 8;
    if (kind > 5)
        kind = 0;
    if (def > 2)
        def = 0;
    return buttons[kind][def];
}

int ShowPrompt(const std::string& text, UINT type)
{
    if (!g_promptService)
        return DefaultPromptAnswer(type);
    return g_promptService->ShowMessage(text, type);
}

int ShowChoicePrompt(const std::string& caption, const std::string& text, const std::vector<std::string>& buttons)
{
    if (!g_promptService)
        return -1;
    return g_promptService->AskChoice(caption, text, buttons);
}
