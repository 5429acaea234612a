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
