#include "dialogs/diagram/DiagramProps.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "platform/Prompt.h"
#include "shapes/CFigPropMask.h"
#include "shapes/DividedShapeSetup.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr UINT IDS_APPLY_FIG_LABEL_STYLE = 776;
constexpr UINT IDS_APPLY_FLOW_LABEL_STYLE = 777;
constexpr UINT IDS_APPLY_CON_LABEL_STYLE = 778;

// Rounded to the nearest whole number, halves up; for values >= 0.
int RoundDiv(long long numerator, long long denominator)
{
    return int((numerator * 2 + denominator) / (denominator * 2));
}

bool IsLabelOfKind(const CFigure& f, LabelKind kind)
{
    switch (kind) {
    case LabelKind::Figure: return f.IsFigLabel();
    case LabelKind::Flow: return f.IsFlowLabel();
    case LabelKind::Connector: return f.IsConLabel();
    }
    return false;
}

// Whether the views show anything differently after the change.
bool NeedsRedraw(const DiagramProps& b, const DiagramProps& a, bool marginsToSet)
{
    return b.shadow != a.shadow || marginsToSet || (b.gridSpacing != a.gridSpacing && a.showGrid) ||
           b.showGrid != a.showGrid || b.noMarginLimit != a.noMarginLimit || b.fullColorIcons != a.fullColorIcons ||
           b.cornerRadius != a.cornerRadius || b.junctionDots != a.junctionDots || b.conPtDots != a.conPtDots ||
           b.jogs != a.jogs || b.jogRadius != a.jogRadius || b.lineSpacingKind != a.lineSpacingKind ||
           b.lineSpacingValue != a.lineSpacingValue;
}

void WriteValuesAndDefaults(CKavoDoc& doc, const DiagramProps& a)
{
    doc.m_bLargeDropMenus = a.carried;
    doc.m_bFullColorIcons = a.fullColorIcons;
    // New diagrams start from what this one now uses.
    doc.m_bOversizeTextRect = OversizeTextRect = a.noMarginLimit;
    doc.m_nCornerRadius = RoundedRadius = a.cornerRadius;
    doc.m_nGridX = doc.m_nGridY = GridX = GridY = a.gridSpacing;
    doc.m_nSnapX = doc.m_nSnapY = SnapX = SnapY = a.snapSpacing;
    doc.m_bShowGrid = ShowGrid = a.showGrid;
    doc.m_bAlignToGrid = AlignToGrid = a.snapToGrid;
}

void WriteConnectorValues(CKavoDoc& doc, const DiagramProps& a)
{
    doc.m_nConPointMarks = ConPointMarks = a.conPtDots;
    doc.m_bConnectorJogs = ConnectorJogs = a.jogs;
    doc.m_nConnectorJogRadius = ConnectorJogRadius = a.jogRadius;
    doc.m_bJunctionDots = JunctionDots = a.junctionDots;
}

void AskToApplyLabelStyle(CKavoDoc& doc, const std::string& name, UINT question, LabelKind kind)
{
    if (MsgBoxResPrintf(MB_YESNO | MB_ICONQUESTION, question) != IDYES)
        return;
    // A name no longer in the library applies nothing.
    ApplyLabelStyleToAll(doc, kind, doc.m_figStyles.FindByName(name));
}
} // namespace

DiagramProps ReadDiagramProps(const CKavoDoc& doc)
{
    DiagramProps p;
    p.noMarginLimit = doc.m_bOversizeTextRect;
    p.fullColorIcons = doc.m_bFullColorIcons;
    p.carried = doc.m_bLargeDropMenus;
    p.gridSpacing = doc.m_nGridX;
    p.snapSpacing = doc.m_nSnapX;
    p.showGrid = doc.m_bShowGrid;
    p.snapToGrid = doc.m_bAlignToGrid;
    p.figLabelStyle = doc.m_strAutoLabelStyle;
    p.conLabelStyle = doc.m_strConLabelStyle;
    p.flowLabelStyle = doc.m_strFlowLabelStyle;
    p.primaryPosition = doc.m_nFigLblPrimarySector;
    p.cornerRadius = doc.m_nCornerRadius;
    p.jogs = doc.m_bConnectorJogs;
    p.jogRadius = doc.m_nConnectorJogRadius;
    p.junctionDots = doc.m_bJunctionDots;
    p.conPtDots = doc.m_nConPointMarks;
    p.textFormat = doc.m_nFigMarginMode == 1 ? 1 : 0;
    p.margin = doc.m_nFigMarginLeft;
    p.lineSpacingKind = doc.m_nLineSpacingMode;
    p.lineSpacingValue = doc.m_fLineSpacingValue;
    p.shadow = doc.m_shadowSpec;
    return p;
}

