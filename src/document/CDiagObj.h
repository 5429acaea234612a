#pragma once
// The abstract base of figures, connectors and staples: the owning document,
// the staple that pins the object, its group, and the stock kind of its style.
#include "document/CIdObj.h"
#include "platform/CRect.h"
#include "shapes/FigFlags.h"
#include "shapes/StockNameKind.h"

class CKavoDoc;
class CStaple;
class CGroup;
class CObjList;

constexpr int kObjFigure = 0;
constexpr int kObjConnector = 1;
constexpr int kObjStaple = 2;

class CDiagObj : public CIdObj {
public:
    explicit CDiagObj(CKavoDoc* doc = nullptr) : m_pDoc(doc), m_stockKind(this) {}
    CDiagObj(const CDiagObj& o);
    CDiagObj& operator=(const CDiagObj& o);
    ~CDiagObj() override = default;

    CKavoDoc* m_pDoc;           // not owned; null for temporary objects
    int32_t m_bTemp = 0;        // hit tests can skip flagged objects
    CStaple* m_pStaple = nullptr; // the staple holding this object as a label
    CGroup* m_pGroup = nullptr;   // the owning group
    // Flow edits raise the set flag on the objects they create.
    int32_t m_bSetFlag = 0;
    // Move state of the list mover: a connector's ends moved with their
    // connection points (1 end 1, 2 end 2, with the axes they slid on); a
    // figure with sliding points (1).
    int32_t m_nMoveState = 0;
    // Held axes while the current move runs: a figure 1 = y stays, 2 = x
    // stays (3 fixed); a connector 4 / 8 end 1 y / x, 16 / 32 end 2 (60
    // fixed). Pending flags and the follow flag belong to the move context.
    uint8_t m_nFixedAxes = 0;
    uint8_t m_bPendingH = 0;
    uint8_t m_bPendingV = 0;
    uint8_t m_bFollow = 0;

    virtual void Hook() {}
    // After loading or copying: stored ids back to pointers, looked up in
    // the given objects.
    virtual void Relink(const CObjList& objects) { (void)objects; }
    // Before saving or copying: pointers back to ids.
    virtual void StoreIds() {}
    virtual int GetType() const = 0;
    // Modes: 0 the rectangle, 1 with shadow, 2 with shadow and tolerance,
    // 3 inflated for handles, 4 inflated only when selected.
    virtual void GetBoundRect(CRect& out, int mode, int tolerance) const = 0;
    virtual int HitTest(int x, int y, int tolerance, bool strictRect, bool noTextAreas) const = 0;
    int HitTestSimple(const POINT& pt) const { return HitTest(pt.x, pt.y, 0, false, false); }

    // The behaviour flag word; null for objects without one.
    virtual FigFlagSet* GetFlagWord() { return nullptr; }
    const FigFlagSet* GetFlagWord() const { return const_cast<CDiagObj*>(this)->GetFlagWord(); }
    // Sets or clears bits, the exclusive groups respected.
    void SetFlags(DWORD low, DWORD high, bool on);
    bool HasFlags(DWORD low, DWORD high) const;

    // Leaves `leaveOut` (unless it is not the present staple: then null and
    // nothing changes) and points at another staple of the document that
    // pins this object, or at none. Returns the new staple.
    CStaple* RefindStaple(const CStaple* leaveOut);

    // The stock kind of the object's style name (cached).
    int IsStockKind(int query) const { return m_stockKind.IsKind(query); }
    int GetStockKind() const { return m_stockKind.GetKind(); }
    void ResetStockKind() { m_stockKind.Reset(); }

protected:
    // The object's stock kind, -1 for none.
    virtual int ClassifyStockKind() const { return -1; }

private:
    class ObjStockKind : public StockNameKind {
    public:
        explicit ObjStockKind(const CDiagObj* owner) : m_pOwner(owner) {}
        ObjStockKind& operator=(const ObjStockKind&) { Reset(); return *this; }

    protected:
        int Classify() const override { return m_pOwner->ClassifyStockKind(); }

    private:
        const CDiagObj* m_pOwner;
    };
    ObjStockKind m_stockKind;
};
