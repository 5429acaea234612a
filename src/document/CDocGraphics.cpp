#include "document/CDocGraphics.h"

bool CDocGraphics::ReleaseUse(HGLOBAL handle)
{
    CGraphic* r = FindByHandle(1, handle);
    return r && Release(r) != 0;
}

int CDocGraphics::GetUses(HGLOBAL handle) const
{
    const CGraphic* r = FindByHandle(1, handle);
    return r ? r->UseCount : 0;
}
