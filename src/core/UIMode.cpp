#include "core/UIMode.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/Trace.h"

int g_nUIMode = 0;

namespace {
IAppContext* g_context = nullptr;

IActiveDocument* ActiveDoc()
{
    return g_context ? g_context->GetActiveDocument() : nullptr;
}

IActiveView* ActiveView()
{
    return g_context ? g_context->GetActiveView() : nullptr;
}

bool InRange(int id, int first)
{
    return id >= first && id < first + kStyleCmdCount;
}

void RefreshForConnectionPoints(int mode)
{
    if (!g_context)
        return;
    if ((mode == 7 || g_nUIMode == 7) && !ShowConnectionPoints)
        g_context->UpdateAllDocuments();
    IActiveDocument* doc = ActiveDoc();
    if (mode == 7 && doc && !doc->IsShowingConPts()) {
        doc->SetShowingConPts();
        g_context->UpdateAllDocuments();
    }
}

// Chooses the style the id names; answers whether a current style changed.
bool ChooseStyle(int id)
{
    IActiveDocument* doc = ActiveDoc();
    if (g_nUIMode == 4) {
        if (!InRange(id, kConStyleCmdFirst)) {
            g_nUIMode = 0;
            return false;
        }
        return doc && doc->SetCurConStyle(id - kConStyleCmdFirst);
    }
    if (InRange(id, kFigStyleCmdFirst)) {
        return doc && doc->SetCurFigStyle(id - kFigStyleCmdFirst);
    }
    if (InRange(id, kConStyleCmdFirst)) {
        g_nUIMode = 4;
        return doc && doc->SetCurConStyle(id - kConStyleCmdFirst);
    }
    if (InRange(id, kLblStyleCmdFirst)) {
        const bool changed = doc && doc->SetCurLblStyle(id - kLblStyleCmdFirst);
        g_nUIMode = 3;
        IActiveView* view = ActiveView();
        if (view && view->InTextEditMode() && view->IsCursorOverView())
            view->SetPendingPlacement();
        return changed;
    }
    g_nUIMode = 0;
    return false;
}
} // namespace

void SetAppContext(IAppContext* context)
{
    g_context = context;
}

IAppContext* GetAppContext()
{
    return g_context;
}

void EnterUIMode(int mode, int id)
{
    DiagPrintf("STAT  EnterUIMode(%d)\n", mode);
    RefreshForConnectionPoints(mode);
    if (mode == 6)
        mode = SelectMode == 1 ? 1 : 0;
    const int previous = g_nUIMode;
    g_nUIMode = mode;

    if (mode == 0 || mode == 1) {
        SelectMode = mode;
        IActiveView* view = ActiveView();
        if (previous != 0 && previous != 1 && view) {
            view->OnClearFeedback();
            view->EndRubberFigure(true, true);
        }
    }

    bool styleChanged = false;
    if (mode == 2 || mode == 4) {
        styleChanged = ChooseStyle(id);
        IActiveDocument* doc = ActiveDoc();
        if (doc && doc->HasSelection())
            doc->DeselectAll();
    }

    if (g_context) {
        const bool styleMode = g_nUIMode == 2 || g_nUIMode == 3 || g_nUIMode == 4;
        g_context->SelectStyleBarCommand(styleMode ? id : 0);
    }

    // By the mode as asked for, before the style choice changed it.
    IActiveDocument* doc = ActiveDoc();
    if (mode == 1) {
        if (doc && previous != 3 && previous != 1)
            doc->ClearTextObjIndex();
    } else if (mode == 3) {
        if (doc) {
            doc->OnDeselectAll();
            if (previous != 3 && previous != 1)
                doc->SetCurLblStyle(-1);
        }
    } else {
        CloseActiveTextEditor();
        if (mode == 7 && doc)
            doc->OnDeselectAll();
    }

    if ((mode == 2 || mode == 4) && styleChanged)
        if (IActiveView* view = ActiveView())
            view->SetFocus();
}

void RestoreSelectMode()
{
    const int selectMode = SelectMode == 1 ? 1 : 0;
    if (g_nUIMode != selectMode) {
        EnterUIMode(selectMode, 0);
        return;
    }
    IActiveDocument* doc = ActiveDoc();
    if (doc && doc->HasSelection())
        doc->DeselectAll();
}

void CloseActiveTextEditor()
{
    if (IActiveView* view = ActiveView())
        view->CloseTextEditor();
}

bool IsActiveViewEditingText()
{
    IActiveView* view = ActiveView();
    return view && view->IsTextEditorOpen();
}

bool HasActiveViewTextSelection()
{
    IActiveView* view = ActiveView();
    return view && view->HasTextEditorSelection() && view->IsTextEditorOpen();
}

void ShowItemInfoInStatusBar(const std::string* name, const std::string* description)
{
    if (!name || !g_context)
        return;
    std::string text = *name;
    if (description && !description->empty())
        text += ": " + *description;
    g_context->SetStatusBarText(text);
}

void ShowItemInfoInStatusBarAlt(const std::string* name, const std::string* description)
{
    ShowItemInfoInStatusBar(name, description);
}

void ResetUIMode()
{
    g_nUIMode = 0;
    g_context = nullptr;
}
