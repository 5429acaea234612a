#pragma once
// Whether a selected figure can leave the flow that passes through it: it
// is an ordinary figure with exactly two connectors, neither selected, both
// ending at its outline (no connection point), alike in style or look, and
// leading to two different places. On success `a` and `b` are the two
// connectors that the detach joins.
class CConnector;
class CFigure;
class CKavoDoc;

bool CanDetachFigFromFlow(const CKavoDoc& doc, CFigure* fig, CConnector*& a, CConnector*& b);
