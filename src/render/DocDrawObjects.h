#pragma once
// The document's drawing pass: every object from back to front, figures
// through RenderFigure with their handles and connection-point marks,
// connectors (a chain once) through DrawConObj, all with one drawing record.
#include "document/ObjReach.h"
#include "platform/CRect.h"

#include <vector>

class CDC;
class CDiagObj;
class CGraphics;
class CKavoDoc;
class CFigure;
struct CDiagObjDrawCtx;

// Walks the object list once in its order. Filter 0 draws every object, 1
// only selected ones, 2 only marked ones, 3 every object with the filter object's edited area
// left to the text editor. Objects whose reach misses the clip rectangle are
// skipped; with a clip, only those the document's index places near it are
// looked at. objects, when given, stands in for the list: some of its
// objects, in its order.
void DrawDocObjects(CKavoDoc& doc, CGraphics* graphics, CDC* dc, CDiagObjDrawCtx& ctx,
                    const std::vector<CDiagObj*>* objects = nullptr);
// One figure of the pass: shape, text (minus the area `editArea`, -1 none),
// shadow, then its handles and marks on the device context.
void DrawFigInView(CGraphics* graphics, CDC* dc, CDiagObjDrawCtx& ctx, const CFigure& fig, int editArea);
// Installs the drawing pass as the object drawing of exports and bitmaps.
void InstallExportDrawer();
