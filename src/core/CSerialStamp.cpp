#include "core/CSerialStamp.h"

namespace {
DWORD g_dwSerialCounter = 0;
}

DWORD CSerialStamp::AssignNext()
{
    ++g_dwSerialCounter;
    if (g_dwSerialCounter == 0) // wrapped: 0 is reserved for "never assigned"
        ++g_dwSerialCounter;
    m_dwStamp = g_dwSerialCounter;
    return m_dwStamp;
}

void ResetSerialStampCounter()
{
    g_dwSerialCounter = 0;
}
