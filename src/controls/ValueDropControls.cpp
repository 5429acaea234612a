#include "controls/ValueDropControls.h"

#include "controls/CColorDropButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CTextDropButton.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "document/FontChoice.h"
#include "editing/TextFormatCommands.h"
#include "editing/ui/CTextDialog.h"
#include "richtext/MarkupBuilder.h"
#include "platform/ui/DlgItems.h"

namespace {

constexpr unsigned kConnectorColor = 36496, kFillColor = 36497, kBorderColor = 36498, kTextColor = 36499;
constexpr unsigned kLinePattern = 36491, kLineWidth = 36492, kCurvature = 36493;
constexpr unsigned kHAlign = 36562, kVAlign = 36563, kRotate = 36564;
constexpr WORD kHAlignBits = 0x07, kVAlignBits = 0x70;

CDropPaletteButton* NewButton(unsigned command, QWidget* parent, const std::function<QImage(UINT)>& images)
{
    const int id = int(command);
    CDropPaletteButton* made = nullptr;
    bool created = false;
    switch (command) {
    case kConnectorColor:
    case kFillColor:
    case kBorderColor:
    case kTextColor: {
        auto* button = new CToolColorButton(parent);
        created = button->CreatePalette(id, parent, PaletteColors, true, command == kFillColor, true);
        made = button;
        break;
    }
    case kLinePattern: {
        auto* button = new CToolLinePatternButton(parent);
        created = button->Create(id, parent);
        made = button;
        break;
    }
    case kLineWidth: {
        auto* button = new CToolLineWidthButton(parent);
        created = button->Create(id, parent);
        made = button;
        break;
    }
    case kCurvature: {
        auto* button = new CToolCurvatureButton(parent);
        created = button->Create(id, parent);
        made = button;
        break;
    }
    case kHAlign:
    case kVAlign:
    case kRotate: {
        CCommandDropButton* button = nullptr;
        if (command == kHAlign)
            button = new CHAlignDropButton(parent);
        else if (command == kVAlign)
            button = new CVAlignDropButton(parent);
        else
            button = new CRotateDropButton(parent);
        button->SetImageSource(images);
        button->SetToolbarFace(bool(images));
        created = button->Create(id, parent);
        made = button;
        break;
    }
    default: return nullptr;
    }
    // Colour, pattern and width buttons show the bar's image of the command.
    const bool imageFace = command != kCurvature && command != kHAlign && command != kVAlign && command != kRotate;
    if (created && images && imageFace)
        made->SetFaceImage(images(command));
    if (!created) {
        delete made;
        return nullptr;
    }
    return made;
}

constexpr int kFigCreateMode = 2, kConCreateMode = 4;

bool HasSelectedConnectors(const CKavoDoc& doc)
{
    return doc.GetSelCount() > doc.GetSelFigCount();
}

// A figure property: the current figure style while creating figures (the
// style no longer the one named), else the selected figures in one step.
bool ApplyFigureProps(CKavoDoc& doc, const std::function<void(FigPropValues&, CFigPropMask&)>& set)
{
    FigPropValues values;
    CFigPropMask mask;
    set(values, mask);
    if (g_nUIMode == kFigCreateMode) {
        doc.m_curFigStyle.m_props.CopyMasked(&values.props, &mask);
        doc.ClearCurStyleMark();
        return true;
    }
    if (doc.GetSelFigCount() == 0)
        return false;
    doc.ApplyPropsToSelection(2, values, mask);
    return true;
}

// A connector property: the current connector style while drawing
// connectors (its mark and name cleared), else the selected connectors.
bool ApplyConnectorProps(CKavoDoc& doc, const std::function<void(CConProps&, CConPropMask&)>& set)
{
    CConProps props;
    CConPropMask mask;
    set(props, mask);
    if (g_nUIMode == kConCreateMode) {
        doc.m_curConStyle.m_props.CopyMasked(&props, &mask);
        doc.ClearCurConStyleMark();
        return true;
    }
    if (!HasSelectedConnectors(doc))
        return false;
    doc.ApplyConProps(props, mask);
    return true;
}

// Line pattern and width: the current figure style or connector style in
// their creation modes; else the selected figures' borders and the selected
// connectors' lines, each through its own document operation, with one
// question whether grouped objects take part. The answer holds for this
// command only: the user's standing choice and prompt setting come back.
bool ApplyLineValue(CKavoDoc& doc, int value, bool pattern)
{
    const auto figure = [&](FigPropValues& v, CFigPropMask& m) {
        (pattern ? v.props.PenStyle : v.props.BorderWidth) = value;
        (pattern ? m.m_bPenStyle : m.m_bBorderWidth) = 1;
    };
    const auto connector = [&](CConProps& p, CConPropMask& m) {
        (pattern ? p.PenStyle : p.LineWidth) = value;
        (pattern ? m.m_bPenStyle : m.m_bLineWidth) = 1;
    };
    if (g_nUIMode == kFigCreateMode)
        return ApplyFigureProps(doc, figure);
    if (g_nUIMode == kConCreateMode)
        return ApplyConnectorProps(doc, connector);
    const int savedChoice = ApplyToGroups, savedPrompt = PromptForApplyToGroups;
    bool answer = false;
    doc.AskApplyToGroups(answer);
    ApplyToGroups = answer ? 1 : 0;
    PromptForApplyToGroups = 0;
    const bool figures = ApplyFigureProps(doc, figure);
    const bool connectors = ApplyConnectorProps(doc, connector);
    ApplyToGroups = savedChoice;
    PromptForApplyToGroups = savedPrompt;
    return figures || connectors;
}

// The one selected object when it is a figure with a transparent fill.
bool OneTransparentFigSelected(const CKavoDoc& doc)
{
    if (doc.GetSelCount() != 1)
        return false;
    const CDiagObj* only = *doc.m_pSelList->begin();
    return only->GetType() == kObjFigure && static_cast<const CFigure*>(only)->m_props.m_fill.m_nKind == 0;
}

// Fill colour. While creating figures the current style's fill takes it: a
// colour on a transparent fill makes it flat, no colour makes it
// transparent. On the selection the colour changes only the colour of a
// fill (a shaded fill stays shaded); its kind changes for no colour, or when
// the one selected figure has no fill.
bool ApplyFillColor(CKavoDoc& doc, COLORREF color)
{
    const bool none = color == kPaletteNoColor;
    if (g_nUIMode == kFigCreateMode) {
        auto& fill = doc.m_curFigStyle.m_props.m_fill;
        if (none) {
            fill.m_nKind = 0;
        } else {
            fill.m_crColor1 = color;
            if (fill.m_nKind == 0)
                fill.m_nKind = 1;
        }
        doc.ClearCurStyleMark();
        return true;
    }
    const bool rest = none || OneTransparentFigSelected(doc);
    return ApplyFigureProps(doc, [&](FigPropValues& v, CFigPropMask& m) {
        v.props.m_fill.m_nKind = none ? 0 : 1;
        if (!none) {
            v.props.m_fill.m_crColor1 = color;
            m.m_fill.m_bColor1 = 1;
        }
        m.m_fill.m_bRest = rest ? 1 : 0;
    });
}

} // namespace

