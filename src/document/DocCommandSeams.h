#pragma once
// What the document's commands ask of the windows: the symbol gallery, the
// mouse cursor and the in-place text editor of the active view, the figure
// property sheet, the clipboard copy of the selection, the loop connector
// made through a point list, and the view's mouse release after a delete.
// The windows install these at start-up; tests install fakes. An empty
// entry answers "cancelled" or "not available".
#include "platform/CRect.h"

#include <functional>
#include <vector>

class CKavoDoc;
class CFigure;
class CConnector;
class CFigSymbol;

struct DocCommandSeams {
    // Runs the symbol gallery; false for Cancel, else the chosen symbol.
    std::function<bool(CFigSymbol& chosen)> symbolGallery;
    // The mouse cursor in the active view's logical coordinates; false when
    // there is no view.
    std::function<bool(POINT& logical)> cursorLogicalPos;
    // Opens the active view's in-place text editor on one text area.
    std::function<void(CKavoDoc& doc, CFigure& fig, int area)> openTextEditor;
    // Opens the figure property sheet of the selection on its text page.
    std::function<void(CKavoDoc& doc, CFigure& fig)> openTextPage;
    // Puts the selection on the clipboard; 0 when that failed.
    std::function<int(CKavoDoc& doc)> copySelection;
    // Adds a connector from the figure back to itself through the points
    // (logical units) with the view's pick size; null when it was not made.
    std::function<CConnector*(CKavoDoc& doc, CFigure& fig, const std::vector<POINT>& points)> makeSelfLoopCon;
    // The active view runs its mouse handling at the cursor and lets the
    // mouse go.
    std::function<void()> releaseMouseAtCursor;
};

DocCommandSeams& GetDocCommandSeams();
void ResetDocCommandSeams();