void ApplyDiagramProps(CKavoDoc& doc, const DiagramProps& b, const DiagramProps& a)
{
    if (a == b)
        return;
    doc.SetModifiedFlag(true);
    doc.m_nFigMarginMode = a.textFormat;
    const bool marginsToSet =
        a.textFormat == 1 &&
        (b.textFormat != 1 || doc.m_nFigMarginLeft != a.margin || doc.m_nFigMarginRight != a.margin ||
         doc.m_nFigMarginTop != a.margin || doc.m_nFigMarginBottom != a.margin);
    const bool redraw = NeedsRedraw(b, a, marginsToSet);
    WriteValuesAndDefaults(doc, a);
    if (a.shadow != b.shadow)
        doc.SetShadowSettings(a.shadow);
    WriteConnectorValues(doc, a);
    const bool figLabel = a.figLabelStyle != b.figLabelStyle;
    const bool flowLabel = a.flowLabelStyle != b.flowLabelStyle;
    const bool conLabel = a.conLabelStyle != b.conLabelStyle;
    doc.m_strAutoLabelStyle = a.figLabelStyle;
    doc.m_strConLabelStyle = a.conLabelStyle;
    doc.m_strFlowLabelStyle = a.flowLabelStyle;
    doc.m_nFigLblPrimarySector = a.primaryPosition;
    if (a.lineSpacingKind != b.lineSpacingKind || a.lineSpacingValue != b.lineSpacingValue) {
        doc.UndoBeginStep(UDMAC_SETLINESPACING);
        // Every figure lays its text out with the document's spacing.
        doc.SetLineSpacing(a.lineSpacingKind, a.lineSpacingValue);
        doc.UndoEndStep();
    }
    CfgSaveAll();
    if (marginsToSet) {
        const int m = std::max(a.margin, 1);
        SetFigMargins(doc, m, m, m, m, false);
    }
    if (redraw)
        doc.UpdateAllViews(nullptr, 0, nullptr);
    if (figLabel && !a.figLabelStyle.empty())
        AskToApplyLabelStyle(doc, a.figLabelStyle, IDS_APPLY_FIG_LABEL_STYLE, LabelKind::Figure);
    if (flowLabel && !a.flowLabelStyle.empty())
        AskToApplyLabelStyle(doc, a.flowLabelStyle, IDS_APPLY_FLOW_LABEL_STYLE, LabelKind::Flow);
    if (conLabel && !a.conLabelStyle.empty())
        AskToApplyLabelStyle(doc, a.conLabelStyle, IDS_APPLY_CON_LABEL_STYLE, LabelKind::Connector);
}

bool ApplyLabelStyleToAll(CKavoDoc& doc, LabelKind kind, int style)
{
    const CFigStyle* s = doc.m_figStyles.GetAt(style);
    if (!s || !s->Label)
        return false;
    static constexpr int kCodes[] = {UDMAC_APPLYALLFIGLBLSYLES, UDMAC_APPLYALLFLWLBLSYLES, UDMAC_APPLYALLCONLBLSYLES};
    std::vector<CFigure*> labels;
    doc.ForEachFigure([&](CFigure* f) {
        if (f->m_bLabel && IsLabelOfKind(*f, kind))
            labels.push_back(f);
    });
    doc.UndoBeginStep(kCodes[int(kind)]);
    bool ok = true;
    for (CFigure* f : labels) {
        FigPropValues values;
        values.props = f->m_props;
        values.style = style;
        CFigPropMask mask;
        mask.m_bSheet[kSheetStyle] = 1;
        if (!doc.ApplyFigProps(f, values, mask, true)) {
            ok = false;
            break;
        }
    }
    // Restyled labels change size: their staples place them again.
    doc.UpdateAllStaples(1);
    doc.SetModifiedFlag(true);
    doc.UndoEndStep();
    doc.UpdateAllViews(nullptr, 0, nullptr);
    return ok;
}

int TransparencyOfOpacity(int opacity)
{
    return 100 - RoundDiv(std::clamp(opacity, 0, 255) * 100LL, 255);
}

int OpacityOfTransparency(int transparency)
{
    return 255 - RoundDiv(std::clamp(transparency, 0, 100) * 255LL, 100);
}

int DiffusionOfSoftness(int softness)
{
    return std::min(RoundDiv(std::clamp(softness, 0, 72) * 100LL, 72), 100);
}

int SoftnessOfDiffusion(int diffusion)
{
    return RoundDiv(std::clamp(diffusion, 0, 100) * 72LL, 100);
}

int OffsetPointsOfUnits(int units)
{
    return std::min(RoundDiv(std::clamp(units, 0, 128) * 72LL, 256), 36);
}

int OffsetUnitsOfPoints(int points)
{
    return RoundDiv(std::clamp(points, 0, 36) * 256LL, 72);
}

float DefaultLineSpacingValue(const CKavoDoc* doc, int kind)
{
    switch (kind) {
    case 5: return 100;
    case 6: return doc ? float(std::clamp(std::abs(int(doc->m_defaultFont.m_lf.lfHeight)), 0, 300)) : 12.0f;
    case 7: return 14;
    default: return 0;
    }
}
