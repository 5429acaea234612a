#pragma once
// The pick list with which one end of an existing connector is dragged to
// a new place: the whole chain the connector belongs to through redundant
// junctions, so the rubber connector shows the chain as it will look.
#include "document/CFigPickList.h"

class CKavoDoc;

// A chain of more connectors than this beyond the dragged one is refused.
constexpr int kMaxRerouteSteps = 999;

// Builds `out` for connector `con` whose end `end` (1 or 2) moves: from the
// far end of the chain through each junction point to the moving end, which
// is the last entry (at most CFigPickList::kMaxEntries, those nearest the
// moving end). With `replace` the chain's connectors and redundant
// junctions get their replace flag (m_bTemp: hit tests skip them, so the
// chain is no target of its own end) and `orderPos` (when given) receives
// the smallest object-list position among them, else -1. False, with
// nothing flagged, when the chain is longer than kMaxRerouteSteps.
bool MakeReroutePicks(CKavoDoc& doc, CConnector* con, int end, bool replace, CFigPickList& out,
                      int* orderPos = nullptr);

// The connector's own two ends, the moving end `end` last.
bool MakeConEndPicks(const CConnector& con, int end, CFigPickList& out);
