#pragma once
// Where earlier connectors of the document cross a piece of a connector being
// drawn: the points the line hops over, in order along the piece.
#include "platform/CRect.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CKavoDoc;
class CConnector;

// Crossings kept per piece at most.
constexpr int kMaxConCrossings = 32;

struct ConCrossing {
    CPoint pt;
    int segment = 0;   // index of the piece's segment the point lies on
};

// The crossings of the piece with the connectors that come before every
// connector of `route` in the object list and lack the no-hops flag (128).
// A straight connector counts only where neither of its ends lies on an end
// of the crossed segment; a curved one is tested against its curve points.
// A crossing is dropped at a segment's end, within `radius` of the piece's
// first or last point, within an end shape's length of the other
// connector's attached end, or closer than hopSize + 2 x radius to an
// earlier crossing on the same segment. Per segment in order of distance
// from its start; at most kMaxConCrossings.
// For one drawing pass over the whole document: the connectors' bounds in a
// grid and their list positions, so each piece looks only at the connectors
// near it. While one exists for the document, FindConCrossings uses it; the
// objects must not change during the pass. A pass serves its own thread.
class ConCrossingPass {
public:
    explicit ConCrossingPass(const CKavoDoc& doc);
    // A pass of this thread over the grid another pass of the same document
    // built, which must outlive it: threads drawing parts of one picture
    // build the grid once.
    ConCrossingPass(const CKavoDoc& doc, const ConCrossingPass& sharing);
    ~ConCrossingPass();
    ConCrossingPass(const ConCrossingPass&) = delete;
    ConCrossingPass& operator=(const ConCrossingPass&) = delete;

    struct Entry {
        const CConnector* con;
        int position;
        CRect bounds;
    };
    const CKavoDoc& Doc() const { return m_doc; }
    // Whether a pass for the document is open on this thread.
    static bool IsActiveFor(const CKavoDoc& doc);
    // Position of an object in the list, or -1.
    int PositionOf(const CConnector* con) const;
    // The connectors before `limit` in the list whose bounds meet the box.
    void Near(const CRect& box, int limit, std::vector<const Entry*>& out) const;

private:
    static long long Key(int cx, int cy) { return (static_cast<long long>(cx) << 32) ^ static_cast<unsigned>(cy); }
    struct Grid {
        std::vector<Entry> entries;
        std::unordered_map<const CConnector*, int> positions;
        std::unordered_map<long long, std::vector<int>> cells;
    };
    const CKavoDoc& m_doc;
    ConCrossingPass* m_previous;
    std::shared_ptr<const Grid> m_grid;
    mutable std::vector<unsigned> m_seen;
    mutable unsigned m_stamp = 0;
};

std::vector<ConCrossing> FindConCrossings(const CKavoDoc& doc, const std::vector<CConnector*>& route,
                                          const std::vector<CPoint>& piece, int hopSize, int radius);
