#pragma once
// Sizing a figure to its text needs the rich-text layout, which lives in a
// layer above the document; that layer installs this hook at start-up (and
// the program-state reset installs it for tests). Without it a new figure
// keeps the size it was made with.
class CKavoDoc;
class CFigure;

// Sizes the figure (which need not be in the document yet) to its text;
// whether its rectangle changed.
using SizeFigToTextFn = bool (*)(CKavoDoc* doc, CFigure* fig);
extern SizeFigToTextFn g_pfnSizeFigToText;

// Fits a figure of the document to its text inside the margins (left, right,
// top, bottom; logical units), as a text edit does: its connectors stay
// attached and the document is marked modified. Whether it changed. Without
// it the set-up of special figures leaves their size as it is.
using FitFigToTextFn = bool (*)(CKavoDoc& doc, CFigure& fig, const int margins[4]);
extern FitFigToTextFn g_pfnFitFigToText;
