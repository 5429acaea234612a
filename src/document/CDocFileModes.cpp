#include "document/CDocFileModes.h"

#include "platform/CLockedFile.h"

CDocFileModes::CDocFileModes() = default;

CDocFileModes::~CDocFileModes()
{
    if (m_hPreview)
        GlobalFree(m_hPreview);
}
