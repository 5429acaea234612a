#include "platform/MessageBeep.h"

namespace {
BeepHandler g_beep = nullptr;
} // namespace

BeepHandler SetBeepHandler(BeepHandler handler)
{
    const BeepHandler old = g_beep;
    g_beep = handler;
    return old;
}

void MessageBeep(UINT type)
{
    if (g_beep)
        g_beep(type);
}