QWidget* MakeValueDropControl(unsigned command, QWidget* parent, const std::function<QImage(UINT)>& images)
{
    CDropPaletteButton* button = NewButton(command, parent, images);
    if (!button)
        return nullptr;
    QObject::connect(button, &CDropPaletteButton::chosen, button, [command, button] {
        // Text being edited in place takes text colour and alignment itself.
        if (CTextDialog* editor = ActiveTextEditor(); editor && ApplyValueDropToEditor(command, *button, *editor))
            return;
        if (CKavoDoc* doc = GetActiveKavoDoc())
            ApplyValueDropChoice(command, *button, *doc);
    });
    return button;
}

bool ApplyValueDropToEditor(unsigned command, const CDropPaletteButton& button, CTextDialog& editor)
{
    if (command == kHAlign || command == kVAlign) {
        editor.SetAlignment(static_cast<const CCommandDropButton&>(button).GetSetting());
        return true;
    }
    if (command != kTextColor)
        return false;
    FormatRequest request;
    request.color = static_cast<const CColorDropButton&>(button).GetColor();
    editor.ApplyFormat(request);
    return true;
}

bool ApplyValueDropChoice(unsigned command, const CDropPaletteButton& button, CKavoDoc& doc)
{
    switch (command) {
    case kConnectorColor: {
        const COLORREF color = static_cast<const CColorDropButton&>(button).GetColor();
        // The line and both end symbols take the colour.
        return ApplyConnectorProps(doc, [&](CConProps& p, CConPropMask& m) {
            p.Color = p.End1FillColor = p.End2FillColor = color;
            m.m_bColor = m.m_bEnd1FillColor = m.m_bEnd2FillColor = 1;
        });
    }
    case kFillColor: {
        return ApplyFillColor(doc, static_cast<const CColorDropButton&>(button).GetColor());
    }
    case kBorderColor: {
        const COLORREF color = static_cast<const CColorDropButton&>(button).GetColor();
        return ApplyFigureProps(doc, [&](FigPropValues& v, CFigPropMask& m) {
            v.props.BorderColor = color;
            m.m_bBorderColor = 1;
        });
    }
    case kTextColor: {
        // The current label or figure style in their modes, else the selection.
        FontChoice choice;
        choice.color = static_cast<const CColorDropButton&>(button).GetColor();
        ApplyCharFormat(doc, choice);
        return true;
    }
    case kLinePattern: return ApplyLineValue(doc, static_cast<const CLinePatternButton&>(button).GetPattern(), true);
    case kLineWidth: return ApplyLineValue(doc, static_cast<const CLineWidthButton&>(button).GetWidth(), false);
    case kCurvature: {
        // The selected connectors, in any mode.
        if (!HasSelectedConnectors(doc))
            return false;
        CConProps props;
        CConPropMask mask;
        props.Behavior.low = DWORD(static_cast<const CCurvatureButton&>(button).GetCurvature() & 0x1A);
        mask.m_behavior.low = 0x1A;
        doc.ApplyConProps(props, mask);
        return true;
    }
    case kHAlign:
        return ApplyTextAlignment(doc, static_cast<const CCommandDropButton&>(button).GetSetting(), kHAlignBits);
    case kVAlign:
        return ApplyTextAlignment(doc, static_cast<const CCommandDropButton&>(button).GetSetting(), kVAlignBits);
    case kRotate:
        if (doc.GetSelFigCount() == 0)
            return false;
        doc.ApplyTextRotationToSel(static_cast<const CCommandDropButton&>(button).GetSetting());
        return true;
    default: return false;
    }
}
