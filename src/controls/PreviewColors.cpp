#include "controls/PreviewColors.h"

COLORREF g_crPreviewBackground = RGB(255, 255, 255);
