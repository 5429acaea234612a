#include "document/FigPictureOutline.h"

FigOutlineFromPictureFn g_pfnFigOutlineFromPicture = nullptr;
