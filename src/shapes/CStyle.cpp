#include "shapes/CStyle.h"

CStyle& CStyle::operator=(const CStyle& o)
{
    if (&o == this)
        return *this;
    m_nKeep = o.m_nKeep;
    m_nSpare = o.m_nSpare;
    m_strName = o.m_strName;
    Category = o.Category;
    HasButton = o.HasButton;
    InMenu = o.InMenu;
    Description = o.Description;
    // The copy carries another name: whatever was cached is stale.
    Reset();
    return *this;
}

void CStyle::SetName(const std::string& name)
{
    m_strName = name;
    Reset();
}
