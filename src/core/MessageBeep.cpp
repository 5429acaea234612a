#include "core/MessageBeep.h"

static MessageBeepHandler g_pfnMessageBeep = nullptr;

MessageBeepHandler SetMessageBeepHandler(MessageBeepHandler handler)
{
    const MessageBeepHandler previous = g_pfnMessageBeep;
    g_pfnMessageBeep = handler;
    return previous;
}

void MessageBeep(UINT type)
{
    if (g_pfnMessageBeep)
        g_pfnMessageBeep(type);
}
