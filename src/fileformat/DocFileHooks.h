#pragma once
// What the document's save and load need of higher layers and of the
// program: each is installed by its owner (render, frame, app) and put back
// to its default by ResetDocFileHooks (ResetProgramState calls it).
#include "core/UIMode.h"
#include "platform/CRect.h"
#include "platform/GlobalMem.h"

#include <string>

class CKavoDoc;

// Whether the active view has its in-place text editor open (the default
// of isEditingText).
bool ActiveViewEditsText(const CKavoDoc& doc);

struct DocFileHooks {
    // Renders the document's preview: a packed-DIB block of 124 x 112 at 24
    // bits on white; null when nothing can render (no preview is written).
    HGLOBAL (*renderPreview)(CKavoDoc& doc) = nullptr;
    // Recomputes the hot zones of styles and figures from their pictures
    // (files of versions between 0 and 5).
    void (*recomputeHotZones)(CKavoDoc& doc) = nullptr;
    // Closes an in-place text editor before a save, so that the text typed
    // into it is part of the diagram that is written.
    void (*closeTextEditor)() = &CloseActiveTextEditor;
    // Whether the active view is editing text in place (autosave waits).
    bool (*isEditingText)(const CKavoDoc& doc) = &ActiveViewEditsText;
    // Another open document that holds `path` (null: none).
    CKavoDoc* (*findOtherDocument)(const CKavoDoc& doc, const std::string& path) = nullptr;
    // Rebuilds the style bar after styles came in (Copy Styles From, a
    // paste that brought styles with buttons).
    void (*rebuildStyleBar)() = nullptr;
    // The active view's placement when the active view shows `doc`: its
    // top-left anchor point, its zoom and the zoom that fits the page width
    // (0 when there is none). False when no view of `doc` is active.
    bool (*activeViewPlacement)(const CKavoDoc& doc, CPoint& anchor, float& zoom, float& pageWidthZoom) = nullptr;
    // Restarts the autosave timer after a user save.
    void (*resetAutoSaveTimer)() = nullptr;
    // The Save As prompt of a plain save of a read-only document: the new
    // path, empty when the user cancelled.
    std::string (*askSaveAsPath)(CKavoDoc& doc) = nullptr;
};

DocFileHooks& GetDocFileHooks();
void ResetDocFileHooks();

// Set while an autosave runs.
extern bool g_bAutoSaveInProgress;
// Set while a tracking operation runs; autosave waits for it.
extern bool g_bTrackingBusy;
// The save's last failure text (empty after a success); kvdtool and tests
// print it.
const std::string& LastSaveError();
void SetLastSaveError(const std::string& text);
