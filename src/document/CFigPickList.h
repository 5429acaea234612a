#pragma once
// The points of a connector being drawn or re-routed, each with what lies
// under it: the figure it attaches to (and at which connection point), or
// the connector it branches from, or nothing (a free point). The document
// turns a finished list into connectors joined by junctions.
#include "platform/CRect.h"

#include <cstdint>
#include <vector>

class CFigure;
class CConnector;

// Connection-point keys of a pick entry besides a figure's own keys.
constexpr int32_t kPickFree = -1;   // the point itself (the centre of a figure)
constexpr int32_t kPickAuto = -2;   // a point made where the end lies

struct CFigPick {
    CFigure* fig = nullptr;
    CConnector* con = nullptr;
    CPoint pt;
    int32_t conPt = kPickFree;
};

class CFigPickList {
public:
    static constexpr int kMaxEntries = 51;

    virtual ~CFigPickList() = default;

    // False when the list is full.
    bool Add(const POINT& pt, CFigure* fig, int32_t conPt, CConnector* con);
    // Entry n (1-based) replaced; false out of range.
    bool SetAt(int n, const POINT& pt, CFigure* fig, int32_t conPt, CConnector* con);
    void CopyFrom(const CFigPickList& other) { m_entries = other.m_entries; }
    void RemoveAll() { m_entries.clear(); }
    bool RemoveAt(int n);
    int GetCount() const { return int(m_entries.size()); }
    int GetSegmentCount() const { return GetCount() < 2 ? 0 : GetCount() - 1; }
    int GetFreeSlots() const { return kMaxEntries - GetCount(); }
    // Entry n, 1-based; null out of range.
    const CFigPick* GetAt(int n) const;
    CFigure* GetFirstFig() const { return m_entries.empty() ? nullptr : m_entries.front().fig; }
    CFigure* GetLastFig() const { return m_entries.empty() ? nullptr : m_entries.back().fig; }
    CConnector* GetFirstCon() const { return m_entries.empty() ? nullptr : m_entries.front().con; }
    CConnector* GetLastCon() const { return m_entries.empty() ? nullptr : m_entries.back().con; }
    CPoint GetLastPoint() const { return m_entries.empty() ? CPoint() : m_entries.back().pt; }
    CFigure* GetFigBeforeLast() const { return GetCount() < 2 ? nullptr : m_entries[m_entries.size() - 2].fig; }
    // Where entry n lies now: a figure's connection point, its centre for a
    // free key, else the stored point. Out of range: the first entry's, or
    // (0, 0) for an empty list.
    CPoint GetPointOf(int n) const;
    // Each entry's point (GetPointOf) after the array is cleared.
    void AddPointsTo(std::vector<CPoint>& points) const;
    bool AnyOutside(const RECT& rc) const;
    // Drops entries on the previous entry's point; unless keep, also inner
    // entries on one horizontal or one vertical line with both neighbours.
    void RemoveRedundant(bool keep);
    // Reverses the order of the entries.
    void Reverse();
    bool operator==(const CFigPickList& o) const;

private:
    std::vector<CFigPick> m_entries;
};

// What the attach-target search may do at a point.
struct ConTargetRules {
    bool noAttach = false;       // freeform: every point stays free
    bool clickPoint = false;     // a figure keeps the point instead of its centre
    bool branch = true;          // a connector under the point is branched from
    bool enableConPts = false;   // figures' connection points are targets
    bool snap = false;           // grid snapping: onto the figure's outline
};

// What lies at a connector end: a figure (with its connection-point key or
// kPickFree / kPickAuto), a connector to branch from, or nothing.
struct ConTarget {
    CPoint pt;
    CFigure* fig = nullptr;
    int32_t conPt = kPickFree;
    CConnector* con = nullptr;
};

// The message of a CheckConPicks result; null for a valid list and for the
// silent refusal of a too short one.
const char* ConPicksMessage(int check);
