#pragma once
// Setting up special figures for the document's figure text margins: every
// text box is fitted into its compartment and the figure to its text. The
// figure and document are reached through the two small interfaces below,
// which the document code implements over its figures and its undo log.
#include "undo/UndoCodes.h"
#include "platform/CRect.h"

class CFigSymbol;

class ISpecialFigure {
public:
    virtual ~ISpecialFigure() = default;
    // False for a blank style, a connector, an invisible figure, one without
    // text areas or without a special shape.
    virtual bool CanSetUp() const = 0;
    // The symbol the figure stands on; null without one.
    virtual const CFigSymbol* Symbol() const = 0;
    // Puts the figure on a copy of its symbol, recorded so that undo takes it
    // back to the shared one; the copy, or null when refused.
    virtual CFigSymbol* TakeOwnSymbol() = 0;
    // Back on the shared symbol when the copy ended up the same as it.
    virtual void ReleaseUnchangedSymbol() = 0;
    virtual CRect Rect() const = 0;
    // One undo record (UDOC_FIGTEXT, or UDOC_FIGDIM with the rectangle);
    // false when the log refuses it.
    virtual bool LogUndo(int kind) = 0;
    virtual void Redraw() = 0;
    virtual void SetModified() = 0;
    // Keeps the text and formats and sets the text to " " with empty formats.
    virtual void BlankText() = 0;
    virtual void RestoreText() = 0;
    virtual bool ReflowsText() const = 0;   // style flag 0x8000
    virtual void Reflow() = 0;
    // The document's fitting of the figure to its text with these margins.
    virtual void FitToText(int left, int right, int top, int bottom) = 0;
};

class ISpecialShapeDoc {
public:
    virtual ~ISpecialShapeDoc() = default;
    virtual void GetFigMargins(int& left, int& right, int& top, int& bottom) const = 0;
    virtual void StoreFigMargins(int left, int right, int top, int bottom) = 0;
    // The objects of the object list that are not connectors.
    virtual int FigureCount() const = 0;
    virtual ISpecialFigure* Figure(int index) = 0;
    virtual void ApplyMarginsToStyles(int left, int right, int top, int bottom) = 0;
    virtual void UndoBeginStep(int code) = 0;
    // A UDOC_FIGMARGINS record with the margins to go back to and whether
    // the step sets up the styles too.
    virtual bool UndoLogMargins(int left, int right, int top, int bottom, bool styles) = 0;
    virtual void UndoEndStep() = 0;
    virtual void GetSnapSpacing(int& x, int& y) const = 0;
    virtual void SetSnapSpacing(int x, int y) = 0;
};

// 1 when the figure was set up; 0 when it is not a special figure or the
// undo log refused its records (nothing changed then). The text boxes are
// fitted on the figure's own copy of its symbol, never on the shared entry.
int InitSpecialShapeFig(ISpecialFigure& fig, int left, int right, int top, int bottom);
// Stores the margins (each at least 1) and sets up every figure; with
// bStyles also the figure styles.
void ApplySpecialShapeSettings(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles);
// Undo's side of a margins step: the margins (each at least 1) stored again
// and, with bStyles, the figure styles set up for them. The figures are not
// set up again: their own records in the step put them back as they were.
void RestoreSpecialShapeSettings(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles);
// The undoable form: one UDMAC_MARGINS step; 0 (nothing changed) when the
// log refuses the margins record.
int SetFigMargins(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles);
