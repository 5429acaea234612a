#include "platform/LogFont.h"

#include <cstring>

bool operator==(const LOGFONT& a, const LOGFONT& b)
{
    return std::memcmp(&a, &b, sizeof(LOGFONT)) == 0;
}

void SetLogFontFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (face)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}
