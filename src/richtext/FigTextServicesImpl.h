#pragma once
// Installs the rich-text services of document/FigTextServices.h.
void InstallFigTextServices();
