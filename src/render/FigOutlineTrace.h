#pragma once
// The figure's outline polygon traced from its picture (installed as the
// document's g_pfnFigOutlineFromPicture).
class CFigure;

void TraceFigOutlineFromPicture(CFigure& fig);
