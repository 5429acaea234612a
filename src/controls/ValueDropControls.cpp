#include "controls/ValueDropControls.h"

#include "controls/CColorDropButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CTextDropButton.h"
#include "core/Settings.h"
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

bool HasSelectedConnectors(const CKavoDoc& doc)
{
    return doc.GetSelCount() > doc.GetSelFigCount();
}

bool ApplyFigureProps(CKavoDoc& doc, const std::function<void(FigPropValues&, CFigPropMask&)>& set)
{
    if (doc.GetSelFigCount() == 0)
        return false;
    FigPropValues values;
    CFigPropMask mask;
    set(values, mask);
    doc.ApplyPropsToSelection(2, values, mask);
    return true;
}

bool ApplyConnectorProps(CKavoDoc& doc, const std::function<void(CConProps&, CConPropMask&)>& set)
{
    if (!HasSelectedConnectors(doc))
        return false;
    CConProps props;
    CConPropMask mask;
    set(props, mask);
    doc.ApplyConProps(props, mask);
    return true;
}

// Line pattern and width: the selected figures' borders and the selected
// connectors' lines, each through its own document operation.
bool ApplyLineValue(CKavoDoc& doc, int value, bool pattern)
{
    const bool figures = ApplyFigureProps(doc, [&](FigPropValues& v, CFigPropMask& m) {
        (pattern ? v.props.PenStyle : v.props.BorderWidth) = value;
        (pattern ? m.m_bPenStyle : m.m_bBorderWidth) = 1;
    });
    const bool connectors = ApplyConnectorProps(doc, [&](CConProps& p, CConPropMask& m) {
        (pattern ? p.PenStyle : p.LineWidth) = value;
        (pattern ? m.m_bPenStyle : m.m_bLineWidth) = 1;
    });
    return figures || connectors;
}

// One alignment group replaced, the other kept from the first selected figure.
bool ApplyAlignment(CKavoDoc& doc, WORD bits, WORD group)
{
    const CFigure* first = doc.GetFirstSelFig(10, 1);
    if (!first)
        return false;
    doc.ApplyTextFormatToSel(WORD((first->m_props.TextFormat & ~group) | (bits & group)));
    return true;
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
    FormatRequest request;
    if (command == kTextColor)
        request.color = static_cast<const CColorDropButton&>(button).GetColor();
    else if (command == kHAlign || command == kVAlign)
        request.align = static_cast<const CCommandDropButton&>(button).GetSetting();
    else
        return false;
    editor.ApplyFormat(request);
    return true;
}

bool ApplyValueDropChoice(unsigned command, const CDropPaletteButton& button, CKavoDoc& doc)
{
    switch (command) {
    case kConnectorColor: {
        const COLORREF color = static_cast<const CColorDropButton&>(button).GetColor();
        return ApplyConnectorProps(doc, [&](CConProps& p, CConPropMask& m) {
            p.Color = color;
            m.m_bColor = 1;
        });
    }
    case kFillColor: {
        const COLORREF color = static_cast<const CColorDropButton&>(button).GetColor();
        return ApplyFigureProps(doc, [&](FigPropValues& v, CFigPropMask& m) {
            // No colour is a transparent fill.
            v.props.m_fill.m_nKind = color == kPaletteNoColor ? 0 : 1;
            v.props.m_fill.m_crColor1 = color == kPaletteNoColor ? RGB(255, 255, 255) : color;
            m.m_fill.m_bColor1 = 1;
            m.m_fill.m_bRest = 1;
        });
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
        const auto shape = DWORD(static_cast<const CCurvatureButton&>(button).GetCurvature() & 0x1A);
        return ApplyConnectorProps(doc, [&](CConProps& p, CConPropMask& m) {
            p.Behavior.low = shape;
            m.m_behavior.low = 0x1A;
        });
    }
    case kHAlign:
        return ApplyAlignment(doc, static_cast<const CCommandDropButton&>(button).GetSetting(), kHAlignBits);
    case kVAlign:
        return ApplyAlignment(doc, static_cast<const CCommandDropButton&>(button).GetSetting(), kVAlignBits);
    case kRotate:
        if (doc.GetSelFigCount() == 0)
            return false;
        doc.ApplyTextRotationToSel(static_cast<const CCommandDropButton&>(button).GetSetting());
        return true;
    default: return false;
    }
}
