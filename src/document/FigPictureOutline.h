#pragma once
// Tracing a figure's hot zone from its picture needs the picture code, which
// lives in a layer above the document; that layer installs this hook at
// start-up (and the program-state reset installs it for tests). Without it a
// figure that takes a new picture keeps the plain rectangle as its outline.
class CFigure;

// Sets the figure's outline polygon from the outline of its picture (left as
// it is when none can be traced).
using FigOutlineFromPictureFn = void (*)(CFigure& fig);
extern FigOutlineFromPictureFn g_pfnFigOutlineFromPicture;
