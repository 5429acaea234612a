// Setting a figure's properties from a property record under a mask.
#include "document/CFigure.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/FigPictureOutline.h"
#include "document/FigPropValues.h"
#include "document/FigTextServices.h"

namespace {

// The anchor groups of the behaviour word that follow the text alignment.
constexpr DWORD kAlignAnchorBits = 0x3F;

// While the user edits, the figure's locks hold properties back.
void DropLocked(CFigPropMask& m, DWORD flags)
{
    if (flags & kLockTextFormat)
        m.m_bTextFormat = 0;
    if (flags & kLockPosition)
        m.m_bSheet[kSheetX] = m.m_bSheet[kSheetY] = 0;
    if (flags & kLockSize)
        m.m_bSheet[kSheetWidth] = m.m_bSheet[kSheetHeight] = 0;
}

} // namespace

void CFigure::SetProps(const FigPropValues& values, const CFigPropMask& mask, bool inStep)
{
    // 1. A working copy of the mask.
    CFigPropMask m = mask;
    if (inStep)
        DropLocked(m, m_props.Behavior.low);
    // 2. A label's new text format moves its anchors with it: the alignment
    // bits of the flag word are set from the format, and those that change
    // (against the given word or the label's own) are applied too.
    CFigProps v = values.props;
    if (m.m_bTextFormat && m_bLabel) {
        FigFlagSet aligned = v.Behavior;
        SetAlignFlags(aligned, v.TextFormat);
        m.m_behavior.low |= ((aligned.low ^ v.Behavior.low) | (aligned.low ^ m_props.Behavior.low)) & kAlignAnchorBits;
        v.Behavior = aligned;
    }
    const CFigProps old = m_props;
    const int oldStyle = m_nStyle;
    const CRect oldRect = m_rect;
    // 3. A new style: its record, except that a stapled label keeps its own
    // flag word and text format outside of an edit.
    const bool styleChange = m.m_bSheet[kSheetStyle] && values.style != -1 && values.style != m_nStyle;
    if (styleChange) {
        m_nStyle = values.style;
        if (const CFigStyle* style = GetStyle()) {
            m_props = style->m_props;
            if (!inStep && (IsConLabel() || IsFigLabel() || IsFlowLabel())) {
                m_props.Behavior = old.Behavior;
                m_props.TextFormat = old.TextFormat;
            }
            m_pConPts.reset();
            m_bHasConPts = 0;
            SyncConPtsFromStyle();
        }
    }
    const FigFlagSet beforeFlags = m_props.Behavior;
    // 4, 5, 8. Flag bits, the single fields and the picture.
    m_props.CopyMasked(&v, &m);
    const bool relayout = (m_props.Behavior.low & ~beforeFlags.low & kFollowTextFlags) != 0;
    // 5. A new alignment holds for the whole text; a figure of several areas
    // whose text is only separators has none.
    if (m.m_bTextFormat && m_props.TextFormat != old.TextFormat) {
        const unsigned changed = m_props.TextFormat ^ old.TextFormat;
        const unsigned attrs = ((changed & 0x07) ? unsigned(kTextAttrHAlign) : 0u) | ((changed & 0x70) ? unsigned(kTextAttrVAlign) : 0u);
        const FigTextServices& svc = GetFigTextServices();
        if (attrs && svc.rewriteMarkup)
            svc.rewriteMarkup(m_strText, attrs, int(kMaxText));
        if (GetTextAreaCount() > 1 && IsOnlySeparators(m_strText))
            m_strText.clear();
    }
    // 6. Place and size.
    const int width = m.m_bSheet[kSheetWidth] ? std::max(values.width, 0) : m_rect.Width();
    const int height = m.m_bSheet[kSheetHeight] ? std::max(values.height, 0) : m_rect.Height();
    const int x = m.m_bSheet[kSheetX] ? values.x : m_rect.left;
    const int y = m.m_bSheet[kSheetY] ? values.y : m_rect.top;
    m_rect = CRect(x, y, x + width, y + height);
    // 7. After a style, font or size change or a requested re-layout: a new
    // width drops the requests to snap the width (high bits 64 and 2), a new
    // height those for the height (128 and 1), so that the size given holds;
    // the figure takes its text's size and its flag word back. A size given
    // alone is kept unless a side follows the text (low 0x80, 0x100).
    const bool sizeChange = width != oldRect.Width() || height != oldRect.Height();
    if (width != oldRect.Width())
        m_props.Behavior.high &= ~kWidthSnapBits;
    if (height != oldRect.Height())
        m_props.Behavior.high &= ~kHeightSnapBits;
    const bool followsText = (m_props.Behavior.low & kFollowTextFlags) != 0;
    if (styleChange || m.m_bFont || relayout || (sizeChange && followsText)) {
        const FigFlagSet flags = m_props.Behavior;
        if (const FigTextServices& svc = GetFigTextServices(); svc.resizeToText)
            svc.resizeToText(*this);
        m_props.Behavior = flags;
    }
    // 8. A new picture: the hot zone of the old one goes, and with fitted
    // bounds the new picture's outline is traced.
    if (m_props.Graphic != old.Graphic || m_props.m_nGraphicType != old.m_nGraphicType) {
        if (old.HasGraphic())
            DiagPrintf("SMEM  From CFigure::SetProps()\n");
        m_outline.Clear();
        if (HasPicture()) {
            DiagPrintf("SMEM  From CFigure::SetProps()\n");
            if (NonRectBounds && g_pfnFigOutlineFromPicture)
                g_pfnFigOutlineFromPicture(*this);
        }
    }
    if (m_props.Symbol != old.Symbol || m_props.Graphic != old.Graphic || m_nStyle != oldStyle)
        ResetStockKind();
    // 9. The connection points given, or the style's again.
    if (m.m_bSheet[kSheetConPts]) {
        m_pConPts.reset();
        m_bHasConPts = 0;
        if (values.conPts) {
            m_pConPts = std::make_unique<CConPtList>();
            m_pConPts->CopyFrom(*values.conPts);
            m_bHasConPts = 1;
        } else {
            SyncConPtsFromStyle();
        }
    }
}
