#pragma once
// The fill of a figure: transparent, flat or a gradient. Twelve 32-bit fields.
#include "shapes/CFillMask.h"
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <cstdint>
#include <vector>

// Stands for "no colour" where a single fill colour is exchanged.
constexpr COLORREF kNoFillColor = 0x030201;

// What a fill paints with, worked out from a fill and a rectangle: the device
// context's brush classes build the actual brush from it.
struct FillBrushDesc {
    enum Kind { None, Solid, Linear, Radial };
    Kind kind = None;
    COLORREF colorA = 0;         // solid colour; linear end colour; radial surround
    COLORREF colorB = 0;         // linear start colour; radial centre colour
    bool gamma = false;
    double angle = 0;            // linear: degrees, scaled with the rectangle
    bool bell = false;           // bell-shaped (sigma) blend
    double bellFocus = 0;        // focus of the bell blend, scale 1
    std::vector<double> blendFactors;
    std::vector<double> blendPositions;
    double ellipseLeft = 0, ellipseTop = 0, ellipseWidth = 0, ellipseHeight = 0; // radial path
    double centreX = 0, centreY = 0;  // radial centre point
};

class CFillSpec {
public:
    int32_t m_nKind = 1;          // 0 transparent, 1 flat, 2 linear, 3 radial
    COLORREF m_crColor1 = 0xFFFFFF;
    int32_t m_nGamma = 0;
    COLORREF m_crColor2 = 0xFFFFFF;
    int32_t m_nAngle = 0;         // degrees, linear gradients
    int32_t m_nFocus = 50;
    int32_t m_nBand = 80;
    int32_t m_nVariant = 0;       // 0 plain, 1 bell blend, 2 banded
    int32_t m_nCentreX = 50;
    int32_t m_nCentreY = 50;
    int32_t m_nIntensity = 100;
    int32_t m_nGrowth = 0;

    void SetDefaults() { *this = CFillSpec(); }
    void Copy(const CFillSpec& o) { *this = o; }
    void CopyInit(const CFillSpec& o) { *this = o; }
    // Colour 1, colour 2 and the rest each under their flag; nothing for null.
    void CopyMasked(const CFillSpec* source, const CFillMask* mask);
    bool IsEqual(const CFillSpec& o) const;
    // Equal as drawn: only the fields the kind uses are compared.
    bool IsEquivalent(const CFillSpec& o) const;
    COLORREF GetColorOrNone() const { return m_nKind == 0 ? kNoFillColor : m_crColor1; }
    // A transparent fill keeps its state unless forced (0); kNoFillColor makes
    // the fill transparent (0); else the first colour is set and a transparent
    // fill becomes flat (1).
    int SetColor(COLORREF color, int force);
    // A radial fill with the banded variant gets the plain one (1); else 0.
    int DropBandVariant();
    // The second colour blended toward the first by the intensity, rounded.
    COLORREF GetBlendedColor2() const;
    // The brush of the fill over the rectangle (kind None for transparent).
    FillBrushDesc CreateBrush(const CRect& rc) const;
    // The start-up wizard's fill choice in the profile's "Wizard" section. The
    // solid colour is read from "FillColorSolid" and then "FillColorTo" (the
    // second wins) and written under both.
    void SaveWizard() const;
    void LoadWizard();
};
static_assert(sizeof(CFillSpec) == 48, "the undo log copies the fill whole");
