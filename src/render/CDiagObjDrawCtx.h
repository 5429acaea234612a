#pragma once
// The view's drawing record: one context for the whole drawing pass, read by
// figure drawing (through FigCtx) and by connector and handle drawing (it is
// a ConDrawCtx). The view refills it before every paint.
#include "platform/CRect.h"
#include "render/ConDrawContext.h"
#include "render/RenderFigure.h"

#include <unordered_set>

class CDiagObj;
class CFigure;

// Object filters of the drawing pass.
constexpr int kDrawFilterAll = 0;
constexpr int kDrawFilterSelected = 1;
constexpr int kDrawFilterMarked = 2;
constexpr int kDrawFilterOneSection = 3;  // all objects, one drawn with a section index

struct CDiagObjDrawCtx : ConDrawCtx {
    int clientWidth = 0, clientHeight = 0;     // pixels
    CPoint viewportOrg, windowOrg;
    CRect clipRect;                             // logical units
    int filter = kDrawFilterAll;
    const CDiagObj* filterObj = nullptr;
    int filterSection = -1;
    int hitLenX = 0, hitLenY = 0;               // logical units
    int pageIndex = 0;                          // 1-based when printing
    float scale = 1.0f;
    CRect printTile;                            // the tile of a printed page
    CSize printSize;                            // printable size in device units
    int textEditArea = -1;                      // the area the editor draws, -1 none
    // Linked figures whose outline a cluster's shadow has cast in this pass.
    std::unordered_set<const CFigure*> shadowOutlined;

    // Back to the values of a new record.
    void Reset() { *this = CDiagObjDrawCtx{}; }
    // What the figure drawing reads of this record.
    FigRenderCtx FigCtx() const;
};
