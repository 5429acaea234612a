// Edit Text, Delete and Cut on the document's selection, and the seams these
// commands reach the windows through.
#include "document/DocCommands.h"

#include "core/AppContext.h"
#include "core/MsgBox.h"
#include "platform/Prompt.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/DocCommandSeams.h"
#include "undo/UndoCodes.h"

#include <algorithm>

namespace {

DocCommandSeams g_seams;

constexpr int kTextFilter = 5;   // figures with text areas

IActiveView* ActiveView()
{
    IAppContext* context = GetAppContext();
    return context ? context->GetActiveView() : nullptr;
}

void ReleaseMouse()
{
    if (g_seams.releaseMouseAtCursor)
        g_seams.releaseMouseAtCursor();
}

// After a delete or cut the selection's move context is built anew.
void AfterSelectionCut(CKavoDoc& doc)
{
    doc.BuildMoveContext(doc.m_pSelList.get(), doc.m_pObjList.get(), 0, 1);
    ReleaseMouse();
}

} // namespace

DocCommandSeams& GetDocCommandSeams()
{
    return g_seams;
}

void ResetDocCommandSeams()
{
    g_seams = DocCommandSeams();
}

bool OnEditText(CKavoDoc& doc)
{
    IActiveView* view = ActiveView();
    if (!view || view->IsTextEditorOpen() || doc.CountSelFigs(kTextFilter, 1) != 1)
        return false;
    CFigure* fig = doc.GetFirstSelFig(kTextFilter, 1);
    if (!fig || fig->IsInvisible() || !fig->HasTextAreas())
        return false;
    if (!fig->IsNotFixedSize()) {
        if (g_seams.openTextPage)
            g_seams.openTextPage(doc, *fig);
        return true;
    }
    int area = 0;
    POINT cursor{};
    if (g_seams.cursorLogicalPos && g_seams.cursorLogicalPos(cursor))
        area = std::max(0, fig->TextAreaFromPoint(cursor, true));
    if (g_seams.openTextEditor)
        g_seams.openTextEditor(doc, *fig, area);
    return true;
}

void CutSelectedObjects(CKavoDoc& doc)
{
    DiagPrintf("STAT  CutSelectedObjects()\n");
    doc.BeginMarkPass();
    doc.MarkForCut();
    doc.EndMarkPass(1);
    doc.CutCascadedObjs();
    doc.SetModifiedFlag(true);
}

void OnEditClear(CKavoDoc& doc)
{
    DiagPrintf("USER  Clear (Delete)\n");
    if (!doc.HasSelection())
        return;
    doc.UndoBeginStep(UDMAC_DELOBJS);
    CutSelectedObjects(doc);
    doc.UndoEndStep();
    AfterSelectionCut(doc);
}

bool CanCutToClipboard()
{
    return static_cast<bool>(g_seams.copySelection);
}

bool OnEditCut(CKavoDoc& doc)
{
    DiagPrintf("USER  Cut\n");
    if (!doc.HasSelection() || !g_seams.copySelection)
        return false;
    doc.UndoBeginStep(UDMAC_CUTOBJS);
    if (!g_seams.copySelection(doc)) {
        // What the copy may have logged is dropped with the whole log.
        doc.UndoEndStep();
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to copy to the clipboard");
        doc.ResetUndoLog();
        return false;
    }
    CutSelectedObjects(doc);
    doc.UndoEndStep();
    AfterSelectionCut(doc);
    return true;
}
