#pragma once
// The union of two closed outlines of which a side of one runs along a side of
// the other. The trace of the union cannot tell there which polygon to
// follow and may turn back on itself; such a pair is joined piece by piece
// instead: every side is cut where it meets the other outline, the pieces
// that lie outside the other polygon are kept (of a stretch both run along
// in one direction, one copy; where they run against each other, neither),
// and the kept pieces are chained from the start vertex.
class CPointArray;

// Whether a side of p and a side of q lie on one line and share more than a
// point.
bool ShareALine(const CPointArray& p, const CPointArray& q);
// The union of first and second, one way round as first, from first's vertex
// `start` (which lies outside second) into out, which has room for the
// outline. False when the pieces do not close within maxSteps.
bool JoinAlongSharedLines(const CPointArray& first, const CPointArray& second, int start, int maxSteps,
                          CPointArray& out);
