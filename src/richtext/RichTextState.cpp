#include "richtext/RichTextState.h"

#include "richtext/CTextBlock.h"
#include "richtext/CharWidthTable.h"
#include "richtext/FigTextServicesImpl.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MeasureDC.h"
#include "document/FigTextFitHook.h"

void InstallRichTextHooks()
{
    g_pfnSizeFigToText = &SizeFigToText;
    InstallFigTextServices();
}

void ResetRichTextState()
{
    ResetMarkupCharWidths();
    ResetSharedAdvances();
    ResetDisplayMeasureDC();
    InstallRichTextHooks();
}
