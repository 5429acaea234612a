#pragma once
// What the Diagram Properties sheet edits, as plain values: read from a
// document, edited by the pages, and written back by ApplyDiagramProps in
// the sheet's OK order (document, program-wide defaults, undo steps, the
// saved settings, the label questions). Nothing here opens a window; the
// questions go through the prompt service.
#include "document/ShadowDescription.h"

#include <string>

class CKavoDoc;

struct DiagramProps {
    // General: the two listed flags and one carried along unchanged.
    int noMarginLimit = 0;
    int fullColorIcons = 0;
    int carried = 0;
    // Grid and Snap (logical units).
    int gridSpacing = 64, snapSpacing = 64;
    int showGrid = 0, snapToGrid = 0;
    // Labels; empty names mean "use the toolbar settings".
    std::string figLabelStyle, conLabelStyle, flowLabelStyle;
    int primaryPosition = 8; // 1..12
    // Connectors.
    int cornerRadius = 16;
    int jogs = 0, jogRadius = 18;
    int junctionDots = 0, conPtDots = 0;
    // Text format: 0 scalable, 1 fixed margins of `margin` units.
    int textFormat = 0;
    int margin = 12;
    int lineSpacingKind = 0;
    float lineSpacingValue = 0;
    // Shadows.
    CShadowSpec shadow;

    bool operator==(const DiagramProps&) const = default;
};

DiagramProps ReadDiagramProps(const CKavoDoc& doc);

// The OK sequence: writes what changed (nothing at all when nothing did,
// so an untouched sheet leaves the document unmodified), one undo step per
// change that alters objects, the settings saved.
void ApplyDiagramProps(CKavoDoc& doc, const DiagramProps& before, const DiagramProps& after);

// Every label of one kind takes the style (an index into the figure style
// library that must be a label style), in one undo step of its own. Kinds:
// figure labels, flow labels, connector labels.
enum class LabelKind { Figure, Flow, Connector };
bool ApplyLabelStyleToAll(CKavoDoc& doc, LabelKind kind, int style);

// The Shadows page's values from the shadow and back, in whole numbers so
// that 50 percent transparency is opacity 127 and opacity 127 shows 50.
int TransparencyOfOpacity(int opacity);      // 0..100
int OpacityOfTransparency(int transparency); // 0..255
int DiffusionOfSoftness(int softness);       // 0..100
int SoftnessOfDiffusion(int diffusion);      // 0..72
int OffsetPointsOfUnits(int units);          // 0..36
int OffsetUnitsOfPoints(int points);

// The value a line-spacing kind starts with when chosen: 100 percent for
// "% of Line", the default figure font's size for "Fixed Spacing", 14 for
// "Fixed Separation", 0 for the others.
float DefaultLineSpacingValue(const CKavoDoc* doc, int kind);
