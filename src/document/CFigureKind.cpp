// A figure against its style and its kind: the style's connection points,
// the flag preset of the figure's kind, and the place a stapled label takes
// while it is sized.
#include "document/CFigure.h"

#include "shapes/CFigStyle.h"
#include "document/CStaple.h"
#include "shapes/FigFlags.h"

void CFigure::SyncConPtsFromStyle()
{
    if (m_pConPts)
        return;
    const CFigStyle* style = GetStyle();
    if (!style || style->m_conPts.GetCount() == 0)
        return;
    m_pConPts = std::make_unique<CConPtList>();
    m_pConPts->CopyFrom(style->m_conPts);
    m_bHasConPts = 1;
}

void CFigure::Relink(const CObjList& objects)
{
    // A figure without its own connection points uses its style's: the
    // relink leaves that as it is (copying them in would give the figure a
    // list of its own that nothing asked for).
    (void)objects;
}

FigFlagSet CFigure::ApplyKindFlags(DWORD low, DWORD high, DWORD maskLow, DWORD maskHigh)
{
    FigFlagSet word{low, high};
    if (IsInvisible()) {
        // A junction has no preset: only the masked bits are taken.
    } else if (IsFigLabel()) {
        ClearFigFlagsPresetF(word);
    } else if (m_bLabel) {
        SetFigFlagsPresetD(word);
    } else if (HasPicture()) {
        SetPictureFigFlags(word);
    } else {
        SetSymbolFigFlags(word);
    }
    const DWORD takeLow = (word.low ^ low) | maskLow;
    const DWORD takeHigh = (word.high ^ high) | maskHigh;
    return SetPropFlags(word.low, word.high, takeLow, takeHigh);
}

void CFigure::FollowStapleForSize(CRect& rc) const
{
    if (!m_bLabel || !m_pStaple)
        return;
    const CStaple& s = *m_pStaple;
    const int w = rc.Width(), h = rc.Height();
    CRect placed(0, 0, 0, 0);
    if (s.m_nType == kStapleLatLabel && s.m_pCon) {
        placed = s.GetLatLblRectForSize(w, h);
    } else if (s.m_nType == kStapleConLabel && s.m_pCon) {
        placed = CStaple::RectAtAnchor(s.GetPointAtConPos(), w, h, s.Fig1PosX, s.Fig1PosY);
    } else if ((s.m_nType == kStapleFigLabel || s.m_nType == kStapleFigLink) && s.m_pFig2 == this && s.m_pFig1) {
        CPoint at = CStaple::AnchorPoint(s.m_pFig1->m_rect, s.Fig1PosX, s.Fig1PosY);
        at.Offset(s.OffsetX, s.OffsetY);
        placed = CStaple::RectAtAnchor(at, w, h, s.Fig2PosX, s.Fig2PosY);
    } else {
        return;
    }
    if (placed.Width() == w && placed.Height() == h)
        rc = placed;
}
