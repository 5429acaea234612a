#pragma once
// What the new diagram wizard collects: the template's variant selections,
// a drop shadow, a gradient fill, and text font, size, line spacing and
// wrapping for every style of the new diagram. Remembered in the profile's
// "Wizard" section and applied to the new document after Finish.
#include "document/ShadowDescription.h"
#include "shapes/FillDescription.h"

#include <string>

class CKavoDoc;
class TemplateVariants;

inline constexpr COLORREF kWizardNavy = 0x800000;
inline constexpr int kLineSpacingModes = 8;
inline constexpr int kFontSizeLow = -18, kFontSizeHigh = 18;

struct WizardChoices {
    int fontSize = 0;
    int lineSpacingValue = 0;
    int lineSpacingMode = 0;
    int wrap = 0;
    std::string fontName;   // empty: the template's fonts stay
    CFillSpec fill;
    CShadowSpec shadow;
    // The colour white style borders take: given only by a "Color" variant
    // group naming a colour scheme; without one white stays white.
    COLORREF replacement = 0;
    bool hasReplacement = false;

    void Load();
    void Save() const;
    // The Fx page's start: a navy fill, no replacement, then the colours of
    // the selected "Color" variant when the set has that group.
    void TakeSchemeColors(const TemplateVariants* variants);
};

// Applies the choices to a new document made from a template, in order:
// variant selections, line spacing, font face and size (a change in points
// to every style's text), per-style wrap, shadow and fill, the document's
// default shadow. The document stays unmodified and without
// undo steps.
void ApplyWizardChoices(CKavoDoc& doc, const TemplateVariants* variants, const WizardChoices& choices);
