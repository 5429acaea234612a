#include "document/CDiagObj.h"

CDiagObj::CDiagObj(const CDiagObj& o) : CIdObj(o), m_pDoc(o.m_pDoc), m_stockKind(this)
{
    m_pStaple = nullptr;
    m_pGroup = nullptr;
}

CDiagObj& CDiagObj::operator=(const CDiagObj& o)
{
    if (this != &o) {
        CIdObj::operator=(o);
        m_pDoc = o.m_pDoc;
        m_bTemp = o.m_bTemp;
        m_stockKind.Reset();
    }
    return *this;
}

void CDiagObj::SetFlags(DWORD low, DWORD high, bool on)
{
    if (FigFlagSet* f = GetFlagWord())
        SetExclusiveFlag(*f, low, high, on);
}

bool CDiagObj::HasFlags(DWORD low, DWORD high) const
{
    const FigFlagSet* f = GetFlagWord();
    return f && ((f->low & low) || (f->high & high));
}
