#pragma once
// The connection points of a figure, a figure style or a figure symbol, with
// the next id to hand out. At most 512 points.
#include "shapes/CConPt.h"
#include "platform/CRect.h"

#include <vector>

class CDC;

class CConPtList {
public:
    static constexpr int kMaxPoints = 512;

    // Unless noSearch, a point at an equal position gives its id. With 512
    // points -1. Otherwise appends a point (name cut to 255 characters); id -1
    // (or any id below 1) takes the next id. An explicit id that is already in the list would make
    // two points answer to it, so the newcomer gets the next id instead. After
    // an explicit id the next id is raised past the largest id. Returns the id.
    int AddConPt(const CFltPoint& pos, const std::string& name, int32_t flag, bool noSearch, int32_t id);
    int FindByPos(const CFltPoint& pos) const;
    const CConPt* FindById(int32_t id) const;
    int IndexFromId(int32_t id) const;
    const CConPt* GetAt(int index) const;
    int GetIdAt(int index) const;
    int GetCount() const { return static_cast<int>(m_points.size()); }
    int MaxId() const;
    int NextId() { return m_nNextId++; }
    int RemoveConPt(int32_t id);
    void RemoveAll() { m_points.clear(); }
    void Reset() { RemoveAll(); m_nNextId = 1; }
    void CopyFrom(const CConPtList& other) { m_points = other.m_points; m_nNextId = other.m_nNextId; }
    // Same count and pairwise equal points in order.
    bool IsEqual(const CConPtList& other) const;
    // Ids 1..n in list order, next id n + 1.
    void RenumberIds();
    // Copy leaving out flagged points when asked (the next id is taken over).
    void CopyFromEx(const CConPtList& other, bool skipFlagged);
    // Empties the list, then adds each unflagged point of the other by
    // position and name (flag 0, new ids, equal positions merged).
    void AddUnflagged(const CConPtList& other);
    // Moves the point by (dx, dy) inside the rectangle: offset, clamped to the
    // whole rectangle (its right and bottom borders included, so a point on
    // them stays there) and converted back. 0 for an unknown id.
    int MoveConPt(int32_t id, const RECT& rect, int dx, int dy);
    // A position no point uses, tried on the 1000 grid: (500, 500), then steps
    // 100..800 along the horizontal or vertical middle line or the diagonal.
    // When every candidate is used, (500, 500).
    void FindFreePos(CFltPoint& out, bool onVertical, bool onHorizontal) const;

    // The point's position in the rectangle: mapped with its anchoring modes,
    // except that a coordinate of exactly 1024.0 is the rectangle's integer
    // midpoint. 0 when no point has the id.
    int GetConPtPos(int32_t id, const RECT& rect, CFltPoint& out) const;
    // The same, rounded.
    int GetConPtPoint(int32_t id, const RECT& rect, CPoint& out) const;
    // The connection-point marker of `kind` (DrawConPtMarker) at the point's
    // position offset by (dx, dy); nothing for an unknown id.
    void DrawMarker(CDC* dc, int32_t id, const RECT& rect, int kind, int dx, int dy) const;

private:
    std::vector<CConPt> m_points;
    int32_t m_nNextId = 1;
};
