#include "document/AttachKinds.h"

#include "document/CFigure.h"
#include "document/PinPlacement.h"
#include "document/StapleKinds.h"

#include <iterator>

namespace {

// Undo step codes of new placed figures.
constexpr int kStepQualifier = 68, kStepPort = 69, kStepPin = 73, kStepEntryExit = 76, kStepNameTab = 77,
              kStepParmList = 78;

// clang-format off
constexpr AttachKind kAttachKinds[] = {
    // id placed host type step              front stay two single mirror size hostRs free
    {1,  11, 52, 4,  kStepPort,      1, 1, 0, 0, 0, 0, 0, 0},
    {2,  59, 52, 5,  kStepPort,      1, 1, 0, 0, 0, 1, 0, 1},
    {3,  60, 52, 6,  kStepPort,      1, 1, 0, 0, 0, 1, 0, 1},
    {4,  11, 52, 7,  kStepPort,      1, 1, 0, 0, 0, 0, 0, 1},
    {5,  59, 52, 8,  kStepPort,      1, 1, 0, 0, 0, 1, 0, 1},
    {6,  60, 52, 9,  kStepPort,      1, 1, 0, 0, 0, 1, 0, 1},
    {7,  56, 58, 4,  kStepEntryExit, 1, 1, 0, 0, 0, 0, 0, 0},
    {8,  13, 49, 1,  kStepQualifier, 0, 1, 0, 0, 0, 0, 0, 0},
    {9,  41, 50, 1,  kStepPin,       0, 1, 0, 0, 0, 0, 0, 0},
    {10, 45, 50, 2,  kStepPin,       0, 1, 0, 0, 0, 0, 0, 0},
    {11, 46, 50, 3,  kStepPin,       0, 1, 0, 0, 0, 0, 0, 0},
    {12, 41, 51, 4,  kStepPin,       1, 1, 0, 0, 0, 0, 0, 0},
    {13, 45, 51, 5,  kStepPin,       1, 1, 0, 0, 0, 0, 0, 0},
    {14, 46, 51, 6,  kStepPin,       1, 1, 0, 0, 0, 0, 0, 0},
    {15, 6,  6,  11, kStepPin,       1, 0, 0, 0, 0, 1, 1, 1},
    {16, 6,  29, 10, -1,             1, 0, 0, 0, 0, 1, 1, 1},
    {26, 24, 68, 12, -1,             1, 1, 0, 1, 0, 0, 0, 0},
    {28, 68, 62, 13, -1,             0, 1, 1, 1, 1, 1, 0, 0},
    {27, 62, 68, 14, -1,             0, 1, 1, 1, 0, 0, 0, 0},
    {23, 63, 64, 15, kStepNameTab,   0, 1, 1, 1, 0, 0, 0, 1},
    {24, 65, 66, 16, kStepParmList,  1, 1, 1, 1, 0, 1, 0, 0},
    {25, 57, 68, 10, -1,             1, 0, 0, 0, 0, 1, 1, 0},
    {0,  0,  0,  0,  0,              0, 0, 0, 0, 0, 0, 0, 0},
};
// clang-format on
constexpr int kRowCount = int(std::size(kAttachKinds)) - 1;

} // namespace

bool AttachKind::Place(CRect& rc, const CRect& host, CPoint& p, CPoint& q, int snap) const
{
    return PlacePinRect(placementType, rc, host, p, q, snap);
}

bool AttachKind::PlaceDistance(int& distance, const CRect& rc, const CRect& host, CPoint& q, int snap) const
{
    (void)snap;   // the distance is always measured without the snap
    return PlacePinDistance(placementType, distance, rc, host, q);
}

bool AttachKind::IsTouchingHandle(const CFigure* fig, int handle) const
{
    if (!fig || (placementType != 13 && placementType != 14))
        return false;
    const bool topRow = handle >= 1 && handle <= 3, bottomRow = handle >= 7 && handle <= 9;
    // Type 13 hangs the placed figure under the host, type 14 stands it on top.
    const bool placedTouchesAbove = placementType == 13;
    if (fig->IsStockKind(placedKind))
        return placedTouchesAbove ? topRow : bottomRow;
    if (fig->IsStockKind(hostKind))
        return placedTouchesAbove ? bottomRow : topRow;
    return false;
}

const AttachKind* AttachKindTable()
{
    return kAttachKinds;
}

int AttachKindCount()
{
    return kRowCount;
}

int GetPinKind(const CFigure* fig, const AttachKind** row)
{
    if (row)
        *row = nullptr;
    if (!fig)
        return -1;
    for (const AttachKind* k = kAttachKinds; k->id; ++k) {
        if (fig->IsStockKind(k->placedKind)) {
            if (row)
                *row = k;
            return k->placedKind;
        }
    }
    return -1;
}

const AttachKind* FindAttachKindById(int id)
{
    for (const AttachKind* k = kAttachKinds; k->id; ++k)
        if (k->id == id)
            return k;
    return nullptr;
}

const AttachKind* FindAttachKindForPair(const CFigure* placed, const CFigure* host)
{
    if (!placed || !host)
        return nullptr;
    for (const AttachKind* k = kAttachKinds; k->id; ++k)
        if (placed->IsStockKind(k->placedKind) && host->IsStockKind(k->hostKind))
            return k;
    return nullptr;
}

std::vector<CStapleKindEntry> AttachKindStapleEntries()
{
    std::vector<CStapleKindEntry> entries;
    for (const AttachKind* k = kAttachKinds; k->id; ++k) {
        CStapleKindEntry e;
        e.id = k->id;
        // A placed figure in front leaves its host behind it.
        e.leaderBehind = k->inFront;
        e.keepOnLeaderResize = k->staysOnHostResize;
        e.keepOnOwnResize = k->freeResize;
        entries.push_back(e);
    }
    return entries;
}
