#pragma once
// The steps of applying properties to one figure (CKavoDoc::ApplyFigProps):
// what the change touches, its undo records (all written before anything
// changes, so that a refused record leaves the figure as it was), the
// connectors freed from dropped connection points, the texts and the fit to
// them, and the set-up of a shape that came in.
#include "platform/WinTypes.h"

class CKavoDoc;
class CFigure;
class CFigProps;
class CConPtList;
struct CFigPropMask;
struct FigPropValues;

struct FigApplyPlan {
    bool newConPts = false;     // a new connection-point list is given
    bool geometry = false;      // width, height or new connection points
    bool resizeClass = false;   // place, geometry, font with a text, style, flag 0x1000000
    bool logRect = false;       // UDOC_FIGDIM
    bool logText = false;       // UDOC_FIGTEXT for all areas
    bool logProps = false;      // UDOC_FIGPROPS
};

FigApplyPlan PlanFigApply(const CFigure& fig, const FigPropValues& values, const CFigPropMask& mask);
// The plan's records in order; false when one is refused.
bool LogFigApply(CKavoDoc& doc, CFigure* fig, const FigApplyPlan& plan);
// Connectors on points the new list leaves out float (id -1), each logged.
bool FreeDroppedConPts(CKavoDoc& doc, CFigure* fig, const CConPtList& kept);
// The markup attributes (FigTextAttr bits) whose values differ.
unsigned ChangedTextAttrs(const CFigProps& before, const CFigProps& after);
// The texts after the property change: the given ones, their markup made to
// follow changed font and format attributes, breaks for a changed reflow
// flag; then re-flowed and, inside an edit, the figure fitted to them.
bool ApplyFigTexts(CKavoDoc& doc, CFigure* fig, const CFigure& before, const FigPropValues& values,
                   const CFigPropMask& mask, bool inStep);
// A changed symbol or picture: the kind cache goes, and inside an edit with
// the document's figure margins in force a special shape is set up for them.
bool SetUpChangedShape(CKavoDoc& doc, CFigure* fig, const CFigure& before, bool inStep);

// Flags of the behaviour word that matter here.
constexpr DWORD kGrowWidthToTextFlag = 0x10000;
constexpr DWORD kGrowHeightToTextFlag = 0x40000;
