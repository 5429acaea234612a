#pragma once
// A staple pins a label to a figure, a connector or a flow, or links two
// figures: the following object keeps its place against the leading one.
// Staples live in the document's staple list, not in the object list; each
// pinned object points back to its staple.
#include "document/CDiagObj.h"

class CFigure;
class CConnector;

// Staple kinds.
constexpr int kStapleConLabel = 1;
constexpr int kStapleFigLabel = 2;
constexpr int kStapleFlowLabel = 3;
constexpr int kStapleFigLink = 4;
constexpr int kStapleLatLabel = 5;

// Anchor positions run from 0 (left or top) to 255 (right or bottom).
constexpr int kStaplePosMax = 255;
constexpr int kStaplePosMid = 127;

// Whatever changes a staple's kind or the figures it holds calls this, so
// that tables built from the staples are rebuilt (StapleLabelIndex).
void NoteStapleLinksChanged();

class CStaple : public CDiagObj {
public:
    explicit CStaple(CKavoDoc* doc = nullptr, int type = 0) : CDiagObj(doc), m_nType(type) {}
    CStaple(const CStaple& o);
    CStaple& operator=(const CStaple& o) = default;

    int32_t m_nType;              // StapleType: 0 unknown, 1..5
    CConnector* m_pCon = nullptr;
    CFigure* m_pFig1 = nullptr;
    CFigure* m_pFig2 = nullptr;
    int32_t m_nConId = -1;
    int32_t m_nFig1Id = -1;
    int32_t m_nFig2Id = -1;
    int32_t ConPos = 0;
    int32_t Fig1PosX = 0, Fig1PosY = 0;
    int32_t Fig2PosX = 0, Fig2PosY = 0;
    int32_t OffsetX = 0, OffsetY = 0;
    int32_t FlowSide = 1;
    int32_t LateralOffset = 0;
    int32_t LateralConsistency = 0;
    int32_t PinType = -1;
    // Where the objects were when the staple last followed them.
    CPoint m_snapConEnd1, m_snapConEnd2;
    CRect m_snapFig1, m_snapFig2;
    CSize m_snapFig1Size;

    int GetType() const override { return kObjStaple; }
    void GetBoundRect(CRect& out, int mode, int tolerance) const override;
    int HitTest(int, int, int, bool, bool) const override { return 0; }
    // Ids from the pointers; -1 for absent objects.
    void StoreIds() override;
    // Pointers from the ids: an object is taken only when its kind fits the
    // slot (a connector for the connector, figures for the figures), else the
    // id becomes -1; an id not found stays (the pointer is null). Pinned
    // objects point back here; snapshots are retaken.
    void Relink(const CObjList& objects) override;
    // Own id by the first delta, referenced ids by the second (-1 stays).
    void OffsetIds(int ownDelta, int objDelta);
    void ShiftIds(int stapleDelta, int objDelta) { OffsetIds(stapleDelta, objDelta); }
    // Every field, the document and id included; the mark is cleared.
    void CopyFrom(const CStaple& o);

    // ---- makers (CStapleMakers.cpp)
    void MakeConLbl(CConnector* con, const POINT& pt, CFigure* label, int fig1PosX, int fig1PosY);
    void MakeFigLbl(CFigure* fig, int fig1PosX, int fig1PosY, CFigure* label, int fig2PosX, int fig2PosY,
                    int offsetX, int offsetY);
    void MakeFlowLbl(CFigure* fig, CFigure* label, CConnector* con, int flowSide);
    void MakeFigLink(CFigure* fig, int fig1PosX, int fig1PosY, CFigure* linked, int fig2PosX, int fig2PosY,
                     int offsetX, int offsetY);
    void MakeLatLbl(CConnector* con, const POINT& pt, CFigure* label, int lateralOffset, int consistency);

    // ---- type tests (CStapleMakers.cpp); the non-strict tests settle a
    // type-0 staple's type from the slots it fills.
    bool IsConLbl(bool strict);
    bool IsLatLbl(bool strict);
    bool IsFigLbl(bool strict);
    bool IsFlowLbl(bool strict) const;
    bool IsFigLink(bool strict) const;
    bool IsValid();
    // After loading, a type-0 staple takes its type from the ids it holds.
    void InferType();
    bool LinksFig(const CDiagObj* obj) const;
    bool IsAnyPinnedMarked() const;

    // ---- snapshots and change tests (CStaplePositions.cpp)
    void SnapFig1();
    void SnapFig2();
    void SnapCon();
    void TakeSnapshots();
    void ClearSnapshots();
    bool ConMoved() const;
    bool FigsChanged() const;
    bool OnlyFig1Moved() const;
    bool OnlyFig2Moved() const;
    bool Fig1Resized() const;
    bool Fig2Resized() const;
    bool FlowLblChanged() const;
    bool LatLblChanged() const;
    bool LatLblSizeKept() const;

    // ---- positions (CStaplePositions.cpp)
    // p of 0..255 along a length: 0 and 1 give 0, 255 the length, otherwise
    // p * length / 255; out of range (or a negative length) 0.
    static int ScalePos(int p, int length);
    // The anchor point on a rectangle; (0, 0) for an anchor out of range.
    static CPoint AnchorPoint(const RECT& rc, int x, int y);
    // The rectangle of the size whose anchor lies at pt; empty for an anchor
    // out of range.
    static CRect RectAtAnchor(const POINT& pt, int width, int height, int x, int y);
    int GetSideCode() const;
    int GetSideCodeExact() const;
    CPoint GetPointAtConPos() const;
    int ConPosOfPoint(const POINT& pt) const;
    void ReanchorAt(const POINT& pt, bool keepSide);
    CRect GetFig2RectForSize(int width, int height) const;
    CRect GetLatLblRectForSize(int width, int height) const;
    // A lateral label's place (and text alignment) at ConPos for an offset.
    CRect GetLatLblPlace(int width, int height, int offset, WORD& align) const;
    // Scales a figure link's offset with a diagram; an extent of 0 keeps it.
    void ScaleOffset(const RECT& oldRect, const RECT& newRect);
    // Types 2 and 4: logs the staple, then the offset becomes Figure2's
    // anchor minus Figure1's.
    bool RecordOffset(CKavoDoc* doc);

    // ---- maintenance (StapleMaintenance.cpp)
    // One follow step; 0 when nothing was done or a move failed (the
    // snapshots then stay, so the next pass tries again).
    int Update(CKavoDoc* doc, int log);
    // Connector and lateral labels: the staple moves onto another connector.
    int MoveToConnector(CConnector* con, int reanchor);
    // The attachment-kind entry of a pin (PinType), or the defaults.
    const struct CStapleKindEntry& GetKindEntry() const;
    // ---- pins (CKavoDocPins.cpp)
    // A figure link's attach-kind row: by the row id, else the row of its
    // two figures (whose id is then kept); null for other staples.
    const struct AttachKind* FindLinkRow();
    // A figure link with the figure at either end: its row's two-way column.
    int IsTwoWayFor(const CFigure* fig);

private:
    void PinObjects();
    int UpdateConLbl(CKavoDoc* doc);
    int UpdateFigLbl(CKavoDoc* doc, int log);
    int UpdateFlowLbl(CKavoDoc* doc);
    int UpdateFigLink(CKavoDoc* doc, int log);
    int UpdateLatLbl(CKavoDoc* doc);
    int RetakeOffset(CKavoDoc* doc, int log);
    // The label's text takes the alignment (the record is logged when the
    // properties change).
    void AlignLabelText(CKavoDoc* doc, CFigure* label, WORD align);
    int FollowFig1(CKavoDoc* doc);
};
