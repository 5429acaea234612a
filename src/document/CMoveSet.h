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

    // Largest move in each direction, in logical units; kUnlimited when
    // nothing limits it.
    static constexpr int kUnlimited = 32000;
    static constexpr int kMaxGuides = 5;
    int32_t m_nUp = kUnlimited, m_nDown = kUnlimited, m_nRight = kUnlimited, m_nLeft = kUnlimited;
    int32_t m_bSnap = 0;
    int32_t m_xGuides[kMaxGuides] = {};
    int32_t m_nXGuides = 0;
    int32_t m_yGuides[kMaxGuides] = {};
    int32_t m_nYGuides = 0;

    void ResetLimits() { m_nUp = m_nDown = m_nRight = m_nLeft = kUnlimited; }
    void ClearGuides() { m_nXGuides = m_nYGuides = 0; }
    // The offset cut to the limits.
    void ClampOffset(int& dx, int& dy) const;

private:
    CKavoDoc* m_pDoc = nullptr;
    std::unique_ptr<CObjList> m_pList;
};
