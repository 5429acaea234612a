// Setting a figure's properties from a property record under a mask.
#include "document/CFigure.h"

#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"

void CFigure::SetProps(const FigPropValues& v, const CFigPropMask& mask, bool inStep)
{
    // 1. While the user edits, the figure's locks hold properties back.
    CFigPropMask m = mask;
    if (inStep) {
        if (m_props.Behavior.low & kLockTextFormat)
            m.m_bTextFormat = 0;
        if (m_props.Behavior.low & kLockPosition)
            m.m_bSheet[kSheetX] = m.m_bSheet[kSheetY] = 0;
        if (m_props.Behavior.low & kLockSize)
            m.m_bSheet[kSheetWidth] = m.m_bSheet[kSheetHeight] = 0;
    }
    // 3. A new style: its record, except that a stapled label keeps its own
    // flag word and text format outside of an edit.
    if (m.m_bSheet[kSheetStyle] && v.style != -1 && v.style != m_nStyle) {
        m_nStyle = v.style;
        if (const CFigStyle* style = GetStyle()) {
            const FigFlagSet flags = m_props.Behavior;
            const WORD format = m_props.TextFormat;
            m_props = style->m_props;
            if (!inStep && (IsConLabel() || IsFigLabel() || IsFlowLabel())) {
                m_props.Behavior = flags;
                m_props.TextFormat = format;
            }
            m_pConPts.reset();
            m_bHasConPts = 0;
            SyncConPtsFromStyle();
        }
    }
    // 4, 5, 8. Flag bits, the single fields and the picture.
    m_props.CopyMasked(&v.props, &m);
    // 6. Place and size.
    const int width = m.m_bSheet[kSheetWidth] ? std::max(v.width, 0) : m_rect.Width();
    const int height = m.m_bSheet[kSheetHeight] ? std::max(v.height, 0) : m_rect.Height();
    const int x = m.m_bSheet[kSheetX] ? v.x : m_rect.left;
    const int y = m.m_bSheet[kSheetY] ? v.y : m_rect.top;
    // 7. A new width forgets the width fitted to the text, a new height the height.
    if (width != m_rect.Width())
        m_props.Behavior.low &= ~DWORD(64 | 2);
    if (height != m_rect.Height())
        m_props.Behavior.low &= ~DWORD(128 | 1);
    m_rect = CRect(x, y, x + width, y + height);
    // 9. The connection points given, or the style's again.
    if (m.m_bSheet[kSheetConPts]) {
        m_pConPts.reset();
        m_bHasConPts = 0;
        if (v.conPts) {
            m_pConPts = std::make_unique<CConPtList>();
            m_pConPts->CopyFrom(*v.conPts);
            m_bHasConPts = 1;
        } else {
            SyncConPtsFromStyle();
        }
    }
}
