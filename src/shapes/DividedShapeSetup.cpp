#include "shapes/DividedShapeSetup.h"

#include "shapes/CFigSymbol.h"

#include <algorithm>

namespace {

void FitAllBoxes(ISpecialFigure& fig, CFigSymbol& sym, int l, int r, int t, int b)
{
    const CRect rect = fig.Rect();
    for (int i = 0; i < sym.m_nTextBoxes; ++i)
        sym.FitTextBoxToMargins(i, rect, l, r, t, b);
}

} // namespace

int InitSpecialShapeFig(ISpecialFigure& fig, int left, int right, int top, int bottom)
{
    if (!fig.Symbol() || !fig.CanSetUp())
        return 0;
    left = std::max(left, 1);
    right = std::max(right, 1);
    top = std::max(top, 1);
    bottom = std::max(bottom, 1);
    // Log before touching anything: a refused record leaves the figure and
    // the document's modified flag as they were.
    if (!fig.LogUndo(UDOC_FIGTEXT) || !fig.LogUndo(UDOC_FIGDIM))
        return 0;
    CFigSymbol* sym = fig.TakeOwnSymbol();
    if (!sym)
        return 0;
    fig.Redraw();
    fig.SetModified();
    FitAllBoxes(fig, *sym, 1, 1, 1, 1);
    fig.BlankText();
    fig.FitToText(left - 1, right - 1, top - 1, bottom - 1);
    FitAllBoxes(fig, *sym, left, right, top, bottom);
    fig.RestoreText();
    if (fig.ReflowsText())
        fig.Reflow();
    fig.FitToText(0, 0, 0, 0);
    fig.ReleaseUnchangedSymbol();
    return 1;
}

namespace {

// Stores the margins (each at least 1); with `figures` sets up every figure,
// with bStyles the figure styles.
void StoreAndSetUp(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool figures, bool bStyles)
{
    left = std::max(left, 1);
    right = std::max(right, 1);
    top = std::max(top, 1);
    bottom = std::max(bottom, 1);
    doc.StoreFigMargins(left, right, top, bottom);
    for (int i = 0; figures && i < doc.FigureCount(); ++i) {
        if (ISpecialFigure* fig = doc.Figure(i))
            InitSpecialShapeFig(*fig, left, right, top, bottom);
    }
    if (bStyles)
        doc.ApplyMarginsToStyles(left, right, top, bottom);
}

} // namespace

void ApplySpecialShapeSettings(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles)
{
    StoreAndSetUp(doc, left, right, top, bottom, true, bStyles);
}

void RestoreSpecialShapeSettings(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles)
{
    StoreAndSetUp(doc, left, right, top, bottom, false, bStyles);
}

int SetFigMargins(ISpecialShapeDoc& doc, int left, int right, int top, int bottom, bool bStyles)
{
    doc.UndoBeginStep(UDMAC_MARGINS);
    int oldL, oldR, oldT, oldB, snapX, snapY;
    doc.GetFigMargins(oldL, oldR, oldT, oldB);
    doc.GetSnapSpacing(snapX, snapY);
    // The record carries the margins to go back to; it is written while they
    // are still the document's, and nothing changes when it is refused.
    if (!doc.UndoLogMargins(oldL, oldR, oldT, oldB, bStyles)) {
        doc.UndoEndStep();
        return 0;
    }
    ApplySpecialShapeSettings(doc, left, right, top, bottom, bStyles);
    doc.SetSnapSpacing(snapX, snapY);
    doc.UndoEndStep();
    return 1;
}
