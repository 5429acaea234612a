#pragma once
// A connector label stands with its anchor on its connector. The staple pass
// moves it only when the connector moves, so whatever changes the label's
// size (its text fitted, a new font, a scale) puts it back on the line here.
class CFigure;

// Moves the label so that its anchor lies on its staple's point of the
// connector, keeping its size; not logged (the caller's undo step holds the
// label's rectangle). False, with nothing changed, for a figure that is no
// connector label or that already stands there.
bool PlaceConLblOnLine(CFigure& label);
