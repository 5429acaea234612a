#include "richtext/RichTextState.h"

#include "richtext/CTextBlock.h"
#include "richtext/CharWidthTable.h"
#include "richtext/FigTextServicesImpl.h"
#include "richtext/FigureTextFit.h"
#include "richtext/MeasureDC.h"
#include "document/FigTextFitHook.h"
#include "fileformat/SaveNormalization.h"
#include "richtext/FigureTextNormalize.h"

void InstallRichTextHooks()
{
    g_pfnSizeFigToText = &SizeFigToText;
    g_pfnFitFigToText = [](CKavoDoc& doc, CFigure& fig, const int margins[4]) {
        return FitFigToText(doc, &fig, 0, true, false, margins);
    };
    SetFigTextNormalizer(&NormalizeFigureText);
    InstallFigTextServices();
}

void ResetRichTextState()
{
    ResetMarkupCharWidths();
    ResetSharedAdvances();
    ResetDisplayMeasureDC();
    InstallRichTextHooks();
}
