#pragma once
// Where earlier connectors of the document cross a piece of a connector being
// drawn: the points the line hops over, in order along the piece.
#include "platform/CRect.h"

#include <cstdint>
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
// For one drawing pass over the whole document: the connectors come from the
// document's spatial index, brought current once, so each piece looks only
// at the connectors near it. While one exists for the document,
// FindConCrossings uses it; the objects must not change during the pass. A
// pass serves its own thread.
class ConCrossingPass {
public:
    explicit ConCrossingPass(const CKavoDoc& doc);
    // A pass of this thread alongside another pass of the same document:
    // threads drawing parts of one picture bring the index current once.
    ConCrossingPass(const CKavoDoc& doc, const ConCrossingPass& sharing);
    ~ConCrossingPass();
    ConCrossingPass(const ConCrossingPass&) = delete;
    ConCrossingPass& operator=(const ConCrossingPass&) = delete;

    struct Entry {
        const CConnector* con;
        int64_t position;
        CRect bounds;
    };
    const CKavoDoc& Doc() const { return m_doc; }
    // Whether a pass for the document is open on this thread.
    static bool IsActiveFor(const CKavoDoc& doc);
    // A number ordering the connector as the list does, or -1.
    int64_t PositionOf(const CConnector* con) const;
    // The connectors before `limit` in the list whose bounds meet the box,
    // in list order.
    void Near(const CRect& box, int64_t limit, std::vector<Entry>& out) const;

private:
    const CKavoDoc& m_doc;
    ConCrossingPass* m_previous;
};

std::vector<ConCrossing> FindConCrossings(const CKavoDoc& doc, const std::vector<CConnector*>& route,
                                          const std::vector<CPoint>& piece, int hopSize, int radius);
