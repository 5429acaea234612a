#pragma once
// Pinning a free label on a connector and sliding a connector or lateral
// label along its connector, each with undo (CKavoDocLabels.cpp).
#include "platform/CRect.h"

class CKavoDoc;
class CFigure;
class CConnector;

// A connector label on the connector at pt; its step code is the lateral
// label's, so one gesture may join either kind to one step when `join` is
// set and the last step is of that code.
bool AttachLblAsConLbl(CKavoDoc& doc, CFigure* label, CConnector* con, const POINT& pt, bool join);
// Moves a connector or lateral label along its connector to where the
// point falls on it (a lateral label keeps its side); false for any other
// object or when the undo log refuses the record.
bool SlideConLabel(CKavoDoc& doc, CFigure* label, int x, int y);
// The same in an undo step of its own.
bool SlideLblWithUndo(CKavoDoc& doc, CFigure* label, int x, int y);
