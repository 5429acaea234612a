#pragma once
// Scale: the selection (or the whole diagram) by a percentage or into the
// page. Figures get mapped rectangles, optionally scaled text sizes and
// borders; connectors mapped end points and optionally scaled line
// properties; pins and labels follow. One UDMAC_SCALE step, or a reset undo
// log when the user accepted that the scaling cannot be undone.
#include "platform/CRect.h"

#include <functional>

class CKavoDoc;
class CFigure;
class CConProps;
struct CConPropMask;

struct ScaleOptions {
    bool scaleText = true;      // text sizes
    bool scaleBorders = true;   // figure border widths
    bool scaleStyles = false;   // the styles and the document's defaults
    bool snapToGrid = false;    // the document's snap switch while scaling
    bool connectors = true;     // connector line widths, ends and flow marks
    // The document's drop shadow (offsets and blur), which every figure
    // casts: only when the whole diagram is scaled.
    bool dropShadows = true;
};

// Scaling the styles also scales the document's defaults, which no undo
// record holds: such a scaling cannot be undone and resets the undo log.
bool ScaleCannotBeUndone(const ScaleOptions& options);

// What the Scale Diagram dialog is filled with and gives back.
struct ScaleDialogData {
    bool selection = false;     // only the selected objects
    int oldPercent = 100;
    int newPercent = 100;
    int proposedPercent = 0;
    int lowestPercent = 10;
    int highestPercent = 100;
    bool fitToPage = false;
    bool toPageOffered = true;  // "To page" can be chosen
    bool noUndo = false;        // the user accepted that it cannot be undone
    ScaleOptions options;
};

// The dialog (installed by the windows); false for Cancel. Without one the
// command does nothing.
using ScaleDialogFn = std::function<bool(ScaleDialogData& data)>;
void SetScaleDialog(ScaleDialogFn dialog);
// The options of the last use, program-wide (ResetProgramState resets).
void ResetScaleOptions();
// Whether the dialog offers scaling into the page (program-wide, on until
// switched off; ResetScaleOptions switches it on again). While it is off
// the dialog opens with "To page" cleared and disabled.
void OfferScaleToPage(bool offer);

// The view's Scale command (33026); whether anything was scaled.
bool OnScale(CKavoDoc& doc);

// The bounding rectangle of what is scaled (the selection or all objects).
CRect ScaleSourceRect(const CKavoDoc& doc, bool selection);
// The percentages the objects may be scaled by: lowest 10, highest the
// largest at which they still fit in the work space from their left and
// top (100 without width or height).
void ScalePercentLimits(const CKavoDoc& doc, bool selection, int& lowest, int& highest);
// The proposal: the percentage that brings the smallest text size to about
// a quarter of the objects' box; 0 when there is no width.
int ProposedScalePercent(const CKavoDoc& doc, bool selection);

// By numerator / denominator, the top-left corner kept. False (nothing
// changed) when the percentage lies outside the limits.
bool ScaleByPercent(CKavoDoc& doc, int numerator, int denominator, bool selection, const ScaleOptions& options,
                    bool resetUndo);
// Fitted into the rectangle, centred, keeping the aspect.
bool ScaleToRect(CKavoDoc& doc, const CRect& target, bool selection, const ScaleOptions& options, bool resetUndo);

// The parts, logged into the open step.
void ScaleFigure(CKavoDoc& doc, CFigure* fig, const CRect& from, const CRect& to, bool scaleText,
                 bool scaleBorder);
void ScaleTextSizes(CFigure& fig, int numerator, int denominator);
void ScaleConProps(CConProps& props, int numerator, int denominator, CConPropMask* mask);
