#pragma once
// The attach kinds: for pairs of stock kinds, how a placed figure (a port,
// pin, qualifier, entry point, name tab, stacked figure) is put against its
// host and how the figure link between them behaves. The table is fixed and
// searched in order; kinds in the placed and host columns may be families
// (StockKindMatches).
#include "platform/CRect.h"

#include <vector>

class CFigure;
struct CStapleKindEntry;

struct AttachKind {
    int id;              // a row whose id is 0 ends the table
    int placedKind;      // the link's second figure
    int hostKind;        // the link's first figure
    int placementType;   // 1..16 (PinPlacement.h)
    int createStep;      // undo step of a new placed figure; -1 keeps the creation's
    int inFront;         // the placed figure is drawn in front of its host
    int staysWithHost;   // in a trunk move it stays unless its host moves too
    int twoWay;          // the host end counts as pinned too
    int single;          // one placed figure per host; a pinned figure is not placed again
    int mirrored;        // stored under the mirror row with the roles exchanged
    int sizeOnCreate;    // a new figure snapped by this row is sized by dragging
    int staysOnHostResize;
    int freeResize;

    // The row's placement of `rc` against `host` (PlacePinRect).
    bool Place(CRect& rc, const CRect& host, CPoint& p, CPoint& q, int snap) const;
    bool PlaceDistance(int& distance, const CRect& rc, const CRect& host, CPoint& q, int snap) const;
    // Types 13 and 14: whether the handle (1..3 top row, 7..9 bottom row) lies
    // on the side that touches the link partner.
    bool IsTouchingHandle(const CFigure* fig, int handle) const;
};

// The rows in table order, ending with the id-0 row.
const AttachKind* AttachKindTable();
int AttachKindCount();

// The figure's pin kind (the placed kind of its first row, -1 when none);
// the row through `row` when given.
int GetPinKind(const CFigure* fig, const AttachKind** row = nullptr);
const AttachKind* FindAttachKindById(int id);
// The first row whose placed kind the first figure has and whose host kind
// the second has; null when either is missing.
const AttachKind* FindAttachKindForPair(const CFigure* placed, const CFigure* host);

// What the staple refit reads of each row.
std::vector<CStapleKindEntry> AttachKindStapleEntries();
