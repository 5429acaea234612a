// Insert Symbol: a figure of the symbol chosen in the gallery, with the look
// the diagram's figures mostly share, added as one undo step.
#include "document/DocCommands.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/DividedShapeCreateTable.h"
#include "document/DividedShapeFigureLink.h"
#include "document/DocCommandSeams.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeSetup.h"
#include "undo/UndoCodes.h"

namespace {

constexpr DWORD kHighSnapWidth = 128, kHighSnapHeight = 64;
// Without sizes of its own a symbol's figure is 128 wide and 96 high.
constexpr int kDefaultHeight = 96, kDefaultWidth = 128;

// A symbol of fixed aspect is placed like a picture: its size keeps the
// aspect and does not snap to the grid.
void ApplyPictureRule(FigFlagSet& flags, bool picture)
{
    SetFlagBits(flags, 0, kHighSnapWidth | kHighSnapHeight, !picture);
    SetFlagBits(flags, kFigFlagPictureSymbol, 0, picture);
}

// The dominant look in three passes, each later one overriding: all
// figures, the bracketed special shapes, the figures of this symbol.
void ApplyDiagramLook(CKavoDoc& doc, CFigProps& props, const CFigSymbol& symbol, int index)
{
    doc.ApplyDominantProps(props, nullptr);
    if (symbol.IsBracketedName())
        doc.ApplyDominantProps(props, "[");
    doc.ApplyDominantProps(props, symbol.m_strName.c_str());
    // The look never replaces the symbol the user picked.
    props.Symbol = index;
}

// The special shape set up for the document's figure margins, inside the
// step that added the figure. False when the user refused its records: the
// whole insert is then taken back.
bool SetUpSpecialShape(CKavoDoc& doc, CFigure& fig, bool stepRecorded)
{
    if (!doc.m_nFigMarginMode || FigShapeKind(fig) <= 0)
        return true;
    int left = 0, right = 0, top = 0, bottom = 0;
    doc.GetFigMargins(left, right, top, bottom);
    CUndoLog& log = doc.UndoLogRef();
    const bool reopened = stepRecorded && log.UndoReopenLastStep(-3);
    CSpecialFigureLink link(doc, &fig);
    InitSpecialShapeFig(link, left, right, top, bottom);
    if (!reopened)
        return true;
    log.UndoEndStep();
    if (!log.IsUndoStepAbandoned())
        return true;
    doc.UndoLastStep();
    return false;
}

} // namespace

bool OnInsertSymbol(CKavoDoc& doc)
{
    DocCommandSeams& seams = GetDocCommandSeams();
    CFigSymbol chosen;
    if (!seams.symbolGallery || !seams.symbolGallery(chosen))
        return false;
    const int index = doc.m_figSymbols.AddOrReplace(&chosen);
    const CFigSymbol* symbol = doc.m_figSymbols.GetAt(index);
    if (index < 0 || !symbol)
        return false;
    CFigProps props;
    props.Symbol = index;
    SetSymbolFigFlags(props.Behavior);
    ApplyPictureRule(props.Behavior, symbol->FixedAspect != 0);
    if (SmartDefaults)
        ApplyDiagramLook(doc, props, *symbol, index);
    props.InitForSymbol(symbol);
    const bool ownSize = symbol->Height != 0 && symbol->Width != 0;
    const int height = ownSize ? symbol->Height : kDefaultHeight, width = ownSize ? symbol->Width : kDefaultWidth;
    // The new figure is centred on the new-object position, so that the
    // first one lands in the middle of the view.
    const CPoint pos = doc.GetNewObjPos();
    auto* fig = new CFigure(pos.x - width / 2, pos.y - height / 2, height, width, props, -1, 0, "", "",
                            CFigure::CreateArgs(), &doc);
    const int savedSelect = SelectAfterFigureCreate;
    SelectAfterFigureCreate = 1;
    const uint32_t recorded = doc.UndoLogRef().m_nStepsRecorded;
    CFigure* added = doc.AddNewFig(UDMAC_INSFROMGALLERY, fig, false);
    SelectAfterFigureCreate = savedSelect;
    const bool setUp = !added || SetUpSpecialShape(doc, *added, doc.UndoLogRef().m_nStepsRecorded != recorded);
    if (g_nUIMode != 0 && g_nUIMode != 1)
        EnterUIMode(6, 0);
    // A figure the list refused is still ours; one taken back by undo is gone.
    if (!added)
        delete fig;
    return added && setUp;
}
