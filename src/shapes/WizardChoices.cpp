// The fill choice of the start-up wizard, kept in the profile.
#include "shapes/FillDescription.h"

#include "core/CAppProfile.h"

namespace {
constexpr const char* kWizard = "Wizard";
}

void CFillSpec::SaveWizard() const
{
    CAppProfile& p = AfxGetAppProfile();
    p.WriteProfileInt(kWizard, "FillType", m_nKind);
    p.WriteProfileColor(kWizard, "FillColorSolid", m_crColor1);
    p.WriteProfileColor(kWizard, "FillColorFrom", m_crColor2);
    p.WriteProfileColor(kWizard, "FillColorTo", m_crColor1);
    p.WriteProfileInt(kWizard, "FillLinearGradientAngle", m_nAngle);
    p.WriteProfileInt(kWizard, "FillLinearGradientCenter", m_nFocus);
    p.WriteProfileInt(kWizard, "FillGradientBlend", m_nVariant);
    p.WriteProfileInt(kWizard, "FillGradientCenterX", m_nCentreX);
    p.WriteProfileInt(kWizard, "FillGradientCenterY", m_nCentreY);
    p.WriteProfileInt(kWizard, "FillGradientIntensity", m_nIntensity);
    p.WriteProfileInt(kWizard, "FillGradientSpread", m_nGrowth);
    p.WriteProfileInt(kWizard, "FillGammaCorrection", m_nGamma);
    p.WriteProfileInt(kWizard, "FillPlatform", m_nBand);
}

void CFillSpec::LoadWizard()
{
    const CAppProfile& p = AfxGetAppProfile();
    m_nKind = int32_t(p.GetProfileInt(kWizard, "FillType", 1));
    m_crColor1 = p.GetProfileColor(kWizard, "FillColorSolid", 0xFFFFFF);
    m_crColor2 = p.GetProfileColor(kWizard, "FillColorFrom", 0xFFFFFF);
    m_crColor1 = p.GetProfileColor(kWizard, "FillColorTo", m_crColor1);
    m_nAngle = int32_t(p.GetProfileInt(kWizard, "FillLinearGradientAngle", 0));
    m_nFocus = int32_t(p.GetProfileInt(kWizard, "FillLinearGradientCenter", 50));
    m_nVariant = int32_t(p.GetProfileInt(kWizard, "FillGradientBlend", 0));
    m_nCentreX = int32_t(p.GetProfileInt(kWizard, "FillGradientCenterX", 50));
    m_nCentreY = int32_t(p.GetProfileInt(kWizard, "FillGradientCenterY", 50));
    m_nIntensity = int32_t(p.GetProfileInt(kWizard, "FillGradientIntensity", 100));
    m_nGrowth = int32_t(p.GetProfileInt(kWizard, "FillGradientSpread", 0));
    m_nGamma = int32_t(p.GetProfileInt(kWizard, "FillGammaCorrection", 0));
    m_nBand = int32_t(p.GetProfileInt(kWizard, "FillPlatform", 80));
}
