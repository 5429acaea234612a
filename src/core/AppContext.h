#pragma once
// The active document, view and frame as the model sees them. The UI
// installs a context at start-up; tests install a fake. Without one there is
// no active document or view and the frame calls do nothing.
#include "platform/CRect.h"

#include <string>

class CFigure;

// What the UI-mode switch asks of the active document.
class IActiveDocument {
public:
    virtual ~IActiveDocument() = default;
    // Each answers whether the index changed.
    virtual bool SetCurConStyle(int index) = 0;
    virtual bool SetCurFigStyle(int index) = 0;
    virtual bool SetCurLblStyle(int index) = 0;
    virtual bool HasSelection() const = 0;
    // Clears the selection, redrawing.
    virtual void DeselectAll() = 0;
    // The Deselect All command.
    virtual void OnDeselectAll() = 0;
    virtual void ClearTextObjIndex() = 0;
    // Whether the document has been drawn with its connection points shown.
    virtual bool IsShowingConPts() const = 0;
    virtual void SetShowingConPts() = 0;
};

// What it asks of the active view.
class IActiveView {
public:
    virtual ~IActiveView() = default;
    virtual void OnClearFeedback() = 0;
    virtual void EndRubberFigure(bool erase, bool remove) = 0;
    virtual bool InTextEditMode() const = 0;
    virtual bool IsCursorOverView() const = 0;
    // Text entry waits for a click: the stored start point goes back to (0, 0).
    virtual void SetPendingPlacement() = 0;
    virtual bool IsTextEditorOpen() const = 0;
    virtual bool HasTextEditorSelection() const = 0;
    virtual void CloseTextEditor() = 0;
    virtual void SetFocus() = 0;
    // Zoom percentage and scroll position (document coordinates).
    virtual void SetZoomAndScroll(float zoom, int x, int y) { (void)zoom; (void)x; (void)y; }
    // The visible part of the diagram and the work space, in logical
    // coordinates; false when the view cannot tell.
    virtual bool GetVisibleLogicalRect(CRect& rc) const { (void)rc; return false; }
    virtual bool GetWorkSpaceRect(CRect& rc) const { (void)rc; return false; }
    // The hit tolerance in logical units, and the rubber figure of figure
    // creation (null when none): the pin host search reads them.
    virtual int GetHitTolerance() const { return 1; }
    virtual const CFigure* GetRubberFigure() const { return nullptr; }
};

class IAppContext {
public:
    virtual ~IAppContext() = default;
    virtual IActiveDocument* GetActiveDocument() = 0;
    virtual IActiveView* GetActiveView() = 0;
    // Every open document's views redraw.
    virtual void UpdateAllDocuments() = 0;
    // False when the main frame has no style bar.
    virtual bool SelectStyleBarCommand(int id) = 0;
    // The status bar's first pane.
    virtual void SetStatusBarText(const std::string& text) = 0;
    // Screen rectangles of the main window and the desktop; false when there
    // is no main window.
    virtual bool GetMainWindowRect(CRect& rc) { (void)rc; return false; }
    virtual bool GetDesktopRect(CRect& rc) { (void)rc; return false; }
};

// The installed context (not owned); null: none.
void SetAppContext(IAppContext* context);
IAppContext* GetAppContext();
