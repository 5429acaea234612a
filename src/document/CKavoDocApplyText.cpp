// The texts of a property change (markup following the figure's new font
// and format, breaks for the reflow flag, re-flowing and fitting) and the
// font commands on the selection.
#include "document/CKavoDoc.h"

#include "core/FontHelpers.h"
#include "document/ConLabelPlace.h"
#include "document/FigApplySteps.h"
#include "document/FigPropValues.h"
#include "document/FigTextServices.h"
#include "document/FontChoice.h"
#include "shapes/CFigSymbol.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>

unsigned ChangedTextAttrs(const CFigProps& before, const CFigProps& after)
{
    const LOGFONT& a = before.m_font.m_lf;
    const LOGFONT& b = after.m_font.m_lf;
    unsigned attrs = 0;
    if (a.lfHeight != b.lfHeight)
        attrs |= kTextAttrSize;
    if (a.lfWeight != b.lfWeight)
        attrs |= kTextAttrBold;
    if (a.lfItalic != b.lfItalic)
        attrs |= kTextAttrItalic;
    if (a.lfUnderline != b.lfUnderline)
        attrs |= kTextAttrUnderline;
    if (std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) != 0)
        attrs |= kTextAttrFace;
    if (before.TextColor != after.TextColor)
        attrs |= kTextAttrColor;
    if ((before.TextFormat ^ after.TextFormat) & 0x07)
        attrs |= kTextAttrHAlign;
    if ((before.TextFormat ^ after.TextFormat) & 0x70)
        attrs |= kTextAttrVAlign;
    return attrs;
}

namespace {

// The figure fitted to its text: grown when the text asks for more room on
// a side whose grow flag is set, else the general fit (the sides that follow
// the text take its size, the others only grow).
void FitFigToItsText(CFigure* f)
{
    const FigTextServices& svc = GetFigTextServices();
    CRect fitted;
    if (!svc.sizeForText || !svc.sizeForText(*f, fitted))
        return;
    const DWORD low = f->m_props.Behavior.low;
    const bool wider = fitted.Width() > f->m_rect.Width(), taller = fitted.Height() > f->m_rect.Height();
    if ((wider && (low & kGrowWidthToTextFlag)) || (taller && (low & kGrowHeightToTextFlag))) {
        CRect rc = f->m_rect;
        rc.right = rc.left + std::max(rc.Width(), fitted.Width());
        rc.bottom = rc.top + std::max(rc.Height(), fitted.Height());
        f->SetBounds(rc, true);
    } else if (svc.resizeToText) {
        svc.resizeToText(*f);
    }
}

void Rewrite(std::string& text, unsigned attrs, size_t limit)
{
    const FigTextServices& svc = GetFigTextServices();
    if (svc.rewriteMarkup && attrs)
        svc.rewriteMarkup(text, attrs, int(limit));
}

} // namespace

bool ApplyFigTexts(CKavoDoc& doc, CFigure* f, const CFigure& before, const FigPropValues& v,
                   const CFigPropMask& m, bool inStep)
{
    const FigTextServices& svc = GetFigTextServices();
    std::string text = m.m_bSheet[kSheetText] ? v.text : f->m_strText;
    std::string second = m.m_bSheet[kSheetText] ? v.secondText : f->m_strSecondText;
    const bool formatChanged = f->m_props.TextFormat != before.m_props.TextFormat;
    // One text area: the markup gives way to the figure's new values, so
    // that they hold for the whole text.
    if (f->GetTextAreaCount() == 1 && inStep) {
        const unsigned attrs = ChangedTextAttrs(before.m_props, f->m_props);
        Rewrite(text, attrs, CFigure::kMaxText);
        Rewrite(second, attrs, CFigure::kMaxSecondText);
    }
    const bool reflow = (f->m_props.Behavior.low & kFigFlagReflowText) != 0;
    const bool reflowChanged = reflow != ((before.m_props.Behavior.low & kFigFlagReflowText) != 0);
    if (reflowChanged) {
        auto convert = reflow ? svc.lineBreaksToSoft : svc.softBreaksToLines;
        if (convert)
            convert(text);
    }
    if ((text != f->m_strText || second != f->m_strSecondText) && !doc.SetFigTextArea(f, -1, text, second))
        return false;
    const bool textsChanged = f->m_strText != before.m_strText || f->m_strSecondText != before.m_strSecondText;
    if (!textsChanged && !formatChanged && !reflowChanged)
        return true;
    if (svc.reflowText)
        svc.reflowText(*f);
    if (inStep)
        FitFigToItsText(f);
    return true;
}

bool ApplyFontChoice(const FontChoice& c, CFigProps& props)
{
    const CFigProps old = props;
    LOGFONT& lf = props.m_font.m_lf;
    if (c.bold != -1)
        lf.lfWeight = c.bold ? 700 : 0;
    if (c.italic != -1)
        lf.lfItalic = BYTE(c.italic ? 1 : 0);
    if (c.underline != -1)
        lf.lfUnderline = BYTE(c.underline ? 1 : 0);
    if (c.height != 0)
        lf.lfHeight = -std::abs(c.height);
    if (!c.face.empty()) {
        SetLogFontFace(lf, c.face.c_str());
        LOGFONT found;
        if (GetFontLogFont(c.face, found)) {
            lf.lfPitchAndFamily = found.lfPitchAndFamily;
            lf.lfCharSet = found.lfCharSet;
        }
    }
    if (c.color >= 0)
        props.TextColor = COLORREF(c.color & 0xFFFFFF);
    return !(props.m_font.m_lf == old.m_font.m_lf) || props.TextColor != old.TextColor;
}

bool TakesCharFormat(const CFigure& fig)
{
    if (fig.HasTextAreas())
        return true;
    const CFigSymbol* symbol = fig.GetSymbol();
    return symbol && symbol->m_nTextBoxes == 0 && !fig.HasPicture() && !fig.IsInvisible();
}

void CKavoDoc::ApplyFontToSel(const FontChoice& choice)
{
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure && TakesCharFormat(*static_cast<CFigure*>(o)))
            figs.push_back(static_cast<CFigure*>(o));
    // The step opens with the first figure that changes: a choice that
    // changes nothing leaves no step behind.
    bool open = false;
    for (CFigure* f : figs) {
        CFigProps props = f->m_props;
        if (!ApplyFontChoice(choice, props))
            continue;
        if (!open)
            m_undo.UndoBeginStep(UDMAC_FIGPROPS);
        open = true;
        if (!LogFigureState(f) || !LogFigText(f, -1) || !LogFigRect(f))
            break;
        InvalidateObj(f);
        const unsigned attrs = ChangedTextAttrs(f->m_props, props);
        Rewrite(f->m_strText, attrs, CFigure::kMaxText);
        // The second text holds the format of each further area.
        if (f->GetTextAreaCount() > 1)
            Rewrite(f->m_strSecondText, attrs, CFigure::kMaxSecondText);
        f->m_props.m_font = props.m_font;
        f->m_props.TextColor = props.TextColor;
        if (const FigTextServices& svc = GetFigTextServices(); svc.reflowText)
            svc.reflowText(*f);
        // Text in a new size or weight needs a new extent: a figure that
        // follows its text takes it, so no letter is cut off, and a
        // connector label stays on its line.
        const CRect before = f->m_rect;
        FitFigToItsText(f);
        PlaceConLblOnLine(*f);
        SetModifiedFlag(true);
        InvalidateObj(f);
        InvalidateAttachedCons(f);
        if (f->m_rect != before && RelayAttachedCons(f) < 0)
            break;
    }
    if (!open)
        return;
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
}
