#pragma once
// The objects taking part in the current drag: the document they belong to
// and a list of its own (not owning the objects). Empty until the document
// initialises it; Release frees the list.
#include "document/CObjList.h"

#include <memory>

class CKavoDoc;

class CMoveSet {
public:
    // False when the list cannot be allocated.
    bool Init(CKavoDoc* doc);
    void Release();
    CKavoDoc* GetDoc() const { return m_pDoc; }
    CObjList* GetList() const { return m_pList.get(); }

private:
    CKavoDoc* m_pDoc = nullptr;
    std::unique_ptr<CObjList> m_pList;
};
