#include "document/ColorScheme.h"

#include "core/CAppProfile.h"
#include "document/CKavoDoc.h"
#include "document/ShadowDescription.h"
#include "undo/UndoCodes.h"

namespace {

bool g_lastToDiagram = true;
constexpr const char* kWizard = "Wizard";

} // namespace

ColorSchemeServices& GetColorSchemeServices()
{
    static ColorSchemeServices services;
    return services;
}

void ResetColorSchemeState()
{
    GetColorSchemeServices() = ColorSchemeServices{};
    g_lastToDiagram = true;
}

bool LastSchemeAppliedToDiagram()
{
    return g_lastToDiagram;
}

void CShadowSpec::SaveWizard() const
{
    CAppProfile& p = AfxGetAppProfile();
    p.WriteProfileInt(kWizard, "ShadowEffectType", m_nType);
    p.WriteProfileColor(kWizard, "ShadowColor", m_crColor);
    p.WriteProfileInt(kWizard, "ShadowOpacity", m_nOpacity);
    p.WriteProfileInt(kWizard, "ShadowX", m_nOffsetX);
    p.WriteProfileInt(kWizard, "ShadowY", m_nOffsetY);
    p.WriteProfileInt(kWizard, "ShadowBlurRadius", m_nBlur);
}

void CShadowSpec::LoadWizard()
{
    const CAppProfile& p = AfxGetAppProfile();
    m_nType = int32_t(p.GetProfileInt(kWizard, "ShadowEffectType", 0));
    m_crColor = p.GetProfileColor(kWizard, "ShadowColor", 0);
    m_nOpacity = int32_t(p.GetProfileInt(kWizard, "ShadowOpacity", 153));
    m_nOffsetX = int32_t(p.GetProfileInt(kWizard, "ShadowX", 8));
    m_nOffsetY = int32_t(p.GetProfileInt(kWizard, "ShadowY", 8));
    m_nBlur = int32_t(p.GetProfileInt(kWizard, "ShadowBlurRadius", 4));
}

void CKavoDoc::ReapplyStyleColours(bool all, bool recordUndo)
{
    for (CDiagObj* obj : *m_pObjList) {
        if (!all && !obj->m_bSelected)
            continue;
        if (obj->GetType() == kObjConnector) {
            auto* con = static_cast<CConnector*>(obj);
            const CConStyle* style = con->m_nStyle >= 0 ? m_conStyles.GetAt(con->m_nStyle) : nullptr;
            if (!style || (recordUndo && !LogConColors(con)))
                continue;
            con->m_props.Color = style->m_props.Color;
            con->m_props.End1FillColor = style->m_props.End1FillColor;
            con->m_props.End2FillColor = style->m_props.End2FillColor;
            con->m_props.FIFillClr = style->m_props.FIFillClr;
            con->m_props.FIBdrClr = style->m_props.FIBdrClr;
        } else if (obj->GetType() == kObjFigure) {
            auto* fig = static_cast<CFigure*>(obj);
            const CFigStyle* style = fig->m_nStyle >= 0 ? m_figStyles.GetAt(fig->m_nStyle) : nullptr;
            if (!style || (recordUndo && !LogFigColors(fig)))
                continue;
            fig->m_props.BorderColor = style->m_props.BorderColor;
            fig->m_props.TextColor = style->m_props.TextColor;
            fig->m_props.m_fill.Copy(style->m_props.m_fill);
        }
    }
    SetModifiedFlag(true);
}

void CKavoDoc::OnApplyColorScheme()
{
    ColorSchemeServices& s = GetColorSchemeServices();
    if (m_strTemplate.empty() || !s.dialog || !s.applyScheme)
        return;
    ColorSchemeChoice choice;
    choice.templatePath = m_strTemplate;
    if (s.loadSchemes)
        choice.schemes = s.loadSchemes(m_strTemplate);
    choice.hasSelection = HasSelection();
    const bool hasObjects = m_pObjList->GetCount() > 0;
    if (!hasObjects) {
        choice.applyToDiagram = choice.applyToSelection = false;
    } else if (choice.hasSelection) {
        choice.applyToDiagram = false;
        choice.applyToSelection = true;
    } else {
        choice.applyToDiagram = g_lastToDiagram;
        choice.applyToSelection = false;
    }
    if (!s.dialog(choice))
        return;
    UndoBeginStep(UDMAC_COLORSCHEME);
    // Both style libraries are logged before anything changes; a full log
    // leaves the diagram as it was.
    if (!LogFigStyleColors() || !LogConStyleColors()) {
        UndoEndStep();
        return;
    }
    s.applyScheme(*this, m_strTemplate, choice.scheme);
    if (hasObjects && !choice.applyToSelection)
        g_lastToDiagram = choice.applyToDiagram;
    const bool recolour = choice.applyToDiagram || choice.applyToSelection;
    if (recolour)
        ReapplyStyleColours(choice.applyToDiagram, true);
    SetModifiedFlag(true);
    UndoEndStep();
    if (recolour)
        UpdateAllViews(nullptr, 0, nullptr);
    if (s.redrawStyleBar)
        s.redrawStyleBar();
}
