#pragma once
// What happens when a new figure of a special shape is added: the row of its
// shape kind gives the undo step kind that replaces the caller's (-1 keeps
// it) and the set-up that runs once the figure is in the document.
class CKavoDoc;
class CFigure;

struct SpecialShapeCreateRow {
    int undoKind = -1;
    void (*setUp)(CKavoDoc& doc, CFigure& fig) = nullptr;
};

// The shape kind of a figure: its symbol's special kind, 0 for an ordinary
// symbol or a figure without one.
int FigShapeKind(const CFigure& fig);
// The row of a shape kind, null for kind 0 or a kind without a row. The
// built-in table gives every special kind the set-up of its compartments for
// the document's figure text margins, keeping the caller's step kind.
const SpecialShapeCreateRow* FindSpecialShapeCreateRow(int shapeKind);
// Tests install their own table; null brings the built-in one back.
using SpecialShapeCreateLookup = const SpecialShapeCreateRow* (*)(int shapeKind);
void SetSpecialShapeCreateLookup(SpecialShapeCreateLookup lookup);
