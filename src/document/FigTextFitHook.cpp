#include "document/FigTextFitHook.h"

SizeFigToTextFn g_pfnSizeFigToText = nullptr;
