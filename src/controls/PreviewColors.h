#pragma once
// The background of the program's owner-drawn lists and previews.
#include "platform/Colorref.h"

extern COLORREF g_crPreviewBackground;
