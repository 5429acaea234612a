#pragma once
// What the application object asks of the document, view, frame and dialog
// code. Each call is filled in by the code that owns it when that code is
// linked into the program; until then the default answers "nothing there", so
// every start-up and command step runs and none is silently skipped.
#include <functional>
#include <string>
#include <vector>

class CKavoDoc;

struct TemplateChoice {
    bool made = false; // a template or the blank diagram was chosen
    std::string path;  // empty for a blank diagram
};

struct CAppSeams {
    // Start-up steps owned elsewhere.
    std::function<void()> loadSharedBitmaps;      // the nine shared bitmaps
    std::function<void()> createDocTemplate;      // document, child frame and view classes
    std::function<void()> loadCursors;            // the 25 own and 5 system cursors
    std::function<void()> destroyCursors;
    std::function<void()> releaseSharedDrawingObjects;

    // Documents and views.
    std::function<bool(const std::string& path)> openDocumentFile;
    std::function<bool()> newDocument;            // the framework's new-document command
    std::function<int()> documentCount;
    // Every open diagram, in the template's order (Save All, the file code's
    // question whether another window holds a file).
    std::function<std::vector<CKavoDoc*>()> allDocuments;
    std::function<bool()> hasActiveDoc;
    std::function<bool()> hasActiveView;
    std::function<std::string()> activeDocPath;
    std::function<bool()> activeDocModified;
    std::function<void(bool modified)> setActiveDocModified;
    std::function<bool()> activeDocCanUndo;
    // Loads the file in place of the active diagram; false when it could not.
    std::function<bool(const std::string& path, int, int)> openLinkTarget;
    std::function<void(const std::string& name)> setActiveDocTemplateName;
    std::function<bool()> activeDocHasDefaultView; // stored zoom 100 at scroll (0, 0)
    std::function<void()> zoomActiveViewToPageWidth;
    std::function<bool()> focusInActiveView;      // focus is the view or a direct child
    std::function<void()> releaseMouseAtCursor;   // re-run the view's mouse handling
    std::function<void()> dumpActiveDocObjs;
    // One more child frame showing the active diagram; false without one.
    std::function<bool()> newWindowOfActiveDoc;
    // Closes every window of the active diagram, and so the diagram.
    std::function<void()> closeActiveDocWindows;

    // Frames and dialogs.
    std::function<bool()> activeChildMaximized;
    std::function<void()> cascadeWindows;
    std::function<TemplateChoice(bool anyOutcomeCounts)> runTemplateDialog;
};

// The program's seams (defaults until the owners install theirs).
CAppSeams& AppSeams();
// Back to the defaults.
void ResetAppSeams();
