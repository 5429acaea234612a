#pragma once
// Undo records of staples and connector flips: the staple state (eighteen
// int32, objects named by id; positions are recomputed by the staple refit),
// the staple-change record and the flip record with their replay.
#include "undo/UndoStream.h"

class CKavoDoc;
class CStaple;
class CConnector;

void WriteStapleState(UndoStream& s, const CStaple& staple);
bool ReadStapleState(UndoReader& r, CStaple& staple);
// UDOC_STPMOD: the staple's connector id (-1), then its state.
int LogStapleState(CKavoDoc& doc, const CStaple* staple);
// UDOC_CONFLIP: the connector's id.
int LogConFlip(CKavoDoc& doc, const CConnector* con);
// The connector's ends swapped; labels on it keep their place on the line.
void FlipConWithStaples(CKavoDoc& doc, CConnector* con);
// Replays UDOC_STPMOD and UDOC_CONFLIP; false for other types or a body that
// cannot be read.
bool ReplayStapleRecord(CKavoDoc& doc, int type, UndoReader& r);
