#include "dialogs/wizard/WizardChoices.h"

#include "core/CAppProfile.h"
#include "core/ColorNames.h"
#include "document/CKavoDoc.h"
#include "fileformat/CDocVariantTarget.h"
#include "shapes/CFillMask.h"
#include "shapes/TemplateVariants.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr const char* kWizard = "Wizard";
constexpr const char* kColorGroup = "Color";
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kFlatFill = 1;
constexpr int kDropShadow = 1;

void SetFace(CFontDesc& font, const std::string& face)
{
    std::strncpy(font.m_lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font.m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
}

// The size change in points, the sign of the height kept (negative heights
// are character heights); at least one point remains.
void ResizeFont(CFontDesc& font, int change)
{
    LONG& h = font.m_lf.lfHeight;
    const LONG size = std::max<LONG>(1, (h < 0 ? -h : h) + change);
    h = h < 0 ? -size : size;
}

// Wrap, shadow and fill for one figure style (not a label style).
void ApplyToFigureStyle(CFigProps& props, const WizardChoices& c)
{
    if (c.wrap)
        props.Behavior.low |= kFigFlagReflowText;
    if (c.shadow.m_nType == kDropShadow && props.BorderWidth > 0)
        props.Shadow = 1;
    if (c.fill.m_nKind != kFlatFill && props.m_fill.m_nKind != 0) {
        CFillMask mask;
        mask.m_bColor2 = mask.m_bRest = 1;
        props.m_fill.CopyMasked(&c.fill, &mask);
        if (c.hasReplacement && props.BorderColor == kWhite)
            props.BorderColor = c.replacement;
    }
}
} // namespace

void WizardChoices::Load()
{
    const CAppProfile& p = AfxGetAppProfile();
    lineSpacingMode = int(p.GetProfileInt(kWizard, "LineSpacingMode", 0));
    lineSpacingValue = int(p.GetProfileInt(kWizard, "LineSpacingValue", 0));
    fontSize = int(p.GetProfileInt(kWizard, "FontSize", 0));
    wrap = int(p.GetProfileInt(kWizard, "Wrap", 0));
    fontName = p.GetProfileString(kWizard, "FontName", "");
    if (lineSpacingMode < 0 || lineSpacingMode >= kLineSpacingModes)
        lineSpacingMode = 0;
    if (fontSize < kFontSizeLow || fontSize > kFontSizeHigh)
        fontSize = 0;
    shadow.LoadWizard();
    fill.LoadWizard();
}

void WizardChoices::Save() const
{
    CAppProfile& p = AfxGetAppProfile();
    p.WriteProfileInt(kWizard, "LineSpacingMode", lineSpacingMode);
    p.WriteProfileInt(kWizard, "LineSpacingValue", lineSpacingValue);
    p.WriteProfileInt(kWizard, "FontSize", fontSize);
    p.WriteProfileInt(kWizard, "Wrap", wrap);
    p.WriteProfileString(kWizard, "FontName", fontName);
    shadow.SaveWizard();
    fill.SaveWizard();
}

void WizardChoices::TakeSchemeColors(const TemplateVariants* variants)
{
    fill.m_crColor1 = kWizardNavy;
    replacement = 0;
    hasReplacement = false;
    for (int g = 0; variants && g < variants->GetGroupCount(); ++g) {
        const TemplateVariants::Group* group = variants->GetGroup(g);
        if (!group || group->name != kColorGroup || group->chosen < 0 || group->chosen >= TemplateVariants::kMaxItems)
            continue;
        COLORREF first = 0, second = 0;
        if (FindNamedColor(group->itemNames[size_t(group->chosen)].c_str(), &first, &second)) {
            fill.m_crColor1 = first;
            replacement = second;
            hasReplacement = true;
        }
    }
}

void ApplyWizardChoices(CKavoDoc& doc, const TemplateVariants* variants, const WizardChoices& c)
{
    if (variants) {
        CDocVariantTarget target(doc);
        variants->Apply(target);
    }
    doc.SetLineSpacing(c.lineSpacingMode, float(c.lineSpacingValue));
    if (!c.fontName.empty()) {
        SetFace(doc.m_curFigStyle.m_props.m_font, c.fontName);
        SetFace(doc.m_curLblStyle.m_props.m_font, c.fontName);
        for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
            if (CFigStyle* s = doc.m_figStyles.GetAt(i))
                SetFace(s->m_props.m_font, c.fontName);
    }
    if (c.fontSize != 0) {
        ResizeFont(doc.m_curFigStyle.m_props.m_font, c.fontSize);
        ResizeFont(doc.m_curLblStyle.m_props.m_font, c.fontSize);
        for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
            if (CFigStyle* s = doc.m_figStyles.GetAt(i))
                ResizeFont(s->m_props.m_font, c.fontSize);
    }
    if (c.wrap)
        doc.m_curFigStyle.m_props.Behavior.low |= kFigFlagReflowText;
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
        if (CFigStyle* s = doc.m_figStyles.GetAt(i); s && !s->Label)
            ApplyToFigureStyle(s->m_props, c);
    doc.m_shadowSpec = c.shadow;
    // A new diagram starts clean: what the wizard set is its starting point.
    doc.ResetUndoLog();
    doc.SetModifiedFlag(false);
}
