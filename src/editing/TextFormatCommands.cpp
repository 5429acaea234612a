#include "editing/TextFormatCommands.h"

#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/DocCommands.h"
#include "document/FigPropValues.h"
#include "shapes/CFigPropMask.h"
#include "undo/UndoCodes.h"

namespace {
constexpr int kCreateMode = 2, kTextMode = 3;
// The figure query of plain figures, grouped ones as the apply-to-groups
// settings say.
constexpr int kPlainFigs = 7, kGroupScope = 2;
constexpr LONG kBoldWeight = 400;

// The newest selected figure whose text takes a character format; one in a
// group only when no ungrouped one is selected.
const CFigure* FirstTextFig(const CKavoDoc& doc)
{
    const CFigure* grouped = nullptr;
    for (auto it = doc.m_pSelList->end(); it != doc.m_pSelList->begin();) {
        const CDiagObj* o = *--it;
        if (o->GetType() != kObjFigure || !TakesCharFormat(*static_cast<const CFigure*>(o)))
            continue;
        if (!o->m_pGroup)
            return static_cast<const CFigure*>(o);
        if (!grouped)
            grouped = static_cast<const CFigure*>(o);
    }
    return grouped;
}

// The current label style takes the change and becomes anonymous, keeping
// its look: forgetting its name must not forget what it draws like.
void SetCurLblLook(CKavoDoc& doc, const CFigProps& props)
{
    const int width = doc.m_curLblStyle.Width, height = doc.m_curLblStyle.Height;
    doc.ResetCurLblStyle();
    doc.m_curLblStyle.m_props = props;
    doc.m_curLblStyle.Width = width;
    doc.m_curLblStyle.Height = height;
}

void ApplyToCurLblStyle(CKavoDoc& doc, const FontChoice& choice)
{
    CFigProps props = doc.m_curLblStyle.m_props;
    if (ApplyFontChoice(choice, props))
        SetCurLblLook(doc, props);
}

// The figure query of figures with text areas, grouped ones as the
// apply-to-groups settings say.
constexpr int kTextAreaFigs = 10, kAnyScope = 1;
} // namespace

const CFigProps* TextFormatSource(const CKavoDoc& doc)
{
    if (g_nUIMode == kTextMode)
        return &doc.m_curLblStyle.m_props;
    if (g_nUIMode == kCreateMode)
        return &doc.m_curFigStyle.m_props;
    const CFigure* fig = FirstTextFig(doc);
    return fig ? &fig->m_props : nullptr;
}

void ApplyCharFormat(CKavoDoc& doc, const FontChoice& choice)
{
    if (g_nUIMode == kTextMode) {
        ApplyToCurLblStyle(doc, choice);
    } else if (g_nUIMode == kCreateMode) {
        if (ApplyFontChoice(choice, doc.m_curFigStyle.m_props))
            doc.ClearCurStyleMark();
    } else {
        doc.ApplyFontToSel(choice);
    }
}

bool ApplyTextAlignment(CKavoDoc& doc, unsigned bits, unsigned group)
{
    const auto merged = [&](WORD now) { return WORD((now & ~group) | (bits & group)); };
    if (g_nUIMode == kTextMode) {
        CFigProps props = doc.m_curLblStyle.m_props;
        if (merged(props.TextFormat) == props.TextFormat)
            return false;
        props.TextFormat = merged(props.TextFormat);
        SetCurLblLook(doc, props);
        return true;
    }
    if (g_nUIMode == kCreateMode) {
        CFigProps& props = doc.m_curFigStyle.m_props;
        if (merged(props.TextFormat) == props.TextFormat)
            return false;
        props.TextFormat = merged(props.TextFormat);
        doc.ClearCurStyleMark();
        return true;
    }
    const CFigure* first = doc.GetFirstSelFig(kTextAreaFigs, kAnyScope);
    if (!first)
        return false;
    doc.ApplyTextFormatToSel(merged(first->m_props.TextFormat));
    return true;
}

bool ApplyFormatToFig(CKavoDoc& doc, CFigure& fig, const FontChoice& choice, int format)
{
    FigPropValues v;
    v.props = fig.m_props;
    CFigPropMask m;
    if (ApplyFontChoice(choice, v.props))
        m.m_bFont = m.m_bTextColor = 1;
    if (format != -1 && WORD(format) != fig.m_props.TextFormat) {
        v.props.TextFormat = WORD(format);
        m.m_bTextFormat = 1;
    }
    if (!m.m_bFont && !m.m_bTextFormat)
        return false;
    doc.UndoBeginStep(m.m_bFont ? UDMAC_FIGPROPS : UDMAC_TEXTFMT);
    // The figure being edited is meant, in a group or not.
    const bool ok = doc.ApplyFigProps(&fig, v, m, true);
    if (ok)
        doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    return ok;
}

bool ToggleCharAttr(CKavoDoc& doc, int command)
{
    const CFigProps* source = TextFormatSource(doc);
    const LOGFONT* lf = source ? &source->m_font.m_lf : nullptr;
    FontChoice choice;
    switch (command) {
    case kCmdBold:
        DiagPrintf("USER  Bold\n");
        choice.bold = lf && lf->lfWeight > kBoldWeight ? 0 : 1;
        break;
    case kCmdItalic:
        DiagPrintf("USER  Italic\n");
        choice.italic = lf && lf->lfItalic ? 0 : 1;
        break;
    case kCmdUnderline:
        DiagPrintf("USER  Underline\n");
        choice.underline = lf && lf->lfUnderline ? 0 : 1;
        break;
    default: return false;
    }
    ApplyCharFormat(doc, choice);
    return true;
}

bool DropShadowOn(const CKavoDoc& doc)
{
    if (g_nUIMode == kCreateMode)
        return doc.m_curFigStyle.m_props.Shadow != 0;
    const CFigure* fig = doc.GetFirstSelFig(kPlainFigs, kGroupScope);
    return fig && fig->m_props.Shadow != 0;
}

void ToggleDropShadow(CKavoDoc& doc)
{
    DiagPrintf("USER  Toggle Shadow\n");
    SetDropShadow(doc, !DropShadowOn(doc));
}
