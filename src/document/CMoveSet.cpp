#include "document/CMoveSet.h"

#include <new>

bool CMoveSet::Init(CKavoDoc* doc)
{
    m_pDoc = doc;
    if (!m_pList)
        m_pList.reset(new (std::nothrow) CObjList);
    return m_pList != nullptr;
}

void CMoveSet::Release()
{
    if (m_pList)
        m_pList->RemoveAll();
    m_pList.reset();
    m_pDoc = nullptr;
}

void CMoveSet::ClampOffset(int& dx, int& dy) const
{
    if (dx > m_nRight)
        dx = m_nRight;
    else if (dx < -m_nLeft)
        dx = -m_nLeft;
    if (dy > m_nDown)
        dy = m_nDown;
    else if (dy < -m_nUp)
        dy = -m_nUp;
}
