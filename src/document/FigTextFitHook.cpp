#include "document/FigTextFitHook.h"

SizeFigToTextFn g_pfnSizeFigToText = nullptr;
FitFigToTextFn g_pfnFitFigToText = nullptr;
