#include "core/HelpRequest.h"

#include <utility>

static HelpHandler& Handler()
{
    static HelpHandler handler;
    return handler;
}

void SetHelpHandler(HelpHandler handler)
{
    Handler() = std::move(handler);
}

void ShowContextHelp(uint32_t context)
{
    if (Handler())
        Handler()(context);
}
