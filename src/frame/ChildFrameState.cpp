#include "frame/ChildFrameState.h"

namespace {
const void* g_maximizeMarker = nullptr;
}

void SetMaximizeMarker(const void* marker)
{
    g_maximizeMarker = marker;
}

const void* GetMaximizeMarker()
{
    return g_maximizeMarker;
}

bool ShouldOpenMaximized(bool childActive)
{
    return !childActive && g_maximizeMarker != nullptr;
}

void ResetChildFrameState()
{
    g_maximizeMarker = nullptr;
}
