#pragma once
// A staple pins a label to a figure, a connector or a flow, or links two
// figures. Only what the document's lists need is here: its kind and the
// objects it names (by pointer and by id).
#include "document/CDiagObj.h"

class CFigure;
class CConnector;

// Staple kinds.
constexpr int kStapleConLabel = 1;
constexpr int kStapleFigLabel = 2;
constexpr int kStapleFlowLabel = 3;
constexpr int kStapleFigLink = 4;
constexpr int kStapleLatLabel = 5;

class CStaple : public CDiagObj {
public:
    explicit CStaple(CKavoDoc* doc = nullptr, int type = 0) : CDiagObj(doc), m_nType(type) {}
    CStaple(const CStaple& o);

    int32_t m_nType;
    CConnector* m_pCon = nullptr;
    CFigure* m_pFig1 = nullptr;
    CFigure* m_pFig2 = nullptr;
    int32_t m_nConId = -1;
    int32_t m_nFig1Id = -1;
    int32_t m_nFig2Id = -1;

    int GetType() const override { return kObjStaple; }
    void GetBoundRect(CRect& out, int mode, int tolerance) const override;
    int HitTest(int, int, int, bool, bool) const override { return 0; }
    // Ids from the pointers that are set.
    void StoreIds() override;
    // Pointers from the ids, looked up in the given objects.
    void Relink(const CObjList& objects) override;
    // Own id by the first delta, referenced ids by the second (-1 stays).
    void OffsetIds(int ownDelta, int objDelta);
};
