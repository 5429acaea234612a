#pragma once
// Stand-ins for the active view and the application context. The view's text
// editor is open or shut as the test sets it; closing it shuts it, ends text
// editing and is counted.
#include "core/AppContext.h"

class FakeEditorView : public IActiveView {
public:
    void OnClearFeedback() override {}
    void EndRubberFigure(bool, bool) override {}
    bool InTextEditMode() const override { return textEditMode; }
    bool IsCursorOverView() const override { return cursorOverView; }
    void SetPendingPlacement() override {}
    bool IsTextEditorOpen() const override { return editorOpen; }
    bool HasTextEditorSelection() const override { return false; }
    void CloseTextEditor() override
    {
        ++closed;
        editorOpen = textEditMode = false;
    }
    void SetFocus() override {}

    bool editorOpen = false;
    bool textEditMode = false;
    bool cursorOverView = true;
    int closed = 0;
};

// The context answers with the document and view the test gives it (none
// until then).
class FakeAppContext : public IAppContext {
public:
    IActiveDocument* GetActiveDocument() override { return doc; }
    IActiveView* GetActiveView() override { return view; }
    void UpdateAllDocuments() override {}
    bool SelectStyleBarCommand(int) override { return false; }
    void SetStatusBarText(const std::string& text) override { statusText = text; }
    std::string statusText;   // the last text put in the status bar

    IActiveDocument* doc = nullptr;
    IActiveView* view = nullptr;
};
