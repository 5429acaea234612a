#pragma once
// Stretching a special shape: when a compartmented figure is resized by a
// handle, its dividers keep their distances to the side they belong to
// instead of scaling with it, and the compartments' text boxes are fitted
// to the new rectangle with the document's margins.
#include "platform/CRect.h"

class CFigSymbol;
class CFigure;
class CompartmentSet;

// A special (compartmented) shape: its symbol reshapes by its dividers, so
// a resize with stretching on stretches it instead of scaling it.
bool HasSpecialLayout(const CFigure& fig);

// Every text box of `sym` re-fitted to `rc`: with fixed margins the
// document's four, with per-shape margins each box's own in the figure's
// symbol and rectangle. Nothing (0) with scalable margins or without a
// document.
int FitCompartmentsToRect(const CFigure& fig, CFigSymbol& sym, const CRect& rc);

// Lays out `sym` (a copy of the figure's symbol) for the figure resized from
// r0 (the figure's rectangle) to r1 by `handle`: each divider keeps its
// offset from its own anchor handle, or from the handle opposite the
// dragged one, plus the shift the plan gives it for a shrink (with Shift
// held the plan's entries give in order, else runs of flexible entries
// share; plan may be null). Growing without Shift lets the dividers without
// an anchor follow the layout of `sym` instead. Limited so that the shape
// stays drawable. 1.
int StretchSpecialShape(const CFigure& fig, const CRect& r0, const CRect& r1, CFigSymbol& sym,
                        const CompartmentSet* plan, int handle, bool shiftHeld);
