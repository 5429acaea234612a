#pragma once
// A connector: two ends, each free or attached to a figure at a connection
// point, and its copy of the connector properties. Only what the document's
// lists and the undo log need is here; routing, attachment and drawing
// belong to the connector's own code.
#include "document/CConProps.h"
#include "document/CDiagObj.h"

class CFigure;

class CConnector : public CDiagObj {
public:
    explicit CConnector(CKavoDoc* doc = nullptr) : CDiagObj(doc) {}
    CConnector(const CConnector& o);
    CConnector& operator=(const CConnector& o) = default;

    int32_t m_nFigId1 = -1;      // stored end ids, -1 free
    int32_t m_nFigId2 = -1;
    CFigure* m_pFig1 = nullptr;
    CFigure* m_pFig2 = nullptr;
    int32_t m_nConPtId1 = -1;    // -1 none, -2 fixed, -3 automatic
    int32_t m_nConPtId2 = -1;
    int32_t SuppressEnd1 = 0;
    int32_t SuppressEnd2 = 0;
    CPoint EndPoint1;
    CPoint EndPoint2;
    int32_t m_nStyle = -1;       // connector-style index
    CConProps m_props;

    int GetType() const override { return kObjConnector; }
    FigFlagSet* GetFlagWord() override { return &m_props.Behavior; }
    void GetBoundRect(CRect& out, int mode, int tolerance) const override;
    // Within the tolerance of the straight line between the end points.
    int HitTest(int x, int y, int tolerance, bool strictRect, bool noTextAreas) const override;
    void StoreIds() override;
    // End pointers from the stored ids (figures of the given list).
    void Relink(const CObjList& objects) override;
    // Own id and the stored end ids shifted (-1 stays).
    void OffsetIds(int delta);
    // The end object of end 1 or 2.
    CFigure* GetEndFig(int end) const { return end == 1 ? m_pFig1 : m_pFig2; }
    // End 1 or 2 made free: no object, connection point -1, stored id -1.
    void ClearEnd(int end);
};
