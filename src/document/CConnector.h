#pragma once
// A connector: two ends, each free or attached to a figure at a connection
// point, and its copy of the connector properties. Only what the document's
// lists and the undo log need is here; routing, attachment and drawing
// belong to the connector's own code.
#include "shapes/CConProps.h"
#include "document/CDiagObj.h"

class CFigure;

// Connection-point codes of an end besides real point ids.
constexpr int32_t kConPtCentre = -1;   // free, or aimed at the figure's centre
constexpr int32_t kConPtFixed = -2;    // the stored end point is the target
constexpr int32_t kConPtAuto = -3;     // chosen by the trunk routine (becomes -2)

// AttachEnd's end selector: end 1, end 2 or both (end 1 first).
constexpr int kConEnd1 = 1;
constexpr int kConEnd2 = 2;

// Moves applied while a drag is tracked: each end's figure rectangle and each
// free end by its own offset.
struct ConEndOffsets {
    CSize fig1, fig2;
    CSize free1, free2;
};

class CDC;

class CConnector : public CDiagObj {
public:
    explicit CConnector(CKavoDoc* doc = nullptr) : CDiagObj(doc) {}
    CConnector(const CConProps& props, int style, CKavoDoc* doc);
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
    int32_t m_nOrientHint = 0;   // 0 not fixed yet, 1 vertical, 2 horizontal

    // Back to a new connector: default properties, no style, free ends.
    void Reset();
    // Every field, the figure pointers and the selected and visited flags too.
    void CopyFrom(const CConnector& o);

    int GetType() const override { return kObjConnector; }
    FigFlagSet* GetFlagWord() override { return &m_props.Behavior; }
    void GetBoundRect(CRect& out, int mode, int tolerance) const override;
    int HitTest(int x, int y, int tolerance, bool strictRect, bool noTextAreas) const override;
    // A selected connector answers its end handles first (out: the end
    // point); otherwise whether the point lies near the line (out: the foot).
    int HitTestPoint(int x, int y, int tolerance, POINT* out) const;
    void StoreIds() override;
    // End pointers from the stored ids (ResolveEndIds).
    void Relink(const CObjList& objects) override;
    // Own id and the stored end ids shifted (-1 stays).
    void OffsetIds(int delta);
    // The end object of end 1 or 2.
    CFigure* GetEndFig(int end) const { return end == 1 ? m_pFig1 : m_pFig2; }
    // Whether the end shape at end 1 or 2 answers the stock-kind query; 0
    // for another end, no shape (negative index) or a shape not in the
    // document's library.
    int EndShapeIsKind(int end, int query) const;
    // The stock kind of the connector's style, -1 without one.
    int ClassifyStockKind() const override;
    // End 1 or 2 made free: no object, connection point -1, stored id -1.
    void ClearEnd(int end);

    // ---- ends (CConnectorEnds.cpp)
    void GetEnd(int end, CFigure*& fig, int32_t& conPtId, CPoint& pt) const;
    void GetEnds(CFigure*& fig1, CFigure*& fig2, int32_t& id1, int32_t& id2, int& x1, int& y1, int& x2,
                 int& y2) const;
    // Attaches end 1 and/or end 2 (kConEnd1 | kConEnd2) to the figure at the
    // connection point; an end never joins the figure of the other end (it
    // becomes free at pt then). Unless noRegister the figures' attachment
    // counts follow; unless noRecalc the route is recalculated and its
    // result returned.
    int AttachEnd(int ends, CFigure* fig, int32_t conPtId, const POINT& pt, bool noRegister, bool noRecalc);
    // Registers both ends with their figures (after loading or undo).
    void AttachToFigs();
    void ClearEnds();
    // Each stored id to its figure (a figure of that id, should a connector
    // share it); a missing id makes the end free, as does a second end on
    // the first end's figure. With keepUnresolved such an end keeps its
    // stored ids, for validation to report and repair (after loading).
    void ResolveEndIds(const CObjList& objects, bool keepUnresolved = false);
    bool IsSameEnds(const CFigure* a, int32_t idA, const CFigure* b, int32_t idB) const;
    int FindEnd(const CFigure* fig, int32_t id, int& end) const;
    bool IsFree() const { return !m_pFig1 && !m_pFig2; }
    CPoint GetEndAttachPt(int end) const;
    // Swaps the ends (flags, points, figures, connection points); the
    // properties with the end shapes stay at end numbers 1 and 2.
    void Reverse();
    void Offset(int dx, int dy);
    void OffsetEnds(int dx1, int dy1, int dx2, int dy2);

    // ---- geometry (CConnectorGeometry.cpp)
    // Recomputes the end points; with low flag 1 fixes the orientation hint
    // once. Whether the connector is locked vertical or horizontal.
    int RecalcRoute();
    // Where the ends meet their figures: end 1 aims from end 2's point, then
    // end 2 from the new end 1. Offsets (optional) move figures and free ends.
    void ComputeEndPoints(const ConEndOffsets* offsets, CPoint& p1, CPoint& p2) const;
    // Feedback while dragging (CConnectorTracking.cpp): the line from
    // (x1, y1) to (x2, y2) inverted with a cosmetic pen of the line colour;
    // nothing without a DC. With withEnds the end shapes that are not
    // suppressed are inverted too (none for an anchor connector).
    void Draw(CDC* dc, int x1, int y1, int x2, int y2, bool withEnds) const;
    // The line as it would be with the figures and free ends moved by the
    // offsets; the end points come back through p1 and p2. An interface
    // connector whose interface moves away from its unmoved node lets the
    // node's end choose its point anew (trunk-automatic). Unless computeOnly
    // the result is drawn.
    void DrawTracking(CDC* dc, const ConEndOffsets& offsets, bool withEnds, bool computeOnly, CPoint& p1,
                      CPoint& p2);
    bool IsEnd1Auto() const;
    bool IsEnd2Auto() const;
    bool IsVerticalLock() const;
    bool IsHorizontalLock() const;
    bool IsMostlyHorizontal() const;
    bool IsLeftToRight() const { return EndPoint1.x < EndPoint2.x; }
    bool IsTopToBottom() const { return EndPoint1.y < EndPoint2.y; }
    CRect GetEndsRect() const;
    CPoint GetMidPoint() const;
    double GetLength() const;
    bool OverlapsRect(const RECT& rc) const;
    bool IsInRectEnds(const RECT& rc) const;
    // 1 or 2 for the end whose handle square holds the point, else 0.
    int EndHandleFromPoint(const POINT& pt, int size) const;
    int GetDrawTraits() const;
    int GetLineTolerance(int tolerance) const;
    bool EndOnTallFig(int end) const;
    bool EndOnWideFig(int end) const;
    // Whether the end, attached at a real connection point of its figure,
    // may slide along a tall (vertical slide) or wide (horizontal) figure.
    bool EndSlidesVert(int end) const { return (end == 1 ? m_nConPtId1 : m_nConPtId2) > 0 && EndOnTallFig(end); }
    bool EndSlidesHorz(int end) const { return (end == 1 ? m_nConPtId1 : m_nConPtId2) > 0 && EndOnWideFig(end); }
};
